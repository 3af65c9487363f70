#include "tariffario.h"

#include "feecard.h"

namespace pratelia::fees {

TfrmTariffario::TfrmTariffario(QWidget *parent) : kit::CardWindow(feeCardSpec(), parent) {}

} // namespace pratelia::fees
