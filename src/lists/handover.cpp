#include "handover.h"

#include "kit/binding.h"
#include "kit/card.h"

#include <QMetaObject>
#include <QWidget>

namespace pratelia::lists {

void handOver(QWidget *opener, const HandOver &how, const RecordView &record, int number)
{
    if (!opener)
        return;
    if (how.wholeRecord) {
        if (auto *card = qobject_cast<kit::CardWindow *>(opener)) {
            card->showRecord(record, number);
        } else {
            // A window that is not a card: each field into its control of
            // the same name, whichever kind it has.
            const RecordLayout &layout = record.layout();
            for (int i = 0; i < layout.fieldCount(); ++i)
                for (const char *prefix : {"txt", "chk", "lbl"})
                    if (kit::setControlText(opener, QLatin1String(prefix) + layout.field(i).name,
                                            record.text(i)))
                        break;
            kit::setControlText(opener, QStringLiteral("lblPosizione"), QString::number(number));
        }
    }
    for (const Transfer &t : how.transfers) {
        QString value = record.text(QString::fromLatin1(t.field));
        if (t.secondField)
            value = trimText(QString(value + u' ' + record.text(QString::fromLatin1(t.secondField))));
        kit::setControlText(opener, QLatin1String(t.control), value);
    }
    const QMetaObject *mo = opener->metaObject();
    if (mo->indexOfMethod("recordHandedOver()") >= 0)
        QMetaObject::invokeMethod(opener, "recordHandedOver", Qt::DirectConnection);
}

} // namespace pratelia::lists
