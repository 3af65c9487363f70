#include "servizi.h"

#include "servicecard.h"

namespace pratelia::services {

TfrmMenuServizi::TfrmMenuServizi(QWidget *parent)
    : kit::YearMenuWindow(serviceYearMenuSpec(), parent)
{
}

TfrmServizi::TfrmServizi(QWidget *parent) : kit::CardWindow(serviceCardSpec(), parent) {}

} // namespace pratelia::services
