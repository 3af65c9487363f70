#pragma once
// The help window: a title, a page of text and the link to the manual.
#include "help.h"
#include "windows.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace pratelia::kit {

class LinkButton;

class TfrmGuida : public DialogWindow {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget *opener = nullptr);
    void setPage(HelpPage page);
    // The manual beside the program: "Guida.pdf" in the program folder.
    static QString manualPath();

private:
    void openManual();

    QLabel *m_title;
    QPlainTextEdit *m_text;
    LinkButton *m_link;
};

} // namespace pratelia::kit
