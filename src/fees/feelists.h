#pragma once
// The fee schedule's list windows: the search TfrmTrovaTariffario, the
// export TfrmExpTariffario and the list of discounted services
// TfrmTariffeScontate; and their
// configuration of the shared list tools, as data, used by the windows and
// by pratelia-cli.
#include "lists/exportgrid.h"
#include "lists/listwindows.h"

#include <QString>

class QWidget;

namespace pratelia::fees {

const lists::SearchConfig &feeSearchConfig();
const lists::ExportConfig &feeExportConfig();
const lists::SummaryConfig &discountedFeesConfig();

// Opens the search with its mode word: "tariffario" (a pick fills the fee
// card `opener`), "serviziord" and "servizisco" (a service card takes the
// service with its ordinary or discounted fee), "scadenzario" (a deadline
// card takes the service).
void showFeeSearch(QWidget *opener, const QString &mode);
void showFeeExport(QWidget *card);
void showDiscountedFees(QWidget *card);

} // namespace pratelia::fees
