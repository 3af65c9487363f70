#pragma once
// The client archive's configuration of the shared list tools, as data:
// the search criteria and list line, the export columns, the rule of the
// list of instalments due. Used by the windows and by pratelia-cli.
#include "lists/exportgrid.h"
#include "lists/listwindows.h"

#include <QDate>

namespace pratelia::clients {

const lists::SearchConfig &clientSearchConfig();
const lists::ExportConfig &clientExportConfig();
const lists::SummaryConfig &instalmentsDueConfig();

// Whether a client's next instalment is due on `today`: its due date minus
// its notice days is on or before today. Throws std::invalid_argument when
// the due date or the notice days cannot be read.
bool instalmentDue(const RecordView &client, const QDate &today);

} // namespace pratelia::clients
