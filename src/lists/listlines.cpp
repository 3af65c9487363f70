#include "listlines.h"

#include "store/codepage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace pratelia::lists {

namespace {
const std::array<bool, 256> &trimTable()
{
    static const std::array<bool, 256> table = [] {
        std::array<bool, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const char c = char(b);
            t[size_t(b)] = trimText(codepage::decode(&c, 1)).isEmpty();
        }
        return t;
    }();
    return table;
}
} // namespace

bool isTrimmedByte(unsigned char b)
{
    return trimTable()[b];
}

QByteArrayView trimBytes(QByteArrayView bytes)
{
    const auto &trim = trimTable();
    qsizetype b = 0, e = bytes.size();
    while (b < e && trim[static_cast<unsigned char>(bytes[b])])
        ++b;
    while (e > b && trim[static_cast<unsigned char>(bytes[e - 1])])
        --e;
    return bytes.sliced(b, e - b);
}

QByteArrayView storedBytes(const RecordView &record, int field)
{
    const Field &f = record.layout().field(field);
    const char *at = record.bytes() + f.offset;
    const int length = std::min(int(static_cast<unsigned char>(at[0])), f.capacity);
    return trimBytes(QByteArrayView(at + 1, length));
}

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
            piece.literal = codepage::encode(QString::fromUtf8(p.literal));
        if (p.field)
            piece.field = layout.require(QString::fromLatin1(p.field));
        if (p.secondField)
            piece.second = layout.require(QString::fromLatin1(p.secondField));
        piece.width = p.width;
        m_pieces.append(piece);
    }
}

QByteArray LineLayout::buildBytes(const RecordView &record) const
{
    QByteArray line;
    line.reserve(200);
    QByteArray joined;
    for (const Piece &p : m_pieces) {
        if (p.field < 0) {
            line += p.literal;
            continue;
        }
        QByteArrayView value = storedBytes(record, p.field);
        if (p.second >= 0) {
            joined = value.toByteArray();
            joined += ' ';
            joined += storedBytes(record, p.second);
            // Each field is trimmed, the pair is not: with no first field
            // the line starts with the blank.
            value = joined;
        }
        if (p.width < 0) {
            line += value;
        } else {
            const qsizetype n = std::min<qsizetype>(value.size(), p.width);
            line += value.first(n);
            line.append(p.width - n, ' ');
        }
    }
    return line;
}

QString LineLayout::build(const RecordView &record) const
{
    return codepage::decode(buildBytes(record));
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
    // The same order as lineLess, with each line folded once instead of at
    // every comparison: long lists of lines that share long beginnings (the
    // same cause, the same surname) sort several times faster.
    const qsizetype n = lines.size();
    QVector<QByteArray> folded(n);
    for (qsizetype i = 0; i < n; ++i) {
        QByteArray f = lines.at(i);
        for (char &c : f)
            c = char(foldUp(static_cast<unsigned char>(c)));
        folded[i] = std::move(f);
    }
    std::vector<qsizetype> order(static_cast<size_t>(n));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const QByteArray &a = folded.at(x), &b = folded.at(y);
        const int c = std::memcmp(a.constData(), b.constData(), size_t(std::min(a.size(), b.size())));
        return c != 0 ? c < 0 : a.size() < b.size();
    });
    QVector<QByteArray> sorted;
    sorted.reserve(n);
    for (qsizetype i : order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

Criteria::Criteria(const RecordLayout &layout, const QStringList &fieldNames,
                   const QStringList &texts)
{
    for (qsizetype i = 0; i < fieldNames.size(); ++i) {
        const QString typed = i < texts.size() ? texts.at(i) : QString();
        if (!trimText(typed).isEmpty())
            ++m_inUse;
        // An empty criterion never matches, so it needs no test.
        if (!typed.isEmpty()) {
            const QString needle = lowerAZ(typed);
            m_tests.append({layout.require(fieldNames.at(i)), codepage::encode(needle),
                            codepage::representable(needle)});
        }
    }
}

namespace {

inline char lowerByte(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + 32) : c;
}

// Whether `needle` (already lower-cased) occurs in `text` lower-cased,
// without making the lower-cased copy: the search runs once for every card
// of the archive.
bool containsLowered(QByteArrayView text, QByteArrayView needle)
{
    const qsizetype n = needle.size();
    if (n == 0)
        return true;
    const char first = needle[0];
    for (qsizetype i = 0; i + n <= text.size(); ++i) {
        if (lowerByte(text[i]) != first)
            continue;
        qsizetype k = 1;
        while (k < n && lowerByte(text[i + k]) == needle[k])
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

} // namespace

bool Criteria::accepts(const RecordView &record) const
{
    if (m_inUse == 0)
        return true;
    int matches = 0;
    qsizetype left = m_tests.size();
    for (const Test &t : m_tests) {
        // Once the tests left cannot bring the matches up to the criteria
        // in use, the record is not listed: the rest need not be read.
        if (matches + left < m_inUse)
            return false;
        --left;
        if (t.possible && containsLowered(storedBytes(record, t.field), t.needle))
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
