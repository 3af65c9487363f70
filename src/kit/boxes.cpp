#include "boxes.h"

#include "store/record.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>

namespace pratelia::kit {

ListBox::ListBox(const QStringList &items, QWidget *parent) : QComboBox(parent)
{
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr); // what is typed stays as typed
    addItems(items);
    setMaxVisibleItems(14);
    setCurrentIndex(-1);
    setEditText(QString());
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    if (!view()->isVisible()) {
        const QString text = currentText();
        setCurrentIndex(-1);
        setEditText(text);
    }
    QComboBox::focusInEvent(event);
}

ChoiceBox::ChoiceBox(const QStringList &items, QWidget *parent, Qt::CaseSensitivity matching)
    : ListBox(items, parent), m_matching(matching)
{
}

void ChoiceBox::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        setCurrentIndex(-1);
        setEditText(QString());
        event->accept();
        return;
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_F4:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        QComboBox::keyPressEvent(event);
        return;
    default:
        if (event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Copy)) {
            QComboBox::keyPressEvent(event);
            return;
        }
        event->accept(); // swallowed
    }
}

void ChoiceBox::focusOutEvent(QFocusEvent *event)
{
    const QString text = trimText(currentText());
    Qt::MatchFlags how = Qt::MatchFixedString;
    if (m_matching == Qt::CaseSensitive)
        how |= Qt::MatchCaseSensitive;
    if (!view()->isVisible() && !currentText().isEmpty() && findText(text, how) < 0) {
        setCurrentIndex(-1);
        setEditText(QString());
    }
    ListBox::focusOutEvent(event);
}

} // namespace pratelia::kit
