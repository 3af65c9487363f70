#pragma once
// The attach window TfrmAllegaCartella, shared by the client, fee, service
// and protocol cards, and the client folder window TfrmCartella.
#include <QString>

class QWidget;

namespace pratelia::clients {

// Opens a fresh attach window in the given mode ("anagrafica",
// "tariffario", "servizi", "protocollo") over `card`, filled from the
// card's hidden labels lblFile01..lblFile03 and lblDesc01..lblDesc03;
// "Applica e chiudi" writes the values back into those labels.
void showAttachWindow(QWidget *card, const QString &mode);

// Folder of the attached documents ("Documenti_Allegati" in the program
// folder) and the full path of one attached document by its stored name;
// an empty text for a name that would lead outside that folder.
QString attachmentsFolder();
QString attachmentPath(const QString &storedName);

// Copies a document through the file layer: into a temporary file beside
// the target first, then over the target, so that a failed copy leaves an
// earlier document of that name as it was. False on any failure.
bool copyDocument(const QString &from, const QString &to);

// Opens the client folder window for record `recordNumber`.
void showClientFolder(QWidget *card, const QString &recordNumber);

} // namespace pratelia::clients
