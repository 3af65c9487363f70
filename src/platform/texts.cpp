#include "texts.h"

namespace pratelia {

QString FileAccessErrorText()
{
    return QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.")
        + lineBreak() + lineBreak()
        + QStringLiteral("Accertarsi di possedere i privilegi di scrittura nella cartella di "
                         "installazione del programma.");
}

QString ExportErrorText()
{
    return QStringLiteral("Attenzione: il sistema non permette di esportare i dati.")
        + lineBreak() + lineBreak()
        + QStringLiteral("Accertarsi che il file di Excel non sia già aperto.");
}

QString emptyArchiveText()
{
    return QStringLiteral("L'archivio non contiene nessuna scheda.");
}

} // namespace pratelia
