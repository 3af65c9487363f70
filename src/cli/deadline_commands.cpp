// view and calendar: the deadlines in date order as the views show them,
// and a year's deadlines as a calendar file for the office's phones.
#include "commands.h"

#include "kit/yearmenu.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/icalendar.h"
#include "platform/platform.h"
#include "platform/texts.h"
#include "store/codepage.h"
#include "store/fileio.h"
#include "store/values.h"

#include <QDir>
#include <QFileInfo>

namespace pratelia::cli {

namespace {

struct ViewName {
    const char *name;
    deadlines::View view;
};
const ViewName kViews[] = {
    {"imminenti", deadlines::View::Imminent},
    {"giorno", deadlines::View::Day},
    {"mese", deadlines::View::Month},
};

// The rows of a view's grid on a date, in the grid's order, one JSON
// object a line keyed by the column headers.
int view(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString name, folder;
    QDate date = platform::clock().today();
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--date" && i + 1 < args.size()) {
            date = parseDate(args.at(++i));
            if (!date.isValid()) {
                err << "data non valida: " << args.at(i) << " (gg/mm/aaaa)\n";
                return 2;
            }
        } else if (name.isEmpty()) {
            name = args.at(i);
        } else if (folder.isEmpty()) {
            folder = args.at(i);
        } else {
            err << "argomento non previsto: " << args.at(i) << '\n';
            return 2;
        }
    }
    const ViewName *chosen = nullptr;
    for (const ViewName &v : kViews)
        if (name == QLatin1String(v.name))
            chosen = &v;
    if (!chosen) {
        err << "uso: view imminenti|giorno|mese [CARTELLA] [--date gg/mm/aaaa]\n";
        return 2;
    }
    if (folder.isEmpty())
        folder = programFolder();
    if (!QFileInfo(folder).isDir()) {
        err << folder << ": la cartella non esiste\n";
        return 2;
    }
    const lists::ExportConfig &config = deadlines::viewConfig(chosen->view);
    lists::ExportGridModel grid(config.grid);
    // Unlike the windows, the command creates no archive.
    const deadlines::ViewResult result = deadlines::fillView(grid, chosen->view, date, false, folder);
    printGridRows(config, grid, out);
    if (result.skipped > 0)
        err << "schede saltate perché la data o il preavviso non si leggono: " << result.skipped
            << '\n';
    if (!result.complete) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    return 0;
}

int calendar(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString file, target;
    if (!fileAndTarget(args, file, target, err))
        return 2;
    const QFileInfo info(file);
    if (file.isEmpty() || !kit::isYearlyArchiveName(info.fileName(), QStringLiteral(".sca"))) {
        err << "uso: calendar AAAA.sca [--out FILE.ics]\n";
        return 2;
    }
    if (!info.isFile()) {
        err << file << ": il file non esiste\n";
        return 2;
    }
    deadlines::CalendarFile calendar;
    try {
        calendar = deadlines::deadlineCalendar(file, platform::clock().now());
    } catch (const std::exception &) {
        err << FileAccessErrorText() << '\n';
        return 1;
    }
    // Beside the archive, unless told otherwise.
    if (target.isEmpty())
        target = info.dir().filePath(QStringLiteral("Scadenze_") + info.completeBaseName()
                                     + QStringLiteral(".ics"));
    if (!writeWholeFile(target, calendar.text)) {
        err << target << ": il file non si può scrivere\n";
        return 1;
    }
    if (calendar.skipped > 0)
        err << "schede saltate perché la data o il preavviso non si leggono: " << calendar.skipped
            << '\n';
    out << target << " (" << calendar.events << " eventi)\n";
    return 0;
}

} // namespace

void registerDeadlineCommands()
{
    addCommand({"view",
                "view imminenti|giorno|mese [CARTELLA] [--date gg/mm/aaaa]  le scadenze in ordine "
                "di data, come righe JSON",
                view});
    addCommand({"calendar", "calendar AAAA.sca [--out FILE.ics]  le scadenze dell'anno per il "
                            "calendario del telefono",
                calendar});
}

} // namespace pratelia::cli
