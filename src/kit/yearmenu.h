#pragma once
// Yearly archives: the year typed by the user, the archive it names (the
// four digits and the archive's extension, in the program folder), opening
// that year on the card that works on it, and the year menu window that
// stands between the main menu and such a card (the service register and
// the protocol; the deadline window has the same year choice on its start
// panel).
#include "help.h"
#include "windows.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pratelia::kit {

// A kind of yearly archive and the card that works on it.
struct YearArchive {
    QString extension;   // ".ser"
    QString card;        // class name of the card window ("TfrmServizi")
    QString cardCaption; // the card's caption, followed by the year
    QString yearLabel;   // a label of the card that shows the year ("lblAnno"), if any
};

// "Attenzione: indicare l'anno solare utilizzando quattro cifre."
QString yearWarningText();
// A year that can be opened: exactly four ASCII digits ("0001" too).
bool isValidYear(const QString &text);
// The archive of a year: program folder + year + extension.
QString yearArchivePath(const QString &year, const QString &extension);
// Whether a file name is a yearly archive with that extension: four ASCII
// digits and the extension, letter case of the extension aside.
bool isYearlyArchiveName(const QString &fileName, const QString &extension);
// The year field: four characters, digits only whether typed or pasted.
QLineEdit *yearField(const QString &objectName, QWidget *parent);

// Enter in the year field moves the focus to its Apri button, as on every
// year choice; the filter lives as long as the field.
void enterMovesToOpen(QLineEdit *field, QPushButton *apri);

// Opens `year` on `card`: its lblFile gets the year's archive, its
// caption the year, its year label the year. Nothing is read or created.
// False (and nothing changes) for a year that is not valid.
bool openYear(QWidget *card, const YearArchive &archive, const QString &year);
// The same checks as "Apri": a year that is not four digits shows the
// warning over `parent` and gives the focus back to `field`.
bool openYearFromField(QWidget *parent, QLineEdit *field, QWidget *card,
                       const YearArchive &archive);

struct YearMenuSpec {
    QString objectName; // "TfrmMenuServizi"
    QString caption;    // " Pratelia - Registro Servizi"
    QString picture;    // the menu's picture
    QString heading;    // "Archivio servizi:"
    QString info;       // the information line lblInfo
    HelpPage help = HelpPage::Generale;
    YearArchive archive;
    QString modeWord;   // lblMemory after a year was opened: "servizi"
};

// The year menu: "Anno:" and the year, Apri, the information line, help and
// exit. Each showing proposes the current year and sets lblMemory to
// "avvio"; Apri opens the year on the card, sets the mode word and closes.
// Closing shows the card after Apri, otherwise the main menu.
class YearMenuWindow : public FullScreenWindow {
    Q_OBJECT
public:
    explicit YearMenuWindow(const YearMenuSpec &desc, QWidget *parent = nullptr);
    const YearMenuSpec &desc() const { return m_spec; }
    QLineEdit *yearEdit() const { return m_year; }
    // Apri.
    void openChosenYear();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void leave();
    YearMenuSpec m_spec;
    QLineEdit *m_year;
    QLabel *m_memory;
};

} // namespace pratelia::kit
