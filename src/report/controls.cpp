#include "report.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace pratelia::report {

QString controlText(const QWidget *window, const QString &objectName)
{
    const QWidget *control = window ? window->findChild<const QWidget *>(objectName) : nullptr;
    if (const auto *edit = qobject_cast<const QLineEdit *>(control))
        return edit->text().trimmed();
    if (const auto *combo = qobject_cast<const QComboBox *>(control))
        return combo->currentText().trimmed();
    if (const auto *plain = qobject_cast<const QPlainTextEdit *>(control))
        return plain->toPlainText().trimmed();
    if (const auto *rich = qobject_cast<const QTextEdit *>(control))
        return rich->toPlainText().trimmed();
    if (const auto *label = qobject_cast<const QLabel *>(control))
        return label->text().trimmed();
    throw UnknownField(window ? window->objectName() : QStringLiteral("(nessuna finestra)"), objectName);
}

void fillFromControls(Report &report, const QWidget *window, const QStringList &names)
{
    for (const QString &name : names)
        report.setText(name, controlText(window, name));
}

} // namespace pratelia::report
