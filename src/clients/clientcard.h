#pragma once
// The rules of the client card that do not depend on its widgets: which
// record fields the card edits and how many characters each takes, the
// province codes of its two boxes, the checks a card must pass before it is
// saved, and where first / previous / next / last lead.
#include "platform/platform.h"
#include "store/browse.h"
#include "store/layout.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace pratelia::clients {

// The record fields edited by the card's edit fields and province boxes, in
// the order of the Enter chain (the record order): the first 45 of the
// client record. The remaining six are kept in hidden labels.
inline constexpr int kEditedFields = 45;

// Maximum number of characters the card lets the user type into the field.
int editLimit(const Field &field);

// The province codes offered by the boxes of the place of birth and of
// residence, in alphabetical order.
const QStringList &provinceCodes();

// What a card that cannot be saved shows: the kind of message, its text and
// the control that gets the focus (empty: the focus stays where it is).
struct SaveRefusal {
    MessageKind kind;
    QString text;
    QString focus;
};

// The card's texts the save checks look at.
struct SaveInput {
    QString cognome;
    QString nome;
    QString decorrenza;
    QString scadenza;
    QString preavviso;
};

// The first check the card fails, in the fixed order of the checks, or
// nothing when the card can be saved.
std::optional<SaveRefusal> refuseSave(const SaveInput &card);

using pratelia::Browse;
using pratelia::BrowseOutcome;
using pratelia::emptyArchiveText;

// Where a browse command of the client card leads from record `current`
// (0 for a new card) in an archive of `size` records: Previous on record 1
// does nothing, even on an empty archive.
BrowseOutcome browse(Browse command, int current, int size);

} // namespace pratelia::clients
