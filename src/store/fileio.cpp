#include "fileio.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pratelia {

const char *ioStepName(IoStep step)
{
    switch (step) {
    case IoStep::Open: return "open";
    case IoStep::Size: return "size";
    case IoStep::Seek: return "seek";
    case IoStep::Read: return "read";
    case IoStep::Write: return "write";
    case IoStep::Flush: return "flush";
    case IoStep::Close: return "close";
    case IoStep::Lock: return "lock";
    case IoStep::Truncate: return "truncate";
    case IoStep::Rename: return "rename";
    }
    return "?";
}

namespace {
std::atomic<int> g_lockWait{10000};
} // namespace

int lockWaitMilliseconds()
{
    return g_lockWait.load();
}

void setLockWaitMilliseconds(int ms)
{
    g_lockWait.store(ms < 0 ? 0 : ms);
}

namespace {

class PosixFile final : public FileHandle {
public:
    explicit PosixFile(int fd) : m_fd(fd) {}
    ~PosixFile() override
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool size(qint64 &bytes) override
    {
        struct stat st;
        if (::fstat(m_fd, &st) != 0)
            return false;
        bytes = st.st_size;
        return true;
    }

    bool readAt(qint64 offset, char *data, qint64 max, qint64 &got) override
    {
        got = 0;
        return transfer(max, got, [&](qint64 done) {
            const ssize_t n = ::pread(m_fd, data + done, size_t(max - done), off_t(offset + done));
            return n == 0 ? Ended : n;
        });
    }

    bool writeAt(qint64 offset, const char *data, qint64 length) override
    {
        qint64 done = 0;
        return transfer(length, done, [&](qint64 at) {
            return ssize_t(::pwrite(m_fd, data + at, size_t(length - at), off_t(offset + at)));
        });
    }

    bool write(const char *data, qint64 length) override
    {
        qint64 done = 0;
        return transfer(length, done, [&](qint64 at) {
            return ssize_t(::write(m_fd, data + at, size_t(length - at)));
        });
    }

    bool truncate(qint64 bytes) override { return ::ftruncate(m_fd, off_t(bytes)) == 0; }
    bool flush() override { return ::fdatasync(m_fd) == 0 || errno == EINVAL; }

    bool lock() override
    {
        // A lock of the open file description (not of the process), so that
        // closing another descriptor of the same file never drops it; older
        // kernels fall back to the classic record lock. The wait is bounded:
        // a copy of the program that hangs on a network share must not freeze
        // this one.
        const auto deadline = std::chrono::steady_clock::now()
                              + std::chrono::milliseconds(lockWaitMilliseconds());
        for (;;) {
            struct flock fl = lockRange(F_WRLCK);
            int rc = ::fcntl(m_fd, m_ofd ? F_OFD_SETLK : F_SETLK, &fl);
            if (rc != 0 && m_ofd && errno == EINVAL) {
                m_ofd = false;
                continue;
            }
            if (rc == 0)
                return true;
            if (errno == EINTR)
                continue;
            if (errno == ENOLCK || errno == EOPNOTSUPP || errno == ENOSYS) {
                // The file system keeps no locks (some network shares): go on
                // without one, as the program always did.
                return true;
            }
            if (errno != EACCES && errno != EAGAIN)
                return false;
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

    void unlock() override
    {
        struct flock fl = lockRange(F_UNLCK);
        if (::fcntl(m_fd, m_ofd ? F_OFD_SETLK : F_SETLK, &fl) != 0 && m_ofd)
            ::fcntl(m_fd, F_SETLK, &fl);
    }

    bool close() override
    {
        const int fd = m_fd;
        m_fd = -1;
        if (fd < 0)
            return false;
        // After EINTR the descriptor is released all the same (Linux).
        return ::close(fd) == 0 || errno == EINTR;
    }

private:
    static constexpr ssize_t Ended = -2;

    // Moves `length` bytes in as many system calls as it takes; `step(done)`
    // returns the bytes it moved, -1 on failure or Ended at the end of the
    // file (reads only). A call interrupted by a signal is repeated; a write
    // that moves nothing is a failure, never a reason to loop for ever.
    template <class Step>
    static bool transfer(qint64 length, qint64 &done, Step step)
    {
        while (done < length) {
            const ssize_t n = step(done);
            if (n == Ended)
                break;
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (n == 0)
                return false;
            done += n;
        }
        return true;
    }

    // The lock covers one byte far past the data, not the records: on a
    // share whose server enforces locks (Windows servers do), a lock over
    // the records would make another copy's reads fail while it is held.
    // 2 GiB - 1 suits servers that know only 32-bit offsets too.
    static struct flock lockRange(short type)
    {
        struct flock fl = {};
        fl.l_type = type;
        fl.l_whence = SEEK_SET;
        fl.l_start = 0x7FFFFFFF;
        fl.l_len = 1;
        return fl;
    }

    int m_fd;
    bool m_ofd = true;
};

class PosixFileSystem final : public FileSystem {
public:
    std::unique_ptr<FileHandle> open(const QString &path, OpenMode mode,
                                     OpenFailure *failure) override
    {
        if (failure)
            *failure = OpenFailure::None;
        // Non-blocking only while opening: a pipe or device under an archive's
        // name must not hang the program; it is refused below.
        int flags = O_CLOEXEC | O_NONBLOCK | O_NOFOLLOW;
        switch (mode) {
        case OpenMode::ReadOnly: flags |= O_RDONLY; break;
        case OpenMode::ReadWrite: flags |= O_RDWR; break;
        case OpenMode::CreateNew: flags |= O_RDWR | O_CREAT | O_EXCL; break;
        case OpenMode::WriteTruncate: flags |= O_WRONLY | O_CREAT | O_TRUNC; break;
        case OpenMode::ReadChosen: flags = (flags & ~O_NOFOLLOW) | O_RDONLY; break;
        }
        const QByteArray native = QFile::encodeName(path);
        int fd;
        do {
            fd = ::open(native.constData(), flags, 0666);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            if (failure)
                *failure = errno == ENOENT ? OpenFailure::NotFound
                           : errno == EEXIST ? OpenFailure::Exists
                                             : OpenFailure::Other;
            return nullptr;
        }
        struct stat st;
        if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)
            || ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
            ::close(fd);
            if (failure)
                *failure = OpenFailure::Other;
            return nullptr;
        }
        return std::make_unique<PosixFile>(fd);
    }

