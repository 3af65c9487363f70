#pragma once
// Handing a chosen record over to the window that opened a list: a card
// shows the whole record as its own, or a few values go straight into the
// opener's controls, found by object name.
#include "store/record.h"

#include <QString>
#include <QVector>

class QWidget;

namespace pratelia::lists {

// One value handed over: a record field (or two joined by one blank),
// trimmed, into the control with this object name.
struct Transfer {
    const char *control;
    const char *field;
    const char *secondField = nullptr;
};

// What a pick writes into the opener. With `wholeRecord` the opener, a
// card, shows the record as record `number` (as its browse commands do);
// another window gets every field F in its control "txt" + F, "chk" + F or
// "lbl" + F and the number in lblPosizione. The transfers follow.
struct HandOver {
    bool wholeRecord = false;
    QVector<Transfer> transfers;
};

// Writes the record into the opener. Afterwards, when the opener has a
// slot or invokable method recordHandedOver(), it is called so the window
// can refresh what depends on its controls.
void handOver(QWidget *opener, const HandOver &how, const RecordView &record, int number);

} // namespace pratelia::lists
