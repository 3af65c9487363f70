// search, export and list: the shared list tools from the command line,
// through the same code as their windows. Each archive's tools are one row
// of the tables below.
#include "commands.h"

#include "app/kit/yearmenu.h"
#include "clients/clientlistconfig.h"
#include "deadlines/deadlinelists.h"
#include "fees/feelists.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "store/codepage.h"
#include "platform/texts.h"
#include "store/values.h"

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
    {"*.sca", deadlines::deadlineSearchConfig, deadlines::deadlineExportConfig},
};

// The summary lists, by the name given on the command line.
struct SummaryTool {
    const char *name;
    const lists::SummaryConfig &(*config)();
};
const SummaryTool kSummaries[] = {
    {"rate", clients::instalmentsDueConfig},
    {"scontate", fees::discountedFeesConfig},
    {"dapagare", deadlines::paymentsToMakeConfig},
    {"pagati", deadlines::paymentsMadeConfig},
    {"daconfermare", deadlines::appointmentsToConfirmConfig},
};

const ArchiveTools *toolsFor(const QString &file)
{
    const QString name = QFileInfo(file).fileName();
    for (const ArchiveTools &t : kArchives) {
        const QLatin1String wanted(t.fileName);
        const bool matches = wanted.startsWith(u'*')
                                 ? kit::isYearlyArchiveName(name, wanted.mid(1))
                                 : name.compare(wanted, Qt::CaseInsensitive) == 0;
        if (matches)
            return &t;
    }
    return nullptr;
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
    QVector<QByteArray> lines;
    try {
        lines = lists::searchLines(config, file, texts);
    } catch (const std::exception &) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    for (const QByteArray &l : lines)
        out << codepage::decode(l) << '\n';
    out << config.countText.arg(lines.size()) << '\n';
    return 0;
}

int exportFile(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file, target;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--out" && i + 1 < args.size())
            target = args.at(++i);
        else if (file.isEmpty())
            file = args.at(i);
        else {
            err << "argomento non previsto: " << args.at(i) << '\n';
            return 2;
        }
    }
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
    if (target.isEmpty())
        target = ArchivePath(config.sheet.fileName);
    if (!lists::writeExportFile(target, config.sheet, grid)) {
        err << ExportErrorText() << '\n';
        return 1;
    }
    out << target << '\n';
    return 0;
}

int list(const QStringList &args, QTextStream &out, QTextStream &err)
{
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
        err << "uso: list NOME [FILE] [--today gg/mm/aaaa] (elenchi: " << names.join(u", ")
            << ")\n";
        return 2;
    }
    const lists::SummaryConfig &config = tool->config();
    if (file.isEmpty())
        file = config.source.archivePath(nullptr);
    if (layouts::forFileName(file) != config.source.layout) {
        err << file << ": non è un archivio di questo elenco\n";
        return 2;
    }
    if (!exists(file, err))
        return 2;
    bool complete = false;
    const QVector<QByteArray> lines = lists::summaryLines(config, file, today, &complete);
    for (const QByteArray &l : lines)
        out << codepage::decode(l) << '\n';
    if (!complete) {
        err << "elenco interrotto: archivio illeggibile o scheda non valida\n";
        return 1;
    }
    return 0;
}

} // namespace

void registerListCommands()
{
    addCommand({"search", "search FILE [--Campo TESTO]...  le schede trovate, in ordine di elenco",
                search});
    addCommand({"export", "export FILE [--out FILE.xls]  esporta l'archivio per Excel", exportFile});
    addCommand({"list", "list NOME [FILE] [--today gg/mm/aaaa]  un riepilogo (rate, scontate, "
                        "dapagare, pagati, daconfermare)",
                list});
}

} // namespace pratelia::cli
