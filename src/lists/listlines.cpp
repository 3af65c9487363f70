#include "listlines.h"

#include "store/codepage.h"

#include <algorithm>

namespace pratelia::lists {

QString padCut(QStringView text, int width)
{
    QString t = trimText(text);
    if (t.size() >= width)
        return t.left(width);
    return t.leftJustified(width, u' ');
}

LineLayout::LineLayout(const RecordLayout &layout, std::initializer_list<LinePart> parts)
{
    for (const LinePart &p : parts) {
        Piece piece;
        if (p.literal)
            piece.literal = QString::fromUtf8(p.literal);
        if (p.field)
            piece.field = layout.require(QString::fromLatin1(p.field));
        if (p.secondField)
            piece.second = layout.require(QString::fromLatin1(p.secondField));
        piece.width = p.width;
        m_pieces.append(piece);
    }
}

QString LineLayout::build(const RecordView &record) const
{
    QString line;
    line.reserve(160);
    for (const Piece &p : m_pieces) {
        if (p.field < 0) {
            line += p.literal;
            continue;
        }
        QString value = record.text(p.field);
        if (p.second >= 0)
            value = value + u' ' + record.text(p.second);
        line += p.width < 0 ? trimText(value) : padCut(value, p.width);
    }
    return line;
}

QString lowerAZ(QStringView text)
{
    QString out = text.toString();
    for (QChar &c : out) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    }
    return out;
}

QByteArray lowerAZ(const QByteArray &bytes)
{
    QByteArray out = bytes;
    for (char &c : out) {
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    }
    return out;
}

namespace {
inline unsigned char foldUp(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? (c - 32) : c;
}
} // namespace

bool lineLess(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto *pa = reinterpret_cast<const unsigned char *>(a.constData());
    const auto *pb = reinterpret_cast<const unsigned char *>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = foldUp(pa[i]), y = foldUp(pb[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void sortLines(QVector<QByteArray> &lines)
{
    std::sort(lines.begin(), lines.end(), lineLess);
}

Criteria::Criteria(const RecordLayout &layout, const QStringList &fieldNames,
                   const QStringList &texts)
{
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        const QString typed = i < texts.size() ? texts.at(i) : QString();
        if (!trimText(typed).isEmpty())
            ++m_inUse;
        // An empty criterion never matches, so it needs no test.
        if (!typed.isEmpty())
            m_tests.append({layout.require(fieldNames.at(i)), lowerAZ(typed)});
    }
}

bool Criteria::accepts(const RecordView &record) const
{
    if (m_inUse == 0)
        return true;
    int matches = 0;
    for (const Test &t : m_tests) {
        if (lowerAZ(record.text(t.field)).contains(t.needle))
            ++matches;
    }
    return matches >= m_inUse;
}

int findInList(const QVector<QByteArray> &lines, int selected, const QString &typed,
               QString &previous)
{
    const int n = int(lines.size());
    if (n == 0)
        return -1;
    if (selected < 0 || selected >= n)
        selected = 0;
    const QString s = lowerAZ(typed);
    const int start = (s != previous) ? 0 : (selected + 1) % n;
    previous = s;
    // A text the code page cannot hold occurs in no line.
    if (!codepage::representable(s))
        return -1;
    const QByteArray needle = codepage::encode(s);
    for (int k = 0; k < n; ++k) {
        const int row = (start + k) % n;
        if (lowerAZ(lines.at(row)).contains(needle))
            return row;
    }
    return -1;
}

} // namespace pratelia::lists
