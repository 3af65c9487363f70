// riepilogo: the fee summary of a year's service register from the command
// line, through the same code as its result window.
#include "commands.h"

#include "kit/yearmenu.h"
#include "lists/listwindows.h"
#include "platform/texts.h"
#include "store/codepage.h"
#include "store/values.h"
#include "summary/feesummary.h"

#include <QFileInfo>

namespace pratelia::cli {

namespace {

const char kUsage[] =
    "uso: riepilogo AAAA.ser --from gg/mm/aaaa --to gg/mm/aaaa [--cf TESTO] [--tipologia TESTO]\n";

int riepilogo(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file, from, to, client, type;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args.at(i);
        QString *value = a == u"--from"        ? &from
                         : a == u"--to"        ? &to
                         : a == u"--cf"        ? &client
                         : a == u"--tipologia" ? &type
                                               : nullptr;
        if (value && i + 1 < args.size()) {
            *value = args.at(++i);
        } else if (!value && !a.startsWith(u"--") && file.isEmpty()) {
            file = a;
        } else {
            err << "argomento non previsto: " << a << '\n' << kUsage;
            return 2;
        }
    }
    if (file.isEmpty() || from.isEmpty() || to.isEmpty()) {
        err << kUsage;
        return 2;
    }
    const QFileInfo info(file);
    if (!kit::isYearlyArchiveName(info.fileName(), QStringLiteral(".ser"))) {
        err << "archivio non previsto: " << file << " (previsti: AAAA.ser)\n";
        return 2;
    }
    // Unlike the window, the command creates no archive.
    if (!info.isFile()) {
        err << file << ": il file non esiste\n";
        return 2;
    }
    summary::SummaryRequest request;
    request.path = file;
    request.from = parseDate(from);
    request.to = parseDate(to);
    for (const auto &[text, date] : {std::pair{from, request.from}, std::pair{to, request.to}}) {
        if (!date.isValid()) {
            err << "data non valida: " << text << " (gg/mm/aaaa)\n";
            return 2;
        }
    }
    if (request.from > request.to) {
        err << summary::intervalOrderText(formatDate(request.from), formatDate(request.to))
                   .replace(summary::dateMessageBreak(), QStringLiteral("\n"))
            << '\n';
        return 2;
    }
    // The filters as the window's fields hold them.
    request.client = summary::clientFilterText(client);
    request.type = type;

    summary::FeeSummary result;
    try {
        result = summary::buildSummary(request);
    } catch (const std::exception &) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    for (const lists::ListLine &l : result.lines)
        out << codepage::decode(l.text) << '\n';
    out << "Totale compensi: € " << result.total.text() << '\n';
    if (!result.unreadable.isEmpty())
        out << lists::unreadableText(result.unreadable.size()) << '\n';
    if (!result.complete)
        out << summary::incompleteText(false) << '\n';
    for (int number : result.unreadable)
        err << "scheda " << number << " non elencata: data o numero non leggibile\n";
    // The total is right for the lines shown either way; the exit code tells
    // a script that they are not the whole story.
    return result.complete && result.unreadable.isEmpty() ? 0 : 1;
}

} // namespace

void registerSummaryCommands()
{
    addCommand({"riepilogo",
                "riepilogo AAAA.ser --from gg/mm/aaaa --to gg/mm/aaaa [--cf TESTO] [--tipologia "
                "TESTO]  i compensi del periodo e il loro totale",
                riepilogo});
}

} // namespace pratelia::cli
