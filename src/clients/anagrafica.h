#pragma once
// The client card TfrmAnagrafica: edits one record of "Clienti.arx" at a
// time, on the card layer. Its only state is in its controls: the edit
// fields and the two province boxes named after their record fields
// ("txt" + field), the hidden labels lblFile01..lblFile03 and
// lblDesc01..lblDesc03, and lblPosizione with the record number shown
// (empty on a new card).
#include "kit/card.h"

namespace pratelia::clients {

class TfrmAnagrafica : public kit::CardWindow {
    Q_OBJECT
public:
    explicit TfrmAnagrafica(QWidget *parent = nullptr);
};

} // namespace pratelia::clients
