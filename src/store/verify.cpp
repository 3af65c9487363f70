#include "verify.h"

#include "recordfile.h"
#include "values.h"

#include <QDir>

namespace pratelia {

ArchiveReport verifyArchive(const QString &path, const RecordLayout &layout)
{
    ArchiveReport report;
    report.path = path;
    report.layout = &layout;
    auto file = FileSystem::current().open(path, OpenMode::ReadOnly);
    qint64 bytes = 0;
    if (!file || !file->size(bytes)) {
        report.problems.append({0, {}, QStringLiteral("il file non si può leggere")});
        return report;
    }
    file.reset();
    report.trailingBytes = bytes % layout.recordSize();
    const QString yes = QStringLiteral("Sì"), no = QStringLiteral("No");
    try {
        scanArchive(path, layout, [&](const RecordView &r, int n) {
            for (int i = 0; i < layout.fieldCount(); ++i) {
                const Field &f = layout.field(i);
                const int length = r.lengthByte(i);
                if (length > f.capacity) {
                    report.problems.append(
                        {n, f.name,
                         QStringLiteral("byte di lunghezza %1 oltre la capacità %2")
                             .arg(length)
                             .arg(f.capacity)});
                }
                if (f.kind == FieldKind::Flag) {
                    const QString v = r.text(i);
                    if (v != yes && v != no)
                        report.problems.append(
                            {n, f.name, QStringLiteral("segno \"%1\" diverso da \"Sì\" e \"No\"").arg(v)});
                } else if (f.kind == FieldKind::Date || f.kind == FieldKind::OptionalDate) {
                    const QString v = r.text(i);
                    if (!(f.kind == FieldKind::OptionalDate && v.isEmpty()) && !IsValidDate(v))
                        report.problems.append(
                            {n, f.name, QStringLiteral("data \"%1\" non leggibile").arg(v)});
                }
            }
            report.records = n;
            return true;
        });
        report.readable = true;
    } catch (const ArchiveError &) {
        report.problems.append({0, {}, QStringLiteral("lettura interrotta da un errore")});
    }
    if (report.trailingBytes)
        report.problems.append(
            {0, {}, QStringLiteral("ultima scheda incompleta (%1 byte oltre l'ultima scheda intera)")
                        .arg(report.trailingBytes)});
    return report;
}

QStringList archiveFilesIn(const QString &folder)
{
    QStringList out;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &fi : entries)
        if (layouts::forFileName(fi.fileName()))
            out << fi.absoluteFilePath();
    return out;
}

} // namespace pratelia
