#include "recordfile.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace pratelia {

ArchiveError::ArchiveError(IoStep step, const QString &path)
    : std::runtime_error(std::string("archive ") + ioStepName(step) + " failed: "
                         + path.toStdString()),
      m_step(step), m_path(path)
{
}

RecordFile::~RecordFile()
{
    if (m_file)
        m_file->close();
}

void RecordFile::fail(IoStep step)
{
    throw ArchiveError(step, m_path);
}

void RecordFile::openOrCreate(const QString &path, const RecordLayout &layout, Access access)
{
    close();
    m_path = path;
    m_layout = &layout;
    m_position = 0;
    FileSystem &fs = FileSystem::current();
    // Neither mode follows a link: an archive name that someone turned into
    // a link fails to open and is never replaced.
    OpenFailure failure = OpenFailure::None;
    m_file = fs.open(path, access == Access::ReadOnly ? OpenMode::ReadOnly : OpenMode::ReadWrite,
                     &failure);
    if (!m_file && failure == OpenFailure::NotFound) {
        // Exclusive creation: a link put there meanwhile, even one pointing
        // at nothing, makes it fail instead of creating the file elsewhere.
        m_file = fs.open(path, OpenMode::CreateNew);
        // Another copy of the program may have created it meanwhile.
        if (!m_file)
            m_file = fs.open(path, access == Access::ReadOnly ? OpenMode::ReadOnly
                                                              : OpenMode::ReadWrite);
    }
    if (!m_file)
        fail(IoStep::Open);
}

int RecordFile::size()
{
    if (!m_file)
        fail(IoStep::Size);
    qint64 bytes = 0;
    if (!m_file->size(bytes) || bytes < 0)
        fail(IoStep::Size);
    return int(std::min<qint64>(bytes / m_layout->recordSize(), INT32_MAX));
}

void RecordFile::seek(int index)
{
    if (!m_file || index < 0 || index > size())
        fail(IoStep::Seek);
    m_position = index;
}

void RecordFile::read(Record &record)
{
    if (!m_file)
        fail(IoStep::Read);
    const int rs = m_layout->recordSize();
    QByteArray bytes(rs, Qt::Uninitialized);
    qint64 got = 0;
    if (!m_file->readAt(qint64(m_position) * rs, bytes.data(), rs, got) || got != rs)
        fail(IoStep::Read);
    record = Record(*m_layout, std::move(bytes));
    ++m_position;
}

Record RecordFile::read()
{
    Record r(*m_layout);
    read(r);
    return r;
}

namespace {
// Holds the append lock of a file for one write; released on every way out.
class LockGuard {
public:
    explicit LockGuard(FileHandle *f) : m_f(f) {}
    ~LockGuard() { m_f->unlock(); }
    LockGuard(const LockGuard &) = delete;
    LockGuard &operator=(const LockGuard &) = delete;

private:
    FileHandle *m_f;
};
} // namespace

void RecordFile::write(const Record &record)
{
    if (!m_file || &record.layout() != m_layout)
        fail(IoStep::Write);
    const int rs = m_layout->recordSize();
    if (m_position >= size()) {
        // Writing at the end is an append.
        append(record);
        return;
    }
    // The same short lock as appends: on a network share it also makes the
    // write reach the server before another copy reads or writes the file.
    if (!m_file->lock())
        fail(IoStep::Lock);
    LockGuard unlock(m_file.get());
    if (!m_file->writeAt(qint64(m_position) * rs, record.bytes().constData(), rs))
        fail(IoStep::Write);
    if (!m_file->flush())
        fail(IoStep::Flush);
    ++m_position;
}

