#pragma once
// The file layer under every archive, settings file and exported file.
// All file access of the program goes through FileSystem::current(), which
// tests replace to inject a failure at any step.
#include <QByteArray>
#include <QString>
#include <memory>

namespace pratelia {

enum class OpenMode {
    ReadOnly,       // existing file only
    ReadWrite,      // existing file only
    CreateNew,      // read-write, fails if the file exists
    WriteTruncate,  // create or empty the file, write only
};

// The steps at which an I/O failure can happen.
enum class IoStep { Open, Size, Seek, Read, Write, Flush, Close, Lock, Truncate, Rename };
const char *ioStepName(IoStep step);

class FileHandle {
public:
    virtual ~FileHandle() = default;
    // Each returns false on failure.
    virtual bool size(qint64 &bytes) = 0;
    // Reads up to `max` bytes at `offset`; `got` is what was read (less at
    // the end of the file).
    virtual bool readAt(qint64 offset, char *data, qint64 max, qint64 &got) = 0;
    virtual bool writeAt(qint64 offset, const char *data, qint64 length) = 0;
    // Appends at the current end (for text files written front to back).
    virtual bool write(const char *data, qint64 length) = 0;
    virtual bool truncate(qint64 bytes) = 0;
    virtual bool flush() = 0;
    // The file's exclusive write lock, taken by every copy of the program
    // for the moment of a write (readers never take it) and held until
    // unlock() or close(). Other copies that ask for it wait, at most
    // lockWaitMilliseconds(), then fail. On a file system without locks it
    // succeeds without one.
    virtual bool lock() = 0;
    virtual void unlock() = 0;
    virtual bool close() = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;
    // nullptr on failure; `notFound` tells a missing file from other failures.
    virtual std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode,
                                             bool *notFound = nullptr) = 0;
    // Renames a file over another (same folder); false on failure.
    virtual bool rename(const QString &from, const QString &to) = 0;
    // Removes a file (a temporary one left by a failed write); false when
    // it could not be removed.
    virtual bool remove(const QString &path);

    static FileSystem &current();
    // Replaces the file system (tests); nullptr restores the real one.
    static void install(FileSystem *fs);
    static FileSystem &real();
};

// How long lock() waits for another copy of the program to release a file
// (10 seconds unless changed).
int lockWaitMilliseconds();
void setLockWaitMilliseconds(int ms);

// Reads a whole (small) file; false on any failure, `notFound` set for a
// missing file.
bool readWholeFile(const QString &path, QByteArray &data, bool *notFound = nullptr);
// Replaces a whole (small) file's contents through a temporary file and a
// rename, so that a failure leaves the old contents; false on any failure.
bool writeWholeFile(const QString &path, const QByteArray &data);

} // namespace pratelia
