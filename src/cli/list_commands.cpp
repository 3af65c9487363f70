// search, export and list: the shared list tools from the command line,
// through the same code as their windows. Each archive's tools are one row
// of the tables below.
#include "commands.h"

#include "kit/yearmenu.h"
#include "clients/clientlistconfig.h"
#include "deadlines/deadlinelists.h"
#include "fees/feelists.h"
#include "services/servicelists.h"
#include "protocol/protocollists.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "store/codepage.h"
#include "platform/texts.h"
#include "store/values.h"

#include <QDir>
#include <QFileInfo>

namespace pratelia::cli {

namespace {

// The archives that can be searched and exported, by file name; a name
// beginning with '*' stands for the yearly archives with that extension
// ("*.ser").
struct ArchiveTools {
    const char *fileName;
    const lists::SearchConfig &(*search)();
    const lists::ExportConfig &(*exporter)();
};
const ArchiveTools kArchives[] = {
    {"Clienti.arx", clients::clientSearchConfig, clients::clientExportConfig},
    {"Tariffario.arx", fees::feeSearchConfig, fees::feeExportConfig},
    {"*.ser", services::serviceSearchConfig, services::serviceExportConfig},
    {"*.sca", deadlines::deadlineSearchConfig, deadlines::deadlineExportConfig},
    {"*.prt", protocol::protocolSearchConfig, protocol::protocolExportConfig},
};

// The summary lists, by the name given on the command line.
struct SummaryTool {
    const char *name;
    const lists::SummaryConfig &(*config)();
    // The archive the list reads, as in kArchives; a yearly one has no
    // default and must be named on the command line.
    const char *fileName = nullptr;
};
const SummaryTool kSummaries[] = {
    {"rate", clients::instalmentsDueConfig},
    {"scontate", fees::discountedFeesConfig},
    {"nonpagati", services::unpaidServicesConfig, "*.ser"},
    {"dapagare", deadlines::paymentsToMakeConfig, "*.sca"},
    {"pagati", deadlines::paymentsMadeConfig, "*.sca"},
    {"daconfermare", deadlines::appointmentsToConfirmConfig, "*.sca"},
};

// The lists shown as a grid of headed columns, by name: each reads its own
// arguments (those after the name) and prints its rows as JSON Lines keyed
// by the column headers.
struct GridList {
    const char *name;
    int (*run)(const QStringList &args, QTextStream &out, QTextStream &err);
};
const GridList kGridLists[] = {
    {"intervallo", runIntervalList},
};

// Whether a file is the archive `wanted` names: the same file name, or for
// "*.ext" a yearly archive, four digits and that extension.
bool isArchive(const QString &file, QLatin1String wanted)
{
    const QString name = QFileInfo(file).fileName();
    return wanted.startsWith(u'*') ? kit::isYearlyArchiveName(name, wanted.mid(1))
                                   : name.compare(wanted, Qt::CaseInsensitive) == 0;
}

const ArchiveTools *toolsFor(const QString &file)
{
    for (const ArchiveTools &t : kArchives) {
        if (isArchive(file, QLatin1String(t.fileName)))
            return &t;
    }
    return nullptr;
}

// The records a list left out, one line each on stderr, as the office's IT
// person needs them to mend the cards (dump shows what is stored).
void reportUnreadable(const lists::ListResult &result, QTextStream &err)
{
    for (int number : result.unreadable)
        err << "scheda " << number << " non elencata: data o numero non leggibile\n";
}

// Unlike the windows, the commands do not create a missing archive.
bool exists(const QString &path, QTextStream &err)
{
    const QFileInfo fi(path);
    if (fi.exists() && fi.isFile())
        return true;
    err << path << ": il file non esiste\n";
    return false;
}

QString archiveNames()
{
    QStringList names;
    for (const ArchiveTools &t : kArchives)
        names << QLatin1String(t.fileName);
    return names.join(QStringLiteral(", "));
}

int search(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.isEmpty()) {
        err << "uso: search FILE [--Campo TESTO]...\n";
        return 2;
    }
    const QString file = args.first();
    const ArchiveTools *tools = toolsFor(file);
    if (!tools) {
        err << "archivio senza ricerca: " << file << " (previsti: " << archiveNames() << ")\n";
        return 2;
    }
    if (!exists(file, err))
        return 2;
    const lists::SearchConfig &config = tools->search();
    const QStringList fields = config.fieldNames();
    QStringList texts(fields.size());
    for (qsizetype i = 1; i < args.size(); i += 2) {
        const QString option = args.at(i);
        const qsizetype at = option.startsWith(u"--") ? fields.indexOf(option.mid(2)) : -1;
        if (at < 0 || i + 1 >= args.size()) {
            err << "criterio non valido: " << option << " (previsti: --"
                << fields.join(QStringLiteral(", --")) << ")\n";
            return 2;
        }
        texts[at] = args.at(i + 1);
    }
    lists::ListResult found;
    try {
        found = lists::searchList(config, file, texts);
    } catch (const std::exception &) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    for (const lists::ListLine &l : found.lines)
        out << codepage::decode(l.text) << '\n';
    out << config.countText.arg(found.lines.size()) << '\n';
    reportUnreadable(found, err);
    return found.unreadable.isEmpty() ? 0 : 1;
}

int exportFile(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file, target;
    if (!fileAndTarget(args, file, target, err))
        return 2;
    const ArchiveTools *tools = file.isEmpty() ? nullptr : toolsFor(file);
    if (!tools) {
        err << "uso: export FILE [--out FILE.xls] (archivi: " << archiveNames() << ")\n";
        return 2;
    }
    if (!exists(file, err))
        return 2;
    const lists::ExportConfig &config = tools->exporter();
    lists::ExportGridModel grid(config.grid);
    try {
        lists::fillGridFromArchive(grid, *config.layout, file);
    } catch (const std::exception &) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    // An empty archive writes the rows the window shows before any record.
    if (grid.rowCount() == 0)
        lists::appendEmptyRows(grid, config.designRows);
    // Beside the archive, as the export window writes beside the archives
    // of its program folder; never beside this executable.
    if (target.isEmpty())
        target = QFileInfo(file).absoluteDir().filePath(config.sheet.fileName);
    if (!lists::writeExportFile(target, config.sheet, grid)) {
        err << ExportErrorText() << '\n';
        return 1;
    }
    out << target << '\n';
    return 0;
}

int list(const QStringList &args, QTextStream &out, QTextStream &err)
{
    for (const GridList &g : kGridLists)
        if (!args.isEmpty() && args.first() == QLatin1String(g.name))
            return g.run(args.mid(1), out, err);
    QString name, file;
    QDate today = platform::clock().today();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--today" && i + 1 < args.size()) {
            today = parseDate(args.at(++i));
            if (!today.isValid()) {
                err << "data non valida: " << args.at(i) << " (gg/mm/aaaa)\n";
                return 2;
            }
        } else if (name.isEmpty())
            name = args.at(i);
        else if (file.isEmpty())
            file = args.at(i);
        else {
            err << "argomento non previsto: " << args.at(i) << '\n';
            return 2;
        }
    }
    const SummaryTool *tool = nullptr;
    for (const SummaryTool &t : kSummaries) {
        if (name == QLatin1String(t.name))
            tool = &t;
    }
    if (!tool) {
        QStringList names;
        for (const SummaryTool &t : kSummaries)
            names << QLatin1String(t.name);
        for (const GridList &g : kGridLists)
            names << QLatin1String(g.name);
        err << "uso: list NOME [FILE] [--today gg/mm/aaaa] (elenchi: " << names.join(u", ")
            << ")\n";
        return 2;
    }
    const lists::SummaryConfig &config = tool->config();
    if (file.isEmpty())
        file = config.source.archivePath(nullptr);
    if (file.isEmpty()) {
        err << "uso: list " << name << " FILE";
        if (tool->fileName)
            err << " (" << tool->fileName << ")";
        err << '\n';
        return 2;
    }
    if (tool->fileName && !isArchive(file, QLatin1String(tool->fileName))) {
        err << "archivio non previsto per " << name << ": " << file << " (previsti: "
            << tool->fileName << ")\n";
        return 2;
    }
    if (!exists(file, err))
        return 2;
    const lists::ListResult listed = lists::summaryList(config, file, today);
    for (const lists::ListLine &l : listed.lines)
        out << codepage::decode(l.text) << '\n';
    reportUnreadable(listed, err);
    if (!listed.complete)
        err << "elenco interrotto: errore di lettura dell'archivio\n";
    // The list holds every other card either way; the exit code tells a
    // script that it is not the whole story.
    return listed.complete && listed.unreadable.isEmpty() ? 0 : 1;
}

} // namespace

void registerListCommands()
{
    addCommand({"search", "search FILE [--Campo TESTO]...  le schede trovate, in ordine di elenco",
                search});
    addCommand({"export", "export FILE [--out FILE.xls]  esporta l'archivio per Excel", exportFile});
    addCommand({"list", "list NOME [FILE] [--today gg/mm/aaaa]  un riepilogo (rate, scontate, "
                        "dapagare, pagati, daconfermare, intervallo)",
                list});
}

} // namespace pratelia::cli
