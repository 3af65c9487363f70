#pragma once
// A record of an archive: its bytes, read and written field by field through
// the record's layout.
#include "layout.h"

#include <QByteArray>
#include <QString>

namespace pratelia {

// Removes blanks and control characters at both ends.
QString trimText(QStringView text);

// The stored text of a short text field starting at `field` (its length
// byte): the first L bytes, L cut to the capacity when a damaged length byte
// says more, decoded from Windows-1252 and trimmed.
QString decodeShortText(const char *field, int capacity);
// Writes `text` into a short text field: trimmed (when `trim` is set),
// encoded in Windows-1252 ('?' for what the code page lacks), cut to the
// capacity. The bytes after the text are set to zero.
void encodeShortText(char *field, int capacity, QStringView text, bool trim = true);

// Read-only view of one record inside a larger buffer.
class RecordView {
public:
    RecordView() = default;
    RecordView(const RecordLayout *layout, const char *bytes) : m_layout(layout), m_bytes(bytes) {}

    const RecordLayout &layout() const { return *m_layout; }
    const char *bytes() const { return m_bytes; }
    QString text(int field) const;
    QString text(QStringView name) const { return text(m_layout->require(name)); }
    // The raw length byte of a field (may exceed the capacity in a damaged file).
    int lengthByte(int field) const;

private:
    const RecordLayout *m_layout = nullptr;
    const char *m_bytes = nullptr;
};

// A record buffer of its own: what a card holds and writes.
class Record {
public:
    explicit Record(const RecordLayout &layout);
    Record(const RecordLayout &layout, QByteArray bytes);

    const RecordLayout &layout() const { return *m_layout; }
    const QByteArray &bytes() const { return m_bytes; }
    RecordView view() const { return RecordView(m_layout, m_bytes.constData()); }

    QString text(int field) const { return view().text(field); }
    QString text(QStringView name) const { return view().text(name); }
    void setText(int field, QStringView value, bool trim = true);
    void setText(QStringView name, QStringView value, bool trim = true)
    {
        setText(m_layout->require(name), value, trim);
    }
    void clear();

private:
    const RecordLayout *m_layout;
    QByteArray m_bytes;
};

} // namespace pratelia