int RecordFile::append(const Record &record, const std::function<void(Record &, int)> &complete)
{
    if (!m_file || &record.layout() != m_layout)
        fail(IoStep::Write);
    // The lock keeps two copies of the program that share the folder from
    // both writing at the same old end of the file.
    if (!m_file->lock())
        fail(IoStep::Lock);
    LockGuard unlock(m_file.get());
    const int rs = m_layout->recordSize();
    qint64 bytes = 0;
    if (!m_file->size(bytes) || bytes < 0)
        fail(IoStep::Size);
    const qint64 records = bytes / rs;
    if (records >= INT32_MAX)
        fail(IoStep::Write);
    const qint64 offset = records * rs; // over an incomplete last record
    Record landed = record;
    if (complete)
        complete(landed, int(records + 1));
    if (&landed.layout() != m_layout)
        fail(IoStep::Write);
    if (!m_file->writeAt(offset, landed.bytes().constData(), rs)) {
        // Leave no part of the failed record behind.
        m_file->truncate(bytes);
        fail(IoStep::Write);
    }
    if (!m_file->flush()) {
        // The disk did not take it: the user is told the save failed, so the
        // record must not turn up later as a copy when the save is repeated.
        m_file->truncate(bytes);
        fail(IoStep::Flush);
    }
    m_position = int(records + 1);
    return m_position;
}

void RecordFile::scan(const std::function<bool(const RecordView &, int)> &visit, int blockRecords)
{
    const int rs = m_layout->recordSize();
    const int total = size();
    if (blockRecords <= 0)
        blockRecords = std::max(1, (1 << 20) / rs); // about a megabyte a read
    // No bigger than what is left to read: small archives are the rule.
    blockRecords = std::max(1, std::min(blockRecords, total - m_position));
    // Each block lands at the same offset within a cache line as it has in
    // the file: the system copies from its page cache fastest that way,
    // and records rarely start on a line of their own.
    constexpr size_t kLine = 64;
    std::vector<char> storage(size_t(blockRecords) * size_t(rs) + 2 * kLine);
    const auto aligned = (reinterpret_cast<std::uintptr_t>(storage.data()) + kLine - 1) & ~(kLine - 1);
    int index = m_position;
    while (index < total) {
        const int count = std::min(blockRecords, total - index);
        const qint64 offset = qint64(index) * rs;
        char *buffer = reinterpret_cast<char *>(aligned) + size_t(offset) % kLine;
        qint64 got = 0;
        if (!m_file->readAt(offset, buffer, qint64(count) * rs, got))
            fail(IoStep::Read);
        const int complete = int(got / rs);
        for (int i = 0; i < complete; ++i) {
            m_position = index + i + 1;
            if (!visit(RecordView(m_layout, buffer + size_t(i) * size_t(rs)), m_position))
                return;
        }
        if (complete < count)
            return; // the file was cut short meanwhile
        index += count;
    }
}

void RecordFile::close()
{
    if (!m_file)
        return;
    std::unique_ptr<FileHandle> f = std::move(m_file);
    if (!f->close())
        fail(IoStep::Close);
}

void scanArchive(const QString &path, const RecordLayout &layout,
                 const std::function<bool(const RecordView &, int)> &visit)
{
    RecordFile f;
    f.openOrCreate(path, layout, RecordFile::Access::ReadOnly);
    f.scan(visit);
    f.close();
}

Record readRecord(const QString &path, const RecordLayout &layout, int number)
{
    RecordFile f;
    f.openOrCreate(path, layout, RecordFile::Access::ReadOnly);
    if (number < 1 || number > f.size())
        throw ArchiveError(IoStep::Seek, path);
    f.seek(number - 1);
    Record r = f.read();
    f.close();
    return r;
}

void updateRecord(const QString &path, const Record &record, int number)
{
    RecordFile f;
    f.openOrCreate(path, record.layout());
    if (number < 1 || number > f.size())
        throw ArchiveError(IoStep::Seek, path);
    f.seek(number - 1);
    f.write(record);
    f.close();
}

int appendRecord(const QString &path, const Record &record)
{
    RecordFile f;
    f.openOrCreate(path, record.layout());
    const int n = f.append(record);
    f.close();
    return n;
}

int countRecords(const QString &path, const RecordLayout &layout)
{
    RecordFile f;
    f.openOrCreate(path, layout, RecordFile::Access::ReadOnly);
    const int n = f.size();
    f.close();
    return n;
}

} // namespace pratelia
