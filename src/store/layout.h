#pragma once
// Record layouts: each archive's record is a sequence of short text fields
// (one length byte, then `capacity` bytes of Windows-1252 text). A layout is
// a table of named fields; offsets and the record size follow from it.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <vector>

namespace pratelia {

// What a field holds, as far as readers that convert it care.
enum class FieldKind {
    Text,
    Date,         // "dd/mm/yyyy", converted by the program
    OptionalDate, // a date or empty
    Flag,  // "Sì" or "No"
    Money, // amount with a comma decimal
};

struct FieldSpec {
    const char *name;
    int capacity;
    FieldKind kind = FieldKind::Text;
};

struct Field {
    QString name;
    int capacity;
    int offset; // of the length byte, inside the record
    FieldKind kind;
    int size() const { return capacity + 1; }
};

class RecordLayout {
public:
    RecordLayout(const char *typeName, std::initializer_list<FieldSpec> fields);

    const QString &typeName() const { return m_typeName; }
    int recordSize() const { return m_recordSize; }
    int fieldCount() const { return int(m_fields.size()); }
    const Field &field(int index) const { return m_fields[size_t(index)]; }
    const std::vector<Field> &fields() const { return m_fields; }
    // Index of the field with this name, or -1.
    int indexOf(QStringView name) const;
    // Index of the field with this name; a name the layout lacks is a
    // programming error and aborts.
    int require(QStringView name) const;
    QStringList fieldNames() const;

private:
    QString m_typeName;
    std::vector<Field> m_fields;
    int m_recordSize = 0;
};

namespace layouts {
const RecordLayout &cliente();     // "Clienti.arx"
const RecordLayout &tariffa();     // "Tariffario.arx"
const RecordLayout &servizio();    // year + ".ser"
const RecordLayout &scadenza();    // year + ".sca"
const RecordLayout &protocollo();  // year + ".prt"

// The layout of an archive, chosen by its file name (the folder is ignored;
// letter case is ignored), or nullptr when the name is not an archive's.
const RecordLayout *forFileName(const QString &fileName);
} // namespace layouts

namespace archives {
inline constexpr char kClienti[] = "Clienti.arx";
inline constexpr char kTariffario[] = "Tariffario.arx";
inline constexpr char kServiziExt[] = ".ser";
inline constexpr char kScadenzeExt[] = ".sca";
inline constexpr char kProtocolloExt[] = ".prt";
} // namespace archives

} // namespace pratelia
