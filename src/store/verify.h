#pragma once
// Soundness checks of the archive files, for the command-line companion.
#include "layout.h"

#include <QString>
#include <QStringList>

namespace pratelia {

struct ArchiveProblem {
    int record = 0;   // 1-based; 0 for the file as a whole
    QString field;    // empty for the file as a whole
    QString what;     // Italian description
};

struct ArchiveReport {
    QString path;
    const RecordLayout *layout = nullptr;
    bool readable = false;
    int records = 0;
    qint64 trailingBytes = 0; // bytes of an incomplete last record
    QList<ArchiveProblem> problems;
    bool sound() const { return readable && problems.isEmpty(); }
};

// Checks every record of the archive: length bytes within capacity, yes/no
// marks that are "Sì" or "No", dates the program can read, and a file that
// ends on a whole record.
ArchiveReport verifyArchive(const QString &path, const RecordLayout &layout);

// The archive files of a folder (client and fee archives, yearly archives),
// sorted by name.
QStringList archiveFilesIn(const QString &folder);

} // namespace pratelia
