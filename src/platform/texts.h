#pragma once
// The standard texts that windows and the command line show to the user:
// the archive and export errors, the empty archive, and the pair of
// characters every two-part message puts between its parts.
#include <QString>

namespace pratelia {

// A line break inside a message: a line feed, then a carriage return.
inline QString lineBreak() { return QStringLiteral("\n\r"); }

// "Attenzione: il sistema non permette di accedere all'archivio." and how
// to put it right; shown by every command that fails on an archive.
QString FileAccessErrorText();
// "Attenzione: il sistema non permette di esportare i dati." and why.
QString ExportErrorText();
// "L'archivio non contiene nessuna scheda."
QString emptyArchiveText();

} // namespace pratelia
