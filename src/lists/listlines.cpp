#include "listlines.h"

#include "store/codepage.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <functional>
#include <numeric>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    // Measured first, then written in place: lists build one line for every
    // record they show.
    QVarLengthArray<QByteArrayView, 16> values;
    qsizetype total = 0;
    for (const Piece &p : m_pieces) {
        QByteArrayView value;
        if (p.field < 0) {
            value = p.literal;
        } else {
            value = storedBytes(record, p.field);
            if (p.second >= 0) {
                // Each field is trimmed, the pair is not: with no first
                // field the line starts with the blank.
                const qsizetype joined = value.size() + 1 + storedBytes(record, p.second).size();
                total += p.width < 0 ? joined : p.width;
                values.append(value);
                continue;
            }
        }
        total += (p.field < 0 || p.width < 0) ? value.size() : p.width;
        values.append(value);
    }
    QByteArray line(total, Qt::Uninitialized);
    char *out = line.data();
    for (qsizetype i = 0; i < m_pieces.size(); ++i) {
        const Piece &p = m_pieces.at(i);
        if (p.field < 0) {
            std::memcpy(out, values[i].data(), size_t(values[i].size()));
            out += values[i].size();
            continue;
        }
        // The field (and its second field after one blank), cut to the
        // width and padded with blanks.
        const qsizetype room = p.width < 0 ? std::numeric_limits<qsizetype>::max() : p.width;
        qsizetype written = 0;
        auto put = [&](QByteArrayView part) {
            const qsizetype n = std::min(part.size(), room - written);
            if (n > 0) {
                std::memcpy(out + written, part.data(), size_t(n));
                written += n;
            }
        };
        put(values[i]);
        if (p.second >= 0) {
            put(" ");
            put(storedBytes(record, p.second));
        }
        if (p.width >= 0) {
            std::memset(out + written, ' ', size_t(p.width - written));
            written = p.width;
        }
        out += written;
    }
    Q_ASSERT(out == line.constData() + line.size());
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

// List order as a three-way comparison: negative, zero or positive.
inline int compareLines(const QByteArray &a, const QByteArray &b)
{
    const qsizetype n = std::min(a.size(), b.size());
    const auto *pa = reinterpret_cast<const unsigned char *>(a.constData());
    const auto *pb = reinterpret_cast<const unsigned char *>(b.constData());
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned char x = foldUp(pa[i]), y = foldUp(pb[i]);
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}
} // namespace

bool lineLess(const QByteArray &a, const QByteArray &b)
{
    return compareLines(a, b) < 0;
}

namespace {

// Sorts `count` items in list order by their texts, each text folded once
// instead of at every comparison: long lists of lines that share long
// beginnings (the same cause, the same surname) sort several times faster.
// Equal texts keep the order `tie` gives. Returns the items' new order.
std::vector<qsizetype> listOrder(qsizetype count, const std::function<const QByteArray &(qsizetype)> &text,
                                 const std::function<bool(qsizetype, qsizetype)> &tie)
{
    // All folded texts in one block: one allocation for the whole list.
    std::vector<qsizetype> start(static_cast<size_t>(count) + 1);
    qsizetype total = 0;
    for (qsizetype i = 0; i < count; ++i) {
        start[size_t(i)] = total;
        total += text(i).size();
    }
    start[size_t(count)] = total;
    std::vector<unsigned char> folded(static_cast<size_t>(total));
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray &t = text(i);
        unsigned char *out = folded.data() + start[size_t(i)];
        for (qsizetype k = 0; k < t.size(); ++k)
            out[k] = foldUp(static_cast<unsigned char>(t[k]));
    }
    std::vector<qsizetype> order(static_cast<size_t>(count));
    std::iota(order.begin(), order.end(), qsizetype(0));
    std::sort(order.begin(), order.end(), [&](qsizetype x, qsizetype y) {
        const qsizetype ax = start[size_t(x)], an = start[size_t(x) + 1] - ax;
        const qsizetype bx = start[size_t(y)], bn = start[size_t(y) + 1] - bx;
        const int c = std::memcmp(folded.data() + ax, folded.data() + bx, size_t(std::min(an, bn)));
        if (c != 0)
            return c < 0;
        if (an != bn)
            return an < bn;
        return tie(x, y);
    });
    return order;
}

} // namespace

