#pragma once
// The protocol card as data for the card layer, the year menu in front of
// it and the printed card "Scheda Protocollo".
#include "kit/card.h"
#include "kit/cardprint.h"
#include "kit/yearmenu.h"

namespace pratelia::protocol {

// The yearly archive of the protocol and the card working on it.
const kit::YearArchive &yearArchive();

// Everything the card layer needs to build TfrmProtocollo (its own
// commands are those of TfrmProtocollo).
const kit::CardSpec &protocolCardSpec();
// The year menu TfrmMenuProtocollo.
const kit::YearMenuSpec &protocolYearMenuSpec();
// The printed protocol card.
const kit::CardPrint &protocolCardPrint();

// The kinds of mail, as the radio buttons show them and the record holds
// them: "In entrata", "In uscita", "Interna".
const QStringList &kindTexts();

} // namespace pratelia::protocol
