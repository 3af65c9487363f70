#pragma once
// A file system that fails on purpose: wraps the real one and makes one
// step fail (open, size, read, write, ...) at its Nth occurrence, or at
// every occurrence from then on. Installed for the object's lifetime.
// Also a file outside the program folder for links planted in it, as
// someone sharing the folder may plant them.
#include "store/fileio.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QTemporaryDir>

namespace pratelia::testing {

class FaultyFileSystem : public FileSystem {
public:
    FaultyFileSystem();
    ~FaultyFileSystem() override;

    // Fails the `nth` (1-based) occurrence of `step`, counted from now;
    // with `sticky`, every occurrence from then on fails too. Replaces the
    // failures set before.
    void failAt(IoStep step, int nth = 1, bool sticky = false);
    // Adds a failure of another step to the one set by failAt (a write that
    // fails, and then the undo of it too).
    void alsoFailAt(IoStep step, int nth = 1, bool sticky = false);
    // Only files whose name contains `part` count and fail (empty: all).
    void onlyFiles(const QString &part) { m_only = part; }
    bool concerns(const QString &path) const { return m_only.isEmpty() || path.contains(m_only); }
    // Fails a write after only `bytes` bytes of it reached the disk.
    void shortWrite(int bytes) { m_shortWrite = bytes; }
    // Someone sharing the folder takes the name of the next `count` files
    // created exclusively (OpenMode::CreateNew, as temporary files are):
    // right before each such open, a link to `linkTarget` is put under the
    // name, and the real file system must then refuse it. Every name taken
    // so far is in takenNames().
    void takeNextCreatedNames(int count, const QString &linkTarget);
    const QStringList &takenNames() const { return m_taken; }
    void reset();
    // How often each step ran since the last reset.
    int count(IoStep step) const { return m_counts.value(int(step)); }
    bool triggered() const { return m_triggered; }

    std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode,
                                     OpenFailure *failure) override;
    bool rename(const QString &from, const QString &to) override;
    bool remove(const QString &path) override { return FileSystem::real().remove(path); }

    // Called by the handles: true when this occurrence must fail.
    bool shouldFail(IoStep step);
    int m_shortWrite = -1;

private:
    struct Fault {
        int step;
        int nth;
        bool sticky;
    };
    QHash<int, int> m_counts;
    QList<Fault> m_faults;
    QString m_only;
    bool m_triggered = false;
    int m_toTake = 0;
    QString m_linkTarget;
    QStringList m_taken;
};

// A file in a folder of its own, away from the program folder, that links
// planted in the program folder point at: whatever the program does, it
// must stay as it was.
class OutsideFile {
public:
    explicit OutsideFile(const QByteArray &content = "contenuto di un altro file\r\n");
    QString path() const { return m_dir.filePath(QStringLiteral("altrove.dat")); }
    // A name in the same folder where no file is (for a link to nothing).
    QString missingPath() const { return m_dir.filePath(QStringLiteral("mancante.dat")); }
    const QByteArray &original() const { return m_original; }
    // What the file holds now.
    QByteArray content() const;
    // Puts a link to this file (or to missingPath()) at `linkPath`.
    bool plantLink(const QString &linkPath, bool toMissing = false) const;

private:
    QTemporaryDir m_dir;
    QByteArray m_original;
};

// True when `path` is a plain file itself, not a link to one.
bool isPlainFile(const QString &path);
// True when `path` is a link (to anything, or to nothing).
bool isLink(const QString &path);

} // namespace pratelia::testing
