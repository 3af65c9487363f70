#pragma once
// The help window TfrmGuida and its pages: every application window's help
// command opens a fresh help window on its own page.
#include <QString>

class QWidget;

namespace pratelia::kit {

enum class HelpPage {
    Generale,       // main menu
    Anagrafica,     // client card
    ExpClienti,     // client export
    Tariffario,     // fee card
    ExpTariffario,  // fee export
    Servizi,        // service year menu and card
    ExpServizi,     // service export
    Scadenzario,    // deadline window
    VisteScadenze,  // imminent, daily and monthly deadline views
    ExpScadenzario, // deadline export
    RiepCosti,      // fee summary
    Protocollo,     // protocol year menu and card
    ExpProtocollo,  // protocol export
    RiepProtocollo, // protocol summary by interval
};

QString helpTitle(HelpPage page);
// Paragraphs separated by two line breaks (CR LF, twice).
QString helpBody(HelpPage page);
// Shows a fresh TfrmGuida modally over `opener` with the page's title and body.
void showHelp(QWidget *opener, HelpPage page);

} // namespace pratelia::kit
