#pragma once
// A record file: the plain concatenation of fixed-size records, record 1
// first, no header. Every user action opens the file, works and closes it.
#include "fileio.h"
#include "layout.h"
#include "record.h"

#include <QString>
#include <functional>
#include <memory>
#include <stdexcept>

namespace pratelia {

// Any failure of a record-file operation. Windows catch it per user action
// and show the archive error message.
class ArchiveError : public std::runtime_error {
public:
    ArchiveError(IoStep step, const QString &path);
    IoStep step() const { return m_step; }
    const QString &path() const { return m_path; }

private:
    IoStep m_step;
    QString m_path;
};

class RecordFile {
public:
    enum class Access { ReadWrite, ReadOnly };

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    // Opens the archive at `path` positioned at record 1; a missing file is
    // created empty. A file that exists but cannot be opened is never
    // replaced. ReadOnly opens an existing file for reading only (readers
    // need no write permission); a missing file is still created empty.
    void openOrCreate(const QString &path, const RecordLayout &layout,
                      Access access = Access::ReadWrite);
    bool isOpen() const { return bool(m_file); }

    // Number of complete records (an incomplete last record does not count).
    int size();
    // Positions at the 0-based index; index == size() is the end.
    void seek(int index);
    int position() const { return m_position; }
    bool atEnd() { return m_position >= size(); }
    // Reads the record at the position and advances.
    void read(Record &record);
    Record read();
    // Writes at the position (replacing, or appending at the end) and advances.
    void write(const Record &record);
    // Appends at the current end of the file, safely against other copies
    // of the program appending to the same file, and returns the new
    // record's number (1-based). `complete`, when given, gets the record
    // and the number it will have, under the lock and before it is
    // written: a record that depends on where it lands is finished there.
    int append(const Record &record,
               const std::function<void(Record &, int number)> &complete = {});
    // Calls `visit` for each complete record in file order, reading in large
    // blocks. `visit` gets the record's number; returning false stops.
    void scan(const std::function<bool(const RecordView &, int number)> &visit,
              int blockRecords = 0);
    void close();

    const RecordLayout &layout() const { return *m_layout; }
    const QString &path() const { return m_path; }

private:
    [[noreturn]] void fail(IoStep step);

    std::unique_ptr<FileHandle> m_file;
    const RecordLayout *m_layout = nullptr;
    QString m_path;
    int m_position = 0;
};

// Reads every record of an archive; a missing file is an empty archive.
// Throws ArchiveError.
void scanArchive(const QString &path, const RecordLayout &layout,
                 const std::function<bool(const RecordView &, int number)> &visit);
// Reads record `number` (1-based) of an archive. Throws ArchiveError, also
// when there is no such record.
Record readRecord(const QString &path, const RecordLayout &layout, int number);
// Replaces record `number`; throws ArchiveError.
void updateRecord(const QString &path, const Record &record, int number);
// Appends a record and returns its number; throws ArchiveError.
int appendRecord(const QString &path, const Record &record);
// Number of complete records (0 for a missing file); throws ArchiveError.
int countRecords(const QString &path, const RecordLayout &layout);

} // namespace pratelia