void sortLines(QVector<QByteArray> &lines)
{
    const auto order = listOrder(
        lines.size(), [&](qsizetype i) -> const QByteArray & { return lines.at(i); },
        [](qsizetype x, qsizetype y) { return x < y; });
    QVector<QByteArray> sorted;
    sorted.reserve(lines.size());
    for (qsizetype i : order)
        sorted.append(std::move(lines[i]));
    lines = std::move(sorted);
}

void sortLines(QVector<ListLine> &lines)
{
    // Record numbers are unique and grow in file order: ordering equal lines
    // by them keeps file order.
    const auto order = listOrder(
        lines.size(), [&](qsizetype i) -> const QByteArray & { return lines.at(i).text; },
        [&](qsizetype x, qsizetype y) { return lines.at(x).record < lines.at(y).record; });
    QVector<ListLine> sorted;
    sorted.reserve(lines.size());
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
            const Field &f = layout.field(layout.require(fieldNames.at(i)));
            m_tests.append({f.offset, f.capacity, codepage::encode(needle),
                            codepage::representable(needle)});
        }
    }
    // The short fields first: a record that fails one of them is left
    // before the long ones are read (the order of the tests does not change
    // which records pass).
    std::stable_sort(m_tests.begin(), m_tests.end(),
                     [](const Test &a, const Test &b) { return a.capacity < b.capacity; });
}

namespace {

// Whether `needle` (its letters A-Z already lower-cased) occurs in `hay`,
// the letters A-Z of `hay` counting as a-z. A search runs this on every
// record of the archive, so it works on the stored bytes in place, and it
// looks for the places where the needle's first byte stands sixteen bytes
// at a time: most fields do not hold it at all.
bool containsLowered(QByteArrayView hay, QByteArrayView needle)
{
    static constexpr auto lower = [] {
        std::array<unsigned char, 256> t{};
        for (int c = 0; c < 256; ++c)
            t[size_t(c)] = (c >= 'A' && c <= 'Z') ? (c + 32) : c;
        return t;
    }();
    const qsizetype m = needle.size();
    const qsizetype last = hay.size() - m; // the last place the needle can start
    if (m == 0 || last < 0)
        return m == 0;
    const auto *h = reinterpret_cast<const unsigned char *>(hay.data());
    const auto *p = reinterpret_cast<const unsigned char *>(needle.data());
    const auto matchesAt = [&](qsizetype i) {
        for (qsizetype k = 0; k < m; ++k)
            if (lower[h[i + k]] != p[k])
                return false;
        return true;
    };
    // A byte b can stand for the first letter only if b | 0x20 equals it
    // (upper or lower case); anything else must be the byte itself.
    const unsigned char first = p[0];
    const unsigned char fold = (first >= 'a' && first <= 'z') ? 0x20 : 0x00;
    qsizetype i = 0;
#if defined(__SSE2__)
    const __m128i want = _mm_set1_epi8(char(first));
    const __m128i orMask = _mm_set1_epi8(char(fold));
    for (; i + 15 <= last; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i *>(h + i));
        auto hits = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(chunk, orMask), want)));
        while (hits) {
            if (matchesAt(i + std::countr_zero(hits)))
                return true;
            hits &= hits - 1;
        }
    }
#endif
    for (; i <= last; ++i)
        if ((h[i] | fold) == first && matchesAt(i))
            return true;
    return false;
}

} // namespace

bool Criteria::accepts(const RecordView &record) const
{
    if (m_inUse == 0)
        return true;
    // A search tests the same fields of record after record, a page or more
    // apart: ask for the next record's fields while this one is tested.
    const char *next = record.bytes() + record.layout().recordSize();
    for (const Test &t : m_tests)
        __builtin_prefetch(next + t.offset);
    int matches = 0;
    int left = int(m_tests.size());
    for (const Test &t : m_tests) {
        --left;
        if (t.possible) {
            const char *at = record.bytes() + t.offset;
            const int length = std::min(int(static_cast<unsigned char>(at[0])), t.capacity);
            if (containsLowered(trimBytes(QByteArrayView(at + 1, length)), t.needle))
                ++matches;
        }
        // Not enough tests left to reach the criteria in use.
        if (matches + left < m_inUse)
            return false;
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
