#pragma once
// Every card window of the program as the window sweeps see it: how to
// make one over the program folder, its archive, sample records and a new
// card that passes its save checks. The sweeps over failing disks and
// damaged archives run over this list; a new card joins them with one row
// in cards.cpp.
#include "kit/card.h"
#include "store/fileio.h"
#include "store/record.h"

#include <QVector>
#include <functional>
#include <memory>

namespace pratelia::testing {

struct CardCase {
    QString name;        // row name in the sweeps: "client", "fee", ...
    QString archiveName; // its archive in the program folder
    // A fresh card over the archive in the current program folder.
    std::function<std::unique_ptr<kit::CardWindow>()> make;
    // Sample record n (1, 2, 3, ...), each different and each one the
    // card's save checks accept.
    std::function<Record(int n)> record;
    // A plain text field every sweep may change.
    QString editable;
    // Steps a card's own save checks take besides the layer's save (the
    // protocol card reads its archive for a number already stored).
    QList<IoStep> saveAlsoUses{};

    // The first `count` sample records, as the archive holds them.
    QByteArray archive(int count) const;
};

const QVector<CardCase> &registeredCards();
// The registered card of that row name ("client", "service", ...); tests
// name the card they mean rather than its place in the list.
const CardCase &registeredCard(const QString &name);

} // namespace pratelia::testing
