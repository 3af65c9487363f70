#include "anagrafica.h"

#include "clientcard.h"

namespace pratelia::clients {

TfrmAnagrafica::TfrmAnagrafica(QWidget *parent) : kit::CardWindow(clientCardSpec(), parent) {}

} // namespace pratelia::clients
