#include "writerrecord.h"

#include "store/layout.h"

namespace pratelia::testing {

namespace {
QString fieldValue(int field, int writer, int k, bool updated)
{
    // Long enough to fill the wide fields, different in every field.
    const QString unit = QStringLiteral("%1.%2.%3.%4;").arg(writer).arg(k).arg(field).arg(updated ? u'U' : u'N');
    QString s;
    while (s.size() < 250)
        s += unit;
    return s;
}
} // namespace

Record writerRecord(int writer, int k, bool updated)
{
    Record r(layouts::cliente());
    for (int i = 0; i < r.layout().fieldCount(); ++i)
        r.setText(i, fieldValue(i, writer, k, updated));
    r.setText(u"Cognome", QStringLiteral("W%1").arg(writer));
    r.setText(u"Nome", QString::number(k));
    r.setText(u"Note", updated ? QStringLiteral("aggiornata") : QStringLiteral("nuova"));
    return r;
}

bool readWriterRecord(const RecordView &r, int &writer, int &k, bool &updated)
{
    const QString surname = r.text(u"Cognome");
    if (!surname.startsWith(u'W'))
        return false;
    bool ok1 = false, ok2 = false;
    writer = surname.mid(1).toInt(&ok1);
    k = r.text(u"Nome").toInt(&ok2);
    updated = r.text(u"Note") == u"aggiornata";
    if (!ok1 || !ok2)
        return false;
    const Record expected = writerRecord(writer, k, updated);
    return QByteArray(r.bytes(), expected.bytes().size()) == expected.bytes();
}

} // namespace pratelia::testing
