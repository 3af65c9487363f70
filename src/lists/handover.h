#pragma once
// Handing a chosen record over to the window that opened a list: values
// are written straight into the opener's controls, found by object name.
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

// What a pick writes into the opener. With `wholeRecord` every field F goes
// to the opener's control "txt" + F, "chk" + F or "lbl" + F (whichever it
// has) and the record number to lblPosizione; the transfers follow.
struct HandOver {
    bool wholeRecord = false;
    QVector<Transfer> transfers;
};

// Writes a text into the opener's control of that name: an edit field, a
// label, a text box or a combo box gets the text; a check box is ticked by
// "Sì" and unticked by "No" (other texts leave it). Returns false when the
// opener has no such control.
bool writeControl(QWidget *opener, const QString &name, const QString &value);

// Writes the record into the opener. Afterwards, when the opener has a
// slot or invokable method recordHandedOver(), it is called so the window
// can refresh what depends on its controls.
void handOver(QWidget *opener, const HandOver &how, const RecordView &record, int number);

} // namespace pratelia::lists
