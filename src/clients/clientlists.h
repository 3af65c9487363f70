#pragma once
// The client archive's instances of the shared list tools: the search
// window TfrmTrovaClienti, the export window TfrmExpClienti and the list of
// instalments due TfrmDaRinnovare.
#include <QString>

class QWidget;

namespace pratelia::clients {

// Opens TfrmTrovaClienti with the mode word ("clienti", "tariffario",
// "scadenzario", "servizi", "riepilogo"); a chosen client is written into
// the named controls of `opener`.
void showClientSearch(QWidget *opener, const QString &mode);
void showClientExport(QWidget *card);
void showInstalmentsDue(QWidget *card);

} // namespace pratelia::clients
