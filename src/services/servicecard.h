#pragma once
// The service card as data for the card layer, the year menu in front of
// it, and the rules of the service record that other windows share: which
// archive a year names and when a service counts as not yet paid.
#include "kit/card.h"
#include "kit/cardprint.h"
#include "kit/yearmenu.h"
#include "store/layout.h"
#include "store/record.h"

namespace pratelia::services {

using pratelia::Browse;

const RecordLayout &layout();

// The yearly archive of the service register and the card working on it.
const kit::YearArchive &yearArchive();
// The archive of a year in the program folder ("2024" -> .../2024.ser).
QString archivePath(const QString &year);

// Whether a service is still owed: its paid flag, trimmed, reads "No".
// A flag that reads anything else (damaged, hand-made) is not listed.
bool isUnpaid(const RecordView &record);

// Everything the card layer needs to build TfrmServizi.
const kit::CardSpec &serviceCardSpec();
// The year menu TfrmMenuServizi.
const kit::YearMenuSpec &serviceYearMenuSpec();
// The printed service card, "Scheda Servizio".
const kit::CardPrint &serviceCardPrint();

} // namespace pratelia::services
