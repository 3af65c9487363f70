#pragma once
// The client folder window TfrmCartella: opens, creating it the first time,
// the folder of the program folder that belongs to one client.
#include <QString>

class QWidget;

namespace pratelia::clients {

// Opens the client folder window for record `recordNumber`.
void showClientFolder(QWidget *card, const QString &recordNumber);

} // namespace pratelia::clients
