#pragma once
// Input conventions shared by every card window: picture commands that are
// real buttons, the yellow focus frame behind the focused field, the Enter
// chain, the status line with hover texts, and the key filters.
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QPointer>
#include <QToolButton>
#include <QVector>

namespace pratelia::kit {

// Picture of a command, drawn by the program (see icons.cpp); `name` is the
// command's short name ("nuovo", "salva", "trova", ...).
QIcon commandIcon(const QString &name);
// Whether the program has a drawing of that name (otherwise commandIcon
// draws the name's initial on a disc).
bool hasPicture(const QString &name);

// A command picture: a flat button with its picture and a short caption,
// a hand cursor, reachable by keyboard, its short Italian name as
// accessible name and its status text as accessible description.
class CommandButton : public QToolButton {
    Q_OBJECT
public:
    CommandButton(const QString &objectName, const QString &shortName, const QString &iconName,
                  const QString &statusText, QWidget *parent);
    const QString &statusText() const { return m_status; }
    void setStatusText(const QString &t);

private:
    QString m_status;
};

// The frame drawn behind a focused field.
class FocusFrame : public QWidget {
    Q_OBJECT
public:
    explicit FocusFrame(QWidget *field);
    void track(); // follows the field's geometry
protected:
    void paintEvent(QPaintEvent *) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_field;
};

class InputConventions : public QObject {
    Q_OBJECT
public:
    // `window` is the card; `status` its status line `panInfo`, whose text at
    // rest is `restText`.
    InputConventions(QWidget *window, QLabel *status, const QString &restText);

    // Gives a field (edit field, combo box) its focus frame "eff" + the
    // field's name without its prefix.
    FocusFrame *addFocusFrame(QWidget *field);
    // Gives every edit field and combo box under the window a focus frame.
    void addFocusFrames();
    // Enter in a field of the chain moves the focus to the next one; the
    // last leads back to the first when `wraps`, otherwise Enter there does
    // nothing. setEnterChain replaces the chains set before; a card with
    // two chains adds the second.
    void setEnterChain(const QVector<QWidget *> &chain, bool wraps);
    void addEnterChain(const QVector<QWidget *> &chain, bool wraps);
    // Hovering over `w` writes `text` into the status line.
    void addHint(QWidget *w, const QString &text);
    // Every CommandButton under the window writes its status text on hover.
    void addCommandHints();
    // Hovering over these clears the status line (the window's background
    // and panels).
    void addClearOnHover(QWidget *w);
    void resetStatus();
    QLabel *status() const { return m_status; }

    // The digits filter, for typed and pasted text alike (fieldrules.h has
    // the other rules of an edit field).
    static void installDigitsFilter(QLineEdit *field);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
    QLabel *m_status;
    QString m_rest;
    struct Chain {
        QVector<QWidget *> fields;
        bool wraps = true;
    };
    QVector<Chain> m_chains;
    QHash<QObject *, QString> m_hints;
    QSet<QObject *> m_clearers;
    QPoint m_pointerAtShow;
    bool m_pointerMoved = true;
};

// A label the user never sees: a window's memory (a mode word, a file,
// a count) that other windows and the tests read by its name.
QLabel *hiddenLabel(const QString &objectName, QWidget *parent, const QString &text = {});

// Enter or Return on the focused button presses it: the dialogs have no
// default button, so Qt alone would do nothing.
void enterPresses(QPushButton *button);

// A push button of a dialog: hand cursor, never the default button (Enter
// in a field must not press it), at least `minimum` in size.
QPushButton *dialogButton(QWidget *parent, const QString &objectName, const QString &text,
                          QSize minimum = {});

// A label with the caption of a field, linked to it as its buddy, so that
// the field gets the caption as its accessible name.
QLabel *captionFor(QWidget *field, const QString &caption, QWidget *parent);

} // namespace pratelia::kit
