#pragma once
// The deadline card as data for the card layer: its fields and how each
// takes its input, its commands and body, the values of a new card, the
// checks a card passes before it is saved (which also build its date and
// time), what Duplica resets and its printed page.
#include "kit/card.h"
#include "kit/cardprint.h"
#include "kit/yearmenu.h"

#include <optional>

namespace pratelia::deadlines {

// The yearly archive the card works on (".sca", lblAnno).
const kit::YearArchive &yearArchive();

// The save checks in their fixed order. On the way it puts "0,00" into an
// empty cost and builds lblOra and lblData, which reach the card whether
// it is saved or not; the first check that fails is returned.
std::optional<kit::SaveRefusal> refuseSave(kit::CardValues &card);

// Everything the card layer needs to build TfrmScadenzario's card panel.
const kit::CardSpec &deadlineCardSpec();
// The printed card, "SCHEDA SCADENZA / APPUNTAMENTO".
const kit::CardPrint &deadlineCardPrint();

} // namespace pratelia::deadlines
