// pratelia-cli: the office's archives from the command line.
#include "commands.h"

#include <QCoreApplication>
#include <cstdio>

namespace pratelia::cli {

namespace {
QList<Command> &registry()
{
    static QList<Command> list;
    return list;
}
} // namespace

void addCommand(Command c)
{
    registry().append(std::move(c));
}

const QList<Command> &commands()
{
    return registry();
}

} // namespace pratelia::cli

using namespace pratelia::cli;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    addCommand({"dump", "dump FILE            le schede dell'archivio come righe JSON", runDump});
    addCommand({"verify", "verify [CARTELLA]    controlla gli archivi della cartella", runVerify});
    registerCheckCommands();
    registerListCommands();
    registerDeadlineCommands();
    registerSummaryCommands();
    registerProtocolCommands();

    QTextStream out(stdout), err(stderr);
    out.setEncoding(QStringConverter::Utf8);
    err.setEncoding(QStringConverter::Utf8);
    QStringList args = app.arguments().mid(1);
    const QString name = args.isEmpty() ? QString() : args.takeFirst();
    for (const Command &c : commands()) {
        if (name == QLatin1String(c.name)) {
            const int rc = c.run(args, out, err);
            out.flush();
            err.flush();
            return rc;
        }
    }
    QTextStream &to = (name.isEmpty() || name == u"help" || name == u"--help") ? out : err;
    if (!name.isEmpty() && name != u"help" && name != u"--help")
        err << "comando sconosciuto: " << name << '\n';
    to << "uso: pratelia-cli COMANDO [ARGOMENTI]\n";
    for (const Command &c : commands())
        to << "  " << c.usage << '\n';
    to.flush();
    return (name.isEmpty() || name == u"help" || name == u"--help") ? 0 : 2;
}
