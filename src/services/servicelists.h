#pragma once
// The service register's list windows: the search TfrmTrovaServizi, the
// export TfrmExpServizi, the list of services not yet paid TfrmNonPagati
// and the card print TfrmStampaServizio; and their configuration of the
// shared list tools, as data, used by the windows and by pratelia-cli.
// The first three read the archive of the year open on the service card
// (its lblFile).
#include "lists/exportgrid.h"
#include "lists/listwindows.h"

#include <QString>

class QWidget;

namespace pratelia::services {

const lists::SearchConfig &serviceSearchConfig();
const lists::ExportConfig &serviceExportConfig();
const lists::SummaryConfig &unpaidServicesConfig();

// The archive a list opened from `card` reads: the path in its lblFile,
// empty when no year was opened.
QString openYearArchive(QWidget *card);

// The search in mode "servizi": a pick shows the record on `card`.
void showServiceSearch(QWidget *card);
void showServiceExport(QWidget *card);
void showUnpaidServices(QWidget *card);
// The print window TfrmStampaServizio over the service card.
void showServiceCardPrint(QWidget *card);

} // namespace pratelia::services
