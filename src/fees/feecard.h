#pragma once
// The fee card as data for the card layer, and the rules of the fee
// schedule's record that other windows share: where "Tariffario.arx" is and
// when a service counts as offered at a discounted fee.
#include "kit/card.h"
#include "store/layout.h"
#include "store/record.h"

namespace pratelia::fees {

using pratelia::Browse;

// Full path of the fee archive in the program folder.
QString archivePath();
const RecordLayout &layout();

// Whether a record counts as offered at a discounted fee: its flag is "Sì".
bool isDiscounted(const RecordView &record);

// Everything the card layer needs to build TfrmTariffario.
const kit::CardSpec &feeCardSpec();

} // namespace pratelia::fees
