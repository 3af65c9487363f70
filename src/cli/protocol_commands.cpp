// numero and list intervallo: the number New would propose on a year's
// protocol, and the cards registered in an interval as the summary window
// lists them. Search and export of a protocol are rows of the list tools'
// table (list_commands.cpp).
#include "commands.h"

#include "kit/yearmenu.h"
#include "lists/exportgrid.h"
#include "platform/platform.h"
#include "platform/texts.h"
#include "protocol/protocollists.h"
#include "protocol/protocollo.h"
#include "store/values.h"

#include <QFileInfo>

namespace pratelia::cli {

namespace {

bool isProtocolArchive(const QString &file)
{
    return kit::isYearlyArchiveName(QFileInfo(file).fileName(),
                                    QLatin1String(archives::kProtocolloExt));
}

// Reads "--name dd/mm/yyyy" pairs and the archive; false (and a message)
// for anything else.
bool readArguments(const QStringList &args, const QStringList &dateOptions, QString &file,
                   QHash<QString, QString> &dates, QTextStream &err)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString a = args.at(i);
        if (a.startsWith(u"--") && dateOptions.contains(a.mid(2)) && i + 1 < args.size()) {
            dates.insert(a.mid(2), args.at(++i));
        } else if (file.isEmpty() && !a.startsWith(u"--")) {
            file = a;
        } else {
            err << "argomento non previsto: " << a << '\n';
            return false;
        }
    }
    return true;
}

bool existingProtocol(const QString &file, const char *usage, QTextStream &err)
{
    if (file.isEmpty() || !isProtocolArchive(file)) {
        err << "uso: " << usage << '\n';
        return false;
    }
    const QFileInfo fi(file);
    if (!fi.exists() || !fi.isFile()) {
        err << file << ": il file non esiste\n";
        return false;
    }
    return true;
}

const char kNumeroUsage[] = "numero AAAA.prt [--today gg/mm/aaaa]";
const char kIntervalUsage[] = "list intervallo AAAA.prt --from gg/mm/aaaa --to gg/mm/aaaa";

// The number New would propose on the archive, with the settings file of
// the archive's folder.
int numero(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file;
    QHash<QString, QString> dates;
    if (!readArguments(args, {QStringLiteral("today")}, file, dates, err))
        return 2;
    QDate today = platform::clock().today();
    if (dates.contains(QStringLiteral("today"))) {
        today = parseDate(dates.value(QStringLiteral("today")));
        if (!today.isValid()) {
            err << "data non valida: " << dates.value(QStringLiteral("today")) << " (gg/mm/aaaa)\n";
            return 2;
        }
    }
    if (file.isEmpty() || !isProtocolArchive(file)) {
        err << "uso: " << kNumeroUsage << '\n';
        return 2;
    }
    const QString folder = QFileInfo(file).absolutePath();
    std::optional<QString> number;
    try {
        // A missing archive is an empty one; the command creates nothing.
        number = protocol::proposeNumber(file, protocol::settingsPath(folder), today, false);
    } catch (const std::exception &) {
        number.reset();
    }
    if (!number) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    out << *number << '\n';
    return 0;
}

} // namespace

int runIntervalList(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file;
    QHash<QString, QString> dates;
    if (!readArguments(args, {QStringLiteral("from"), QStringLiteral("to")}, file, dates, err))
        return 2;
    if (!existingProtocol(file, kIntervalUsage, err))
        return 2;
    // The window's checks and messages, in the window's order.
    if (const auto refusal = protocol::checkInterval(dates.value(QStringLiteral("from")),
                                                     dates.value(QStringLiteral("to")))) {
        err << QString(refusal->text).replace(QStringLiteral("\n\r"), QStringLiteral("\n")) << '\n';
        return 2;
    }
    const lists::ExportConfig &config = protocol::protocolExportConfig();
    lists::ExportGridModel grid(config.grid);
    const protocol::IntervalResult result = protocol::fillInterval(
        grid, file, parseDate(trimText(dates.value(QStringLiteral("from")))),
        parseDate(trimText(dates.value(QStringLiteral("to")))), false);
    printGridRows(config, grid, out);
    if (result.skipped > 0)
        err << "schede saltate perché la data di registrazione non si legge: " << result.skipped
            << '\n';
    if (!result.complete) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    return result.skipped > 0 ? 1 : 0;
}

void registerProtocolCommands()
{
    addCommand({"numero", "numero AAAA.prt [--today gg/mm/aaaa]  il numero di protocollo che Nuovo "
                          "proporrebbe",
                numero});
}

} // namespace pratelia::cli
