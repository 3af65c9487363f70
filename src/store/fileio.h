#pragma once
// The file layer under every archive, settings file and exported file.
// All file access of the program goes through FileSystem::current(), which
// tests replace to inject a failure at any step.
#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace pratelia {

// The program folder may be shared with other people, who can put a link
// under any name the program uses: every mode but ReadChosen refuses a link
// in the last part of the path, so the program never reads or writes a file
// elsewhere on the disk through one.
enum class OpenMode {
    ReadOnly,       // existing file only
    ReadWrite,      // existing file only
    CreateNew,      // read-write, fails if anything (a file, a link) has the name
    WriteTruncate,  // create or empty the file, write only
    ReadChosen,     // read-only, a file the user picked in the file chooser,
                    // anywhere on the disk: a link is followed
};

// Why an open failed.
enum class OpenFailure {
    None,
    NotFound, // no file of that name
    Exists,   // CreateNew: the name is taken
    Other,    // anything else: permissions, a link, not a plain file, ...
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
    // nullptr on failure, and then `failure` says why.
    virtual std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode,
                                             OpenFailure *failure = nullptr) = 0;
    // Renames a file over another (same folder); false on failure. What is
    // at `to` (a link too) is replaced, never written through.
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

// Reads a whole (small) file of the program folder (a link is refused);
// false on any failure, `notFound` set for a missing file.
bool readWholeFile(const QString &path, QByteArray &data, bool *notFound = nullptr);

// Writes the file at `target` anew, never into what is there now: `write`
// fills a new temporary file in the same folder, which is then flushed,
// closed and renamed over `target`. The temporary file gets a fresh short
// name on each attempt (never derived from the target's, which may be as
// long as a name can be) and is created exclusively, so that nothing put
// there by someone else, a link least of all, is ever written into; a link
// or a file under `target` itself is replaced, not followed. `write` writes
// front to back with FileHandle::write and returns false on failure. On any
// failure the temporary file is removed and `target` keeps what it held.
bool replaceFile(const QString &target, const std::function<bool(FileHandle &file)> &write);
// replaceFile with the whole contents at once; false on any failure.
bool writeWholeFile(const QString &path, const QByteArray &data);

} // namespace pratelia
