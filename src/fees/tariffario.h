#pragma once
// TfrmTariffario: the fee schedule card, one card of "Tariffario.arx" at a
// time, on the card layer, with Duplica and the fee schedule's lists.
#include "kit/card.h"

namespace pratelia::fees {

class TfrmTariffario : public kit::CardWindow {
    Q_OBJECT
public:
    explicit TfrmTariffario(QWidget *parent = nullptr);
};

} // namespace pratelia::fees
