#include "memfs.h"

#include <cstring>

namespace pratelia::fuzzing {

namespace {

class MemoryFile final : public FileHandle {
public:
    MemoryFile(MemoryFileSystem *fs, QString path, bool writable)
        : m_fs(fs), m_path(std::move(path)), m_writable(writable) {}
    ~MemoryFile() override { unlock(); }

    QByteArray &data() { return m_fs->files[m_path]; }

    bool size(qint64 &bytes) override
    {
        if (m_fs->shouldFail(IoStep::Size))
            return false;
        bytes = data().size();
        return true;
    }
    bool readAt(qint64 offset, char *out, qint64 max, qint64 &got) override
    {
        got = 0;
        if (m_fs->shouldFail(IoStep::Read) || offset < 0 || max < 0)
            return false;
        const QByteArray &d = data();
        if (offset < d.size())
            got = std::min<qint64>(max, d.size() - offset);
        if (got > 0)
            std::memcpy(out, d.constData() + offset, size_t(got));
        return true;
    }
    bool writeAt(qint64 offset, const char *in, qint64 length) override
    {
        if (!m_writable || m_fs->shouldFail(IoStep::Write) || offset < 0)
            return false;
        QByteArray &d = data();
        if (d.size() < offset + length)
            d.resize(offset + length, '\0');
        std::memcpy(d.data() + offset, in, size_t(length));
        return true;
    }
    bool write(const char *in, qint64 length) override
    {
        return writeAt(data().size(), in, length);
    }
    bool truncate(qint64 bytes) override
    {
        if (!m_writable || m_fs->shouldFail(IoStep::Truncate) || bytes < 0)
            return false;
        data().resize(bytes, '\0');
        return true;
    }
    bool flush() override { return !m_fs->shouldFail(IoStep::Flush); }
    bool lock() override
    {
        if (m_fs->shouldFail(IoStep::Lock) || m_fs->locked)
            return false;
        m_fs->locked = m_holds = true;
        return true;
    }
    void unlock() override
    {
        if (m_holds)
            m_fs->locked = m_holds = false;
    }
    bool close() override
    {
        unlock();
        return !m_fs->shouldFail(IoStep::Close);
    }

private:
    MemoryFileSystem *m_fs;
    QString m_path;
    bool m_writable;
    bool m_holds = false;
};

} // namespace

MemoryFileSystem::MemoryFileSystem()
{
    FileSystem::install(this);
}

MemoryFileSystem::~MemoryFileSystem()
{
    FileSystem::install(nullptr);
}

bool MemoryFileSystem::shouldFail(IoStep step)
{
    return failAfter > 0 && step == failStep && ++m_seen == failAfter;
}

std::unique_ptr<FileHandle> MemoryFileSystem::open(const QString &path, OpenMode mode,
                                                   OpenFailure *failure)
{
    auto fail = [&](OpenFailure why) {
        if (failure)
            *failure = why;
        return nullptr;
    };
    if (failure)
        *failure = OpenFailure::None;
    if (shouldFail(IoStep::Open))
        return fail(OpenFailure::Other);
    const bool exists = files.contains(path);
    switch (mode) {
    case OpenMode::ReadOnly:
    case OpenMode::ReadWrite:
    case OpenMode::ReadChosen:
        if (!exists)
            return fail(OpenFailure::NotFound);
        break;
    case OpenMode::CreateNew:
        if (exists)
            return fail(OpenFailure::Exists);
        files.insert(path, QByteArray());
        break;
    case OpenMode::WriteTruncate:
        files.insert(path, QByteArray());
        break;
    }
    return std::make_unique<MemoryFile>(this, path,
                                        mode != OpenMode::ReadOnly && mode != OpenMode::ReadChosen);
}

bool MemoryFileSystem::rename(const QString &from, const QString &to)
{
    if (shouldFail(IoStep::Rename) || !files.contains(from))
        return false;
    files.insert(to, files.take(from));
    return true;
}

} // namespace pratelia::fuzzing
