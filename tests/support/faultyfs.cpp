#include "faultyfs.h"

#include <QFile>
#include <QFileInfo>

namespace pratelia::testing {

namespace {

class FaultyHandle final : public FileHandle {
public:
    FaultyHandle(FaultyFileSystem *fs, std::unique_ptr<FileHandle> inner)
        : m_fs(fs), m_inner(std::move(inner)) {}

    bool size(qint64 &bytes) override
    {
        return !m_fs->shouldFail(IoStep::Size) && m_inner->size(bytes);
    }
    bool readAt(qint64 offset, char *data, qint64 max, qint64 &got) override
    {
        if (m_fs->shouldFail(IoStep::Seek) || m_fs->shouldFail(IoStep::Read)) {
            got = 0;
            return false;
        }
        return m_inner->readAt(offset, data, max, got);
    }
    bool writeAt(qint64 offset, const char *data, qint64 length) override
    {
        if (m_fs->shouldFail(IoStep::Seek))
            return false;
        if (m_fs->shouldFail(IoStep::Write)) {
            if (m_fs->m_shortWrite > 0)
                m_inner->writeAt(offset, data, std::min<qint64>(length, m_fs->m_shortWrite));
            return false;
        }
        return m_inner->writeAt(offset, data, length);
    }
    bool write(const char *data, qint64 length) override
    {
        if (m_fs->shouldFail(IoStep::Write)) {
            if (m_fs->m_shortWrite > 0)
                m_inner->write(data, std::min<qint64>(length, m_fs->m_shortWrite));
            return false;
        }
        return m_inner->write(data, length);
    }
    bool truncate(qint64 bytes) override
    {
        return !m_fs->shouldFail(IoStep::Truncate) && m_inner->truncate(bytes);
    }
    bool flush() override { return !m_fs->shouldFail(IoStep::Flush) && m_inner->flush(); }
    bool lock() override { return !m_fs->shouldFail(IoStep::Lock) && m_inner->lock(); }
    void unlock() override { m_inner->unlock(); }
    bool close() override
    {
        const bool ok = m_inner->close(); // the descriptor is released either way
        return !m_fs->shouldFail(IoStep::Close) && ok;
    }

private:
    FaultyFileSystem *m_fs;
    std::unique_ptr<FileHandle> m_inner;
};

} // namespace

FaultyFileSystem::FaultyFileSystem()
{
    FileSystem::install(this);
}

FaultyFileSystem::~FaultyFileSystem()
{
    FileSystem::install(nullptr);
}

void FaultyFileSystem::failAt(IoStep step, int nth, bool sticky)
{
    m_counts.clear();
    m_faults = {Fault{int(step), nth, sticky}};
    m_triggered = false;
}

void FaultyFileSystem::alsoFailAt(IoStep step, int nth, bool sticky)
{
    m_faults.append(Fault{int(step), nth, sticky});
}

void FaultyFileSystem::reset()
{
    m_counts.clear();
    m_faults.clear();
    m_only.clear();
    m_triggered = false;
    m_shortWrite = -1;
    m_toTake = 0;
    m_taken.clear();
}

bool FaultyFileSystem::shouldFail(IoStep step)
{
    const int n = ++m_counts[int(step)];
    for (const Fault &f : m_faults) {
        if (f.step == int(step) && (n == f.nth || (f.sticky && n > f.nth))) {
            m_triggered = true;
            return true;
        }
    }
    return false;
}

void FaultyFileSystem::takeNextCreatedNames(int count, const QString &linkTarget)
{
    m_toTake = count;
    m_linkTarget = linkTarget;
}

std::unique_ptr<FileHandle> FaultyFileSystem::open(const QString &path, OpenMode mode,
                                                   OpenFailure *failure)
{
    if (mode == OpenMode::CreateNew && m_toTake > 0) {
        --m_toTake;
        if (QFile::link(m_linkTarget, path))
            m_taken.append(path);
    }
    if (!concerns(path))
        return FileSystem::real().open(path, mode, failure);
    if (shouldFail(IoStep::Open)) {
        if (failure)
            *failure = OpenFailure::Other;
        return nullptr;
    }
    auto inner = FileSystem::real().open(path, mode, failure);
    if (!inner)
        return nullptr;
    return std::make_unique<FaultyHandle>(this, std::move(inner));
}

bool FaultyFileSystem::rename(const QString &from, const QString &to)
{
    if (!concerns(from) && !concerns(to))
        return FileSystem::real().rename(from, to);
    return !shouldFail(IoStep::Rename) && FileSystem::real().rename(from, to);
}

OutsideFile::OutsideFile(const QByteArray &content) : m_original(content)
{
    QFile f(path());
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path()));
}

QByteArray OutsideFile::content() const
{
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool OutsideFile::plantLink(const QString &linkPath, bool toMissing) const
{
    return QFile::link(toMissing ? missingPath() : path(), linkPath);
}

bool isPlainFile(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && !info.isSymLink();
}

bool isLink(const QString &path)
{
    return QFileInfo(path).isSymLink();
}

} // namespace pratelia::testing
