#pragma once
// The protocol's list windows: the search TfrmTrovaProtocollo, the export
// TfrmExpProtocollo and the summary by interval TfrmRiepProtocollo, whose
// export writes the same workbook "Protocollo.xls"; and their
// configuration of the shared list tools, as data, used by the windows and
// by pratelia-cli. They read the archive of the year open on the card (its
// lblFile) and never write it.
#include "lists/exportgrid.h"
#include "lists/listwindows.h"

#include <QString>

class QWidget;

namespace pratelia::protocol {

const lists::SearchConfig &protocolSearchConfig();
// The export window; its grid of 19 columns is also the summary's.
const lists::ExportConfig &protocolExportConfig();

// The archive a list opened from `card` reads: the path in its lblFile,
// empty when no year was opened.
QString openYearArchive(QWidget *card);

// The search in mode "protocollo": a pick shows the record on `card`.
void showProtocolSearch(QWidget *card);
void showProtocolExport(QWidget *card);

} // namespace pratelia::protocol
