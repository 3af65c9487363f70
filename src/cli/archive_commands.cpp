// dump and verify: the archives as the program reads them.
#include "commands.h"

#include "lists/exportgrid.h"
#include "store/dumpline.h"
#include "store/recordfile.h"
#include "store/values.h"
#include "store/verify.h"

#include <QFileInfo>

namespace pratelia::cli {

QString jsonString(const QString &s)
{
    return pratelia::jsonString(s);
}

void printGridRows(const lists::ExportConfig &config, const lists::ExportGridModel &grid,
                   QTextStream &out)
{
    for (int row = 0; row < grid.rowCount(); ++row) {
        out << '{';
        for (int col = 0; col < grid.columnCount(); ++col) {
            if (col > 0)
                out << ',';
            out << jsonString(QString::fromUtf8(config.grid.at(col).header)) << ':'
                << jsonString(grid.cell(row, col));
        }
        out << "}\n";
    }
}

bool fileAndTarget(const QStringList &args, QString &file, QString &target, QTextStream &err)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == u"--out" && i + 1 < args.size())
            target = args.at(++i);
        else if (file.isEmpty())
            file = args.at(i);
        else {
            err << "argomento non previsto: " << args.at(i) << '\n';
            return false;
        }
    }
    return true;
}

int runDump(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() != 1) {
        err << "uso: pratelia-cli dump FILE\n";
        return 2;
    }
    const QString path = args.first();
    const RecordLayout *layout = layouts::forFileName(path);
    if (!layout) {
        err << path << ": non è un archivio di Pratelia (Clienti.arx, Tariffario.arx, "
            << "*.ser, *.sca, *.prt)\n";
        return 2;
    }
    const QFileInfo fi(path);
    if (!fi.exists() || !fi.isFile()) {
        err << path << ": il file non esiste\n";
        return 2;
    }
    try {
        scanArchive(path, *layout, [&](const RecordView &r, int n) {
            out << dumpLine(r, n) << '\n';
            return true;
        });
    } catch (const ArchiveError &) {
        out.flush();
        err << path << ": errore di lettura dell'archivio\n";
        return 2;
    }
    return 0;
}

int runVerify(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.size() > 1) {
        err << "uso: pratelia-cli verify [CARTELLA]\n";
        return 2;
    }
    const QString folder = args.isEmpty() ? programFolder() : args.first();
    if (!QFileInfo(folder).isDir()) {
        err << folder << ": la cartella non esiste\n";
        return 2;
    }
    const QStringList files = archiveFilesIn(folder);
    if (files.isEmpty())
        out << folder << ": nessun archivio\n";
    bool allSound = true;
    for (const QString &path : files) {
        const ArchiveReport r = verifyArchive(path, *layouts::forFileName(path));
        allSound = allSound && r.sound();
        out << QFileInfo(path).fileName() << ": " << r.records
            << (r.records == 1 ? " scheda" : " schede")
            << (r.sound() ? ", integro" : "") << '\n';
        for (const ArchiveProblem &p : r.problems) {
            out << "  ";
            if (p.record)
                out << "scheda " << p.record << ", ";
            if (!p.field.isEmpty())
                out << "campo " << p.field << ": ";
            out << p.what << '\n';
        }
    }
    return allSound ? 0 : 1;
}

} // namespace pratelia::cli
