#pragma once
// Driving windows as a user does, in tests: finding a control by its
// object name, typing and pasting into it, pressing a command, and acting
// on the modal window the next command opens.
#include <QString>
#include <QWidget>
#include <functional>

class QLineEdit;

namespace pratelia::testing {

// The control of that name under `window`; the test stops when it is
// missing or of another kind.
template <class T = QWidget>
T *control(const QWidget *window, const QString &name)
{
    T *w = window->findChild<T *>(name);
    if (!w)
        qFatal("%s has no control %s", qPrintable(window->objectName()), qPrintable(name));
    return w;
}

// The edit field of a control: the edit field itself or a combo box's.
QLineEdit *editOf(const QWidget *window, const QString &name);

// Gives the control the focus and types `text` into it key by key, as the
// keyboard would (each key goes through the field's filters).
void type(QWidget *window, const QString &name, const QString &text);
// Replaces what the field holds by pasting `text` with Ctrl+V, as a user
// who selected the field's text and pasted would.
void paste(QWidget *window, const QString &name, const QString &text);
// Presses a command: a picture or a button, which must be enabled.
void press(QWidget *window, const QString &name);

// Runs `act` on the modal window that the next command opens, once it is
// up. `ran` (when given) tells afterwards whether a modal window came.
void onNextModal(std::function<void(QWidget *)> act, bool *ran = nullptr);
// Presses `button` on the modal window the next command opens.
void pressOnNextModal(const QString &button, bool *ran = nullptr);

// Object name of the control that has the focus (or of its named parent).
QString focusName();

} // namespace pratelia::testing
