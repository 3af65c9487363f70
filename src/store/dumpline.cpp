#include "dumpline.h"

namespace pratelia {

QString jsonString(const QString &s)
{
    QString out;
    out.reserve(s.size() + 2);
    out += u'"';
    for (QChar c : s) {
        switch (c.unicode()) {
        case '"': out += QLatin1String("\\\""); break;
        case '\\': out += QLatin1String("\\\\"); break;
        case '\n': out += QLatin1String("\\n"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F))
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

QString dumpLine(const RecordView &record, int number)
{
    const RecordLayout &layout = record.layout();
    QString line = QStringLiteral("{\"N\":%1").arg(number);
    for (int i = 0; i < layout.fieldCount(); ++i)
        line += u',' + jsonString(layout.field(i).name) + u':' + jsonString(record.text(i));
    line += u'}';
    return line;
}

} // namespace pratelia
