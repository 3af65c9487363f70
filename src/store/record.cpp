#include "record.h"

#include "codepage.h"

#include <algorithm>
#include <cstring>

namespace pratelia {

namespace {
inline bool isBlankOrControl(QChar c)
{
    return c.unicode() <= 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}
} // namespace

QString trimText(QStringView text)
{
    qsizetype begin = 0, end = text.size();
    while (begin < end && isBlankOrControl(text.at(begin)))
        ++begin;
    while (end > begin && isBlankOrControl(text.at(end - 1)))
        --end;
    return text.mid(begin, end - begin).toString();
}

QString decodeShortText(const char *field, int capacity)
{
    const int length = std::min(int(static_cast<unsigned char>(field[0])), capacity);
    const char *p = field + 1;
    // Fast path for the common case: nothing to trim at either end.
    int b = 0, e = length;
    while (b < e && static_cast<unsigned char>(p[b]) <= 0x20)
        ++b;
    while (e > b && static_cast<unsigned char>(p[e - 1]) <= 0x20)
        --e;
    QString text = codepage::decode(p + b, e - b);
    if (!text.isEmpty() && (isBlankOrControl(text.front()) || isBlankOrControl(text.back())))
        return trimText(text);
    return text;
}

void encodeShortText(char *field, int capacity, QStringView text, bool trim)
{
    QByteArray bytes = codepage::encode(trim ? QStringView(trimText(text)) : text);
    const int length = std::min(int(bytes.size()), capacity);
    field[0] = char(length);
    std::memcpy(field + 1, bytes.constData(), size_t(length));
    std::memset(field + 1 + length, 0, size_t(capacity - length));
}

QString RecordView::text(int index) const
{
    const Field &f = m_layout->field(index);
    return decodeShortText(m_bytes + f.offset, f.capacity);
}

int RecordView::lengthByte(int index) const
{
    return static_cast<unsigned char>(m_bytes[m_layout->field(index).offset]);
}

Record::Record(const RecordLayout &layout)
    : m_layout(&layout), m_bytes(layout.recordSize(), '\0')
{
}

Record::Record(const RecordLayout &layout, QByteArray bytes)
    : m_layout(&layout), m_bytes(std::move(bytes))
{
    m_bytes.resize(layout.recordSize(), '\0');
}

void Record::setText(int index, QStringView value, bool trim)
{
    const Field &f = m_layout->field(index);
    encodeShortText(m_bytes.data() + f.offset, f.capacity, value, trim);
}

void Record::clear()
{
    m_bytes.fill('\0');
}

} // namespace pratelia
