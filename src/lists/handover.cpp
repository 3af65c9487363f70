#include "handover.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMetaObject>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QWidget>

namespace pratelia::lists {

bool writeControl(QWidget *opener, const QString &name, const QString &value)
{
    if (!opener)
        return false;
    QWidget *w = opener->objectName() == name ? opener : opener->findChild<QWidget *>(name);
    if (!w)
        return false;
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(value);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(value);
    else if (auto *c = qobject_cast<QCheckBox *>(w)) {
        if (value == QStringLiteral("Sì"))
            c->setChecked(true);
        else if (value == QStringLiteral("No"))
            c->setChecked(false);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(w))
        p->setPlainText(value);
    else if (auto *t = qobject_cast<QTextEdit *>(w))
        t->setPlainText(value);
    else if (auto *b = qobject_cast<QComboBox *>(w)) {
        if (b->isEditable())
            b->setEditText(value);
        else
            b->setCurrentIndex(b->findText(value));
    } else
        return false;
    return true;
}

void handOver(QWidget *opener, const HandOver &how, const RecordView &record, int number)
{
    if (!opener)
        return;
    if (how.wholeRecord) {
        const RecordLayout &layout = record.layout();
        for (int i = 0; i < layout.fieldCount(); ++i) {
            const QString &f = layout.field(i).name;
            const QString value = record.text(i);
            for (const char *prefix : {"txt", "chk", "lbl"}) {
                if (writeControl(opener, QLatin1String(prefix) + f, value))
                    break;
            }
        }
        writeControl(opener, QStringLiteral("lblPosizione"), QString::number(number));
    }
    for (const Transfer &t : how.transfers) {
        QString value = record.text(QString::fromLatin1(t.field));
        if (t.secondField)
            value = trimText(QString(value + u' ' + record.text(QString::fromLatin1(t.secondField))));
        writeControl(opener, QLatin1String(t.control), value);
    }
    const QMetaObject *mo = opener->metaObject();
    if (mo->indexOfMethod("recordHandedOver()") >= 0)
        QMetaObject::invokeMethod(opener, "recordHandedOver", Qt::DirectConnection);
}

} // namespace pratelia::lists