    bool rename(const QString &from, const QString &to) override
    {
        return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
    }
};

FileSystem *g_installed = nullptr;

} // namespace

bool FileSystem::remove(const QString &path)
{
    return QFile::remove(path);
}

FileSystem &FileSystem::real()
{
    static PosixFileSystem fs;
    return fs;
}

FileSystem &FileSystem::current()
{
    return g_installed ? *g_installed : real();
}

void FileSystem::install(FileSystem *fs)
{
    g_installed = fs;
}

bool readWholeFile(const QString &path, QByteArray &data, bool *notFound)
{
    OpenFailure failure = OpenFailure::None;
    auto f = FileSystem::current().open(path, OpenMode::ReadOnly, &failure);
    if (notFound)
        *notFound = failure == OpenFailure::NotFound;
    if (!f)
        return false;
    qint64 size = 0;
    if (!f->size(size) || size < 0 || size > (qint64(1) << 30))
        return false;
    data.resize(qsizetype(size));
    qint64 got = 0;
    if (!f->readAt(0, data.data(), size, got))
        return false;
    data.resize(qsizetype(got));
    return f->close();
}

namespace {

// Names tried for a temporary file before giving up: a name is taken only
// by chance or by someone planting files in the folder.
constexpr int kTemporaryAttempts = 16;

// "~prt" and eight random hexadecimal digits: short, so it fits next to a
// target of any name length, and not guessable by whoever shares the folder.
QString temporaryName()
{
    return QStringLiteral("~prt%1.tmp")
        .arg(QRandomGenerator::system()->generate(), 8, 16, QLatin1Char('0'));
}

// Removes the temporary file on every way out (a writer that throws too)
// unless it was renamed.
class TemporaryGuard {
public:
    TemporaryGuard(FileSystem &fs, const QString &path) : m_fs(fs), m_path(path) {}
    ~TemporaryGuard()
    {
        if (!m_kept)
            m_fs.remove(m_path);
    }
    TemporaryGuard(const TemporaryGuard &) = delete;
    TemporaryGuard &operator=(const TemporaryGuard &) = delete;
    void keep() { m_kept = true; }

private:
    FileSystem &m_fs;
    QString m_path;
    bool m_kept = false;
};

} // namespace

bool replaceFile(const QString &target, const std::function<bool(FileHandle &)> &write)
{
    FileSystem &fs = FileSystem::current();
    // In the target's own folder: a rename cannot cross file systems.
    const QString folder = QFileInfo(target).path() + u'/';
    std::unique_ptr<FileHandle> file;
    QString temp;
    for (int attempt = 0; attempt < kTemporaryAttempts && !file; ++attempt) {
        temp = folder + temporaryName();
        OpenFailure failure = OpenFailure::None;
        file = fs.open(temp, OpenMode::CreateNew, &failure);
        // Only a taken name is worth another try; what is there is not ours
        // and stays as it is.
        if (!file && failure != OpenFailure::Exists)
            return false;
    }
    if (!file)
        return false;
    TemporaryGuard guard(fs, temp);
    bool ok = write(*file) && file->flush();
    ok = file->close() && ok; // the descriptor is released either way
    if (!ok || !fs.rename(temp, target))
        return false;
    guard.keep();
    return true;
}

bool writeWholeFile(const QString &path, const QByteArray &data)
{
    return replaceFile(path, [&](FileHandle &file) { return file.write(data.constData(), data.size()); });
}

} // namespace pratelia
