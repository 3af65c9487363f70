#pragma once
// Printing a card as it stands on the screen, saved or not: one A4 page of
// captions and values through the report engine, printed at once or from
// the small print window of the cards that have one.
#include "report/report.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QWidget;

namespace pratelia::kit {

// One printed row: its caption, and its value made of the trimmed texts of
// the card's controls (by object name) joined with fixed words (written in
// single quotes: "'  Scadenza: '").
struct PrintRow {
    QString caption;
    QStringList parts;
};

struct CardPrint {
    QString reportName; // the print job's name, "Scheda Tariffa"
    QString title;      // "SCHEDA TARIFFA SERVIZIO"
    QVector<PrintRow> rows;
    // The template's fields are numbered (titCampo01, txtCampo01, ...);
    // otherwise each value field is named after its row's first control
    // ("txtID") and its caption field "tit" + the rest of that name.
    bool numberedFields = false;
};

// The value of a row from the card's controls; throws report::UnknownField
// for a control the card does not have.
QString printedValue(const QWidget *card, const PrintRow &row);
// The report of the card: title, rows and the footer with the date and
// time of printing, portrait.
report::Report cardReport(const QWidget *card, const CardPrint &print);
// Prints the card at once; a failure is told to the user.
void printCard(QWidget *card, const CardPrint &print);
// The print window of a card: a picture, `intro`, Stampa (prints, then
// closes) and Annulla (closes). `windowName` is its class name
// ("TfrmStampaTariffa").
void showCardPrintWindow(QWidget *card, const QString &windowName, const QString &intro,
                         const CardPrint &print);

} // namespace pratelia::kit
