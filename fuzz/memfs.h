#pragma once
// An in-memory file system for the fuzz targets: the input becomes a file
// without touching the disk, and one step can be made to fail.
#include "store/fileio.h"

#include <QHash>
#include <cstdlib>

namespace pratelia::fuzzing {

// A property of the target that does not hold: the fuzzer reports the input.
inline void check(bool holds)
{
    if (!holds)
        std::abort();
}

class MemoryFileSystem : public FileSystem {
public:
    MemoryFileSystem();
    ~MemoryFileSystem() override;

    QHash<QString, QByteArray> files;
    // The step that fails, at its `failAfter`-th occurrence (0: none).
    IoStep failStep = IoStep::Open;
    int failAfter = 0;
    bool locked = false; // a lock is held by some handle

    std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode,
                                     OpenFailure *failure) override;
    bool rename(const QString &from, const QString &to) override;
    bool remove(const QString &path) override { return files.remove(path) > 0; }
    bool shouldFail(IoStep step);

private:
    int m_seen = 0;
};

} // namespace pratelia::fuzzing
