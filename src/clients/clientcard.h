#pragma once
// The client card as data for the card layer: its fields and how each takes
// its input, the province codes of its two boxes, its commands, its body,
// the values of a new card, the checks a card must pass before it is saved
// and its printed page.
#include "kit/card.h"

#include <QStringList>
#include <optional>

namespace pratelia::clients {

using pratelia::Browse;

// The province codes offered by the boxes of the place of birth and of
// residence, in alphabetical order.
const QStringList &provinceCodes();

// The first check the card fails, in the fixed order of the checks, or
// nothing when the card can be saved.
std::optional<kit::SaveRefusal> refuseSave(const kit::CardValues &card);

// Everything the card layer needs to build TfrmAnagrafica.
const kit::CardSpec &clientCardSpec();
// Prints the card's current contents (no file access).
void printClientCard(QWidget *card);

} // namespace pratelia::clients
