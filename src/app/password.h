#pragma once
// The access password: its scrambling, its store "unins000.dll" and the two
// windows that ask for it and change it.
#include "kit/windows.h"

#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace pratelia::app {

// Text -> upper-case hexadecimal digits, two per character; at most the
// first 255 characters are taken. Characters are taken by their
// Windows-1252 code.
QString ScramblePassword(QStringView text);
// Hex digits -> text; a last odd digit is ignored and at most 255 pairs are
// read. `ok` becomes false when a pair is not hexadecimal.
QString UnscramblePassword(QStringView hex, bool *ok);

// The text without blanks and control characters at either end.
QString blankTrimmed(QStringView typed);
// The trimmed, upper-cased form a password is stored and compared in: only
// a-z change case; blanks and control characters at either end go.
QString passwordForm(QStringView typed);
// Why a new password cannot be stored, or an empty text when it can.
QString newPasswordProblem(QStringView stored);

// The store beside the program.
QString passwordStorePath();
// The unscrambled password in the form typed passwords are compared in
// (trimmed, a-z upper-cased: a store written by hand in lower case still
// opens); a missing store, section or key reads as empty. False when the
// store cannot be read or unscrambled.
bool readStoredPassword(QString &password);
// Writes the scrambled form; false on failure.
bool writeStoredPassword(const QString &scrambled);

class TfrmCambiaPassword;

class TfrmPassword : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget *parent = nullptr);
    void setMainMenu(QWidget *menu) { m_menu = menu; }
    void setChangeWindow(TfrmCambiaPassword *w);

    // Back from the change window: empty, shown, focus in the field.
    void showEmpty();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateOk();
    void confirm();
    void openChange();

    QLineEdit *m_password;
    QPushButton *m_ok;
    QLabel *m_memory;
    QWidget *m_menu = nullptr;
    TfrmCambiaPassword *m_change = nullptr;
};

class TfrmCambiaPassword : public kit::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget *parent = nullptr);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void updateOk();
    void confirm();
    void refuse(const QString &message, QLineEdit *first, QLineEdit *second = nullptr);

    QLineEdit *m_old;
    QLineEdit *m_new;
    QLineEdit *m_confirm;
    QPushButton *m_ok;
    QLabel *m_memory;
};

} // namespace pratelia::app
