// A second (third, ...) copy of the program for the concurrency tests:
// appends and updates records of one client archive the way the client card
// does, each action a full open-write-close cycle.
//   archive_writer append PATH WRITER COUNT   prints "WRITER K NUMBER" per append
//   archive_writer hold PATH MILLISECONDS     holds the append lock, then exits
#include "writerrecord.h"

#include "store/fileio.h"
#include "store/recordfile.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>

using namespace pratelia;
using namespace pratelia::testing;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 3 && args[0] == u"hold") {
        auto f = FileSystem::real().open(args[1], OpenMode::ReadWrite);
        if (!f || !f->lock())
            return 3;
        std::printf("locked\n");
        std::fflush(stdout);
        QThread::msleep(args[2].toULong());
        return 0;
    }
    if (args.size() != 4 || args[0] != u"append")
        return 2;
    const QString path = args[1];
    const int writer = args[2].toInt();
    const int count = args[3].toInt();
    int previous = 0;
    for (int k = 0; k < count; ++k) {
        try {
            const int n = appendRecord(path, writerRecord(writer, k, false));
            std::printf("%d %d %d\n", writer, k, n);
            // Then save the previous card again, changed, as a user would.
            if (previous)
                updateRecord(path, writerRecord(writer, k - 1, true), previous);
            previous = n;
        } catch (const ArchiveError &e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 1;
        }
    }
    std::fflush(stdout);
    return 0;
}
