// An archive file of any content, and a failure at any step: the checks of
// the companion (verify, dump) and the store's readers and writers never
// crash, count what is there and keep every complete record.
#include "memfs.h"

#include "store/dumpline.h"
#include "store/recordfile.h"
#include "store/verify.h"

#include <cstdint>
#include <cstdlib>

using namespace pratelia;
using namespace pratelia::fuzzing;

namespace {

const char *const kNames[] = {"/p/Clienti.arx", "/p/Tariffario.arx", "/p/2024.ser",
                              "/p/2024.sca", "/p/2024.prt"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const QString path = QString::fromLatin1(kNames[data[0] % 5]);
    const RecordLayout &layout = *layouts::forFileName(path);
    const int rs = layout.recordSize();
    // Second byte: which step fails, and at which of its occurrences.
    const int failAfter = data[1] >> 4;
    const IoStep failStep = IoStep(data[1] % 10);
    const QByteArray content(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const int complete = int(content.size() / rs);

    MemoryFileSystem fs;
    fs.files.insert(path, content);
    fs.failStep = failStep;
    fs.failAfter = failAfter;

    const ArchiveReport report = verifyArchive(path, layout);
    if (failAfter == 0) {
        check(report.readable);
        check(report.records == complete);
        check(report.trailingBytes == content.size() % rs);
        for (const ArchiveProblem &p : report.problems)
            check(p.record >= 0 && p.record <= complete);
    }

    int dumped = 0;
    try {
        scanArchive(path, layout, [&](const RecordView &r, int n) {
            check(n == ++dumped);
            check(!dumpLine(r, n).isEmpty());
            return true;
        });
        check(failAfter != 0 || dumped == complete);
    } catch (const ArchiveError &) {
        check(failAfter != 0);
    }
    check(!fs.locked);

    // A new record goes after the complete ones; they stay as they were.
    Record added(layout);
    added.setText(0, QStringLiteral("nuovo"));
    try {
        const int n = appendRecord(path, added);
        const QByteArray &after = fs.files[path];
        check(n == complete + 1);
        check(after.size() == qsizetype(n) * rs);
        check(after.left(complete * rs) == content.left(complete * rs));
        check(after.mid(complete * rs) == added.bytes());
    } catch (const ArchiveError &) {
        // Whatever the failure, every complete record is still there.
        check(failAfter != 0);
        const QByteArray &after = fs.files[path];
        check(after.left(complete * rs) == content.left(complete * rs));
    }
    check(!fs.locked);

    // Updating a record touches that record only.
    if (complete > 0) {
        const QByteArray before = fs.files[path];
        const int target = 1 + int(data[1]) % complete;
        try {
            updateRecord(path, added, target);
        } catch (const ArchiveError &) {
            check(failAfter != 0);
        }
        const QByteArray &after = fs.files[path];
        check(after.size() == before.size());
        check(after.left((target - 1) * rs) == before.left((target - 1) * rs));
        check(after.mid(target * rs) == before.mid(target * rs));
        check(!fs.locked);
    }
    return 0;
}
