#pragma once
// The deadline archive's list windows: the search TfrmTrovaScadenzario,
// the export TfrmExpScadenzario, the summary lists TfrmConfermati
// (payments to make), TfrmNonConfermati (payments made) and
// TfrmDaConfermare (appointments to confirm), and the three views of the
// deadlines in date order TfrmExpImminenti, TfrmExpGiornaliere and
// TfrmExpMensili. Their configuration of the shared list tools is data,
// used by the windows and by pratelia-cli.
#include "deadlines.h"

#include "lists/exportgrid.h"
#include "lists/listwindows.h"

class QWidget;

namespace pratelia::deadlines {

const lists::SearchConfig &deadlineSearchConfig();
const lists::ExportConfig &deadlineExportConfig();
const lists::SummaryConfig &paymentsToMakeConfig();        // TfrmConfermati
const lists::SummaryConfig &paymentsMadeConfig();          // TfrmNonConfermati
const lists::SummaryConfig &appointmentsToConfirmConfig(); // TfrmDaConfermare

// A view's window: its grid of 21 columns, its file and its help page.
const lists::ExportConfig &viewConfig(View view);
// Fills a view's grid with its rows on `date` (viewRows); the windows and
// pratelia-cli both fill it this way.
ViewResult fillView(lists::ExportGridModel &grid, View view, const QDate &date, bool create,
                    const QString &folder = {});

// The list windows over the card `card`, which reads the archive named by
// its lblFile; a pick brings the record onto the card.
void showDeadlineSearch(QWidget *card);
void showDeadlineExport(QWidget *card);
void showPaymentsToMake(QWidget *card);
void showPaymentsMade(QWidget *card);
void showAppointmentsToConfirm(QWidget *card);
// A view on `date` over `opener`.
void showView(QWidget *opener, View view, const QDate &date);

} // namespace pratelia::deadlines
