#pragma once
// The commands of pratelia-cli. Each gets its arguments (after the command
// name) and writes to out/err; the return value is the exit code.
#include <QStringList>
#include <QTextStream>
#include <functional>

namespace pratelia::lists {
struct ExportConfig;
class ExportGridModel;
}

namespace pratelia::cli {

struct Command {
    const char *name;
    const char *usage; // one line, shown by "help"
    std::function<int(const QStringList &args, QTextStream &out, QTextStream &err)> run;
};

// Adds a command; each command file registers its own from main.cpp.
void addCommand(Command c);
const QList<Command> &commands();

// One JSON string, escaped.
QString jsonString(const QString &s);

// The arguments "FILE [--out TARGET]" of the commands that write a file
// beside their archive; false (the message written) for anything else.
bool fileAndTarget(const QStringList &args, QString &file, QString &target, QTextStream &err);

// The rows of a view's grid as JSON Lines, keyed by the column headers.
void printGridRows(const lists::ExportConfig &config, const lists::ExportGridModel &grid,
                   QTextStream &out);

// Each command file registers its commands.
void registerCheckCommands();
void registerListCommands();
void registerDeadlineCommands();
void registerSummaryCommands();
void registerProtocolCommands();

// list intervallo FILE.prt --from ... --to ...: the protocol summary by interval.
int runIntervalList(const QStringList &args, QTextStream &out, QTextStream &err);

int runDump(const QStringList &args, QTextStream &out, QTextStream &err);
int runVerify(const QStringList &args, QTextStream &out, QTextStream &err);

} // namespace pratelia::cli
