#pragma once
// A file system that fails on purpose: wraps the real one and makes one
// step fail (open, size, read, write, ...) at its Nth occurrence, or at
// every occurrence from then on. Installed for the object's lifetime.
#include "store/fileio.h"

#include <QHash>
#include <QList>

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
    void reset();
    // How often each step ran since the last reset.
    int count(IoStep step) const { return m_counts.value(int(step)); }
    bool triggered() const { return m_triggered; }

    std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode, bool *notFound) override;
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
};

} // namespace pratelia::testing
