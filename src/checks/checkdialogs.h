#pragma once
// The four check dialogs. Each holds one field, a "Controlla" and a
// "Chiudi" button; the check shows its verdict in a message box and closes
// the dialog, unless the text must be corrected first.
#include "kit/windows.h"
#include "identifiers.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace pratelia::checks {

class CheckDialog : public kit::DialogWindow {
    Q_OBJECT
public:
    struct Setup {
        const char *windowName;
        const char *caption;
        const char *title;     // the instruction above the field
        const char *fieldName; // object name of the field
        int maxLength;
        bool digitsOnly;       // only digits can be typed
        bool trimUpperCase;    // every typed change becomes trimmed upper case
        Verdict (*check)(const QString &text);
    };
    CheckDialog(const Setup &setup, const QString &text, QWidget *opener);

    QLineEdit *field() const { return m_field; }
    QPushButton *checkButton() const { return m_check; }
    QPushButton *closeButton() const { return m_close; }

    // "Controlla": shows the verdict; closes the dialog unless the text needs
    // a correction, in which case the focus goes back to the field.
    void runCheck();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Verdict (*m_checkFn)(const QString &);
    QLabel *m_title;
    QLineEdit *m_field;
    QPushButton *m_check;
    QPushButton *m_close;
};

class TfrmCodFisc : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCodFisc(const QString &text = {}, QWidget *opener = nullptr);
};

class TfrmPartitaIva : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmPartitaIva(const QString &text = {}, QWidget *opener = nullptr);
};

class TfrmIban : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmIban(const QString &text = {}, QWidget *opener = nullptr);
};

class TfrmCarta : public CheckDialog {
    Q_OBJECT
public:
    explicit TfrmCarta(const QString &text = {}, QWidget *opener = nullptr);
};

} // namespace pratelia::checks
