#include "protocollo.h"

#include "lists/exportgrid.h"
#include "lists/listlines.h"
#include "platform/inifile.h"
#include "store/codepage.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QDir>
#include <QFileInfo>
#include <charconv>
#include <cmath>

namespace pratelia::protocol {

const RecordLayout &layout()
{
    return layouts::protocollo();
}

QString archivePath(const QString &year, const QString &folder)
{
    const QString name = trimText(year) + QLatin1String(archives::kProtocolloExt);
    return folder.isEmpty() ? ArchivePath(name) : QDir(folder).filePath(name);
}

QString settingsPath(const QString &folder)
{
    const QString name = QStringLiteral("Pratelia.ini");
    return folder.isEmpty() ? ArchivePath(name) : QDir(folder).filePath(name);
}

std::optional<NumberingTexts> readNumberingTexts(const QString &settingsFile)
{
    IniFile ini;
    if (ini.load(settingsFile) == IniFile::LoadResult::Failed)
        return std::nullopt;
    const QString section = QString::fromLatin1(kNumberingSection);
    return NumberingTexts{ini.value(section, QString::fromLatin1(kStartKey)),
                          ini.value(section, QString::fromLatin1(kYearKey))};
}

std::optional<Numbering> numberingFrom(const NumberingTexts &texts)
{
    Numbering n;
    const QString start = trimText(texts.start);
    if (!start.isEmpty()) {
        // One to five digits, as the numbering window writes it: anything
        // else was edited by hand, and a guess could hand out numbers that
        // are already in use.
        if (start.size() > 5 || !IsAllDigits(start))
            return std::nullopt;
        n.start = start.toInt();
    }
    n.withYear = trimText(texts.year) == QStringLiteral("Sì");
    return n;
}

QString protocolNumber(const Numbering &numbering, qint64 number, int year)
{
    const QString n = QString::number(qint64(numbering.start) + number - 1);
    if (!numbering.withYear)
        return n;
    return n + u'/' + QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
}

int recordCount(const QString &path)
{
    RecordFile file;
    file.openOrCreate(path, layout(), RecordFile::Access::ReadOnly);
    const int count = file.size();
    file.close();
    return count;
}

std::optional<QString> proposeNumber(const QString &path, const QString &settingsFile,
                                     const QDate &today, bool create)
{
    const auto texts = readNumberingTexts(settingsFile);
    if (!texts)
        return std::nullopt;
    const auto numbering = numberingFrom(*texts);
    if (!numbering)
        return std::nullopt;
    // Without `create` a missing archive counts as empty and stays missing.
    const int count = create || QFileInfo::exists(path) ? recordCount(path) : 0;
    return proposedNumber(*numbering, count, today);
}

QString normaliseStart(const QString &typed)
{
    const QString t = trimText(typed);
    const QString one = QStringLiteral("1");
    if (t.isEmpty() || t.startsWith(u',') || t.endsWith(u','))
        return one;
    double value = 0;
    if (!parseDecimal(t, value))
        return one;
    value = RoundDecimals(value, 0);
    // The start New can use: a whole number of at most five digits. A
    // negative or larger one would make every New fail.
    if (!std::isfinite(value) || value < 0 || value > 99999)
        return one;
    return QString::number(qint64(value));
}

bool writeNumbering(const QString &settingsFile, const QString &start, bool withYear)
{
    IniFile ini;
    if (ini.load(settingsFile) == IniFile::LoadResult::Failed)
        return false; // never rewrite a file that could not be read
    const QString section = QString::fromLatin1(kNumberingSection);
    ini.setValue(section, QString::fromLatin1(kStartKey), trimText(start));
    ini.setValue(section, QString::fromLatin1(kYearKey),
                 withYear ? QStringLiteral("Sì") : QStringLiteral("No"));
    // Both keys in one write: the file never holds one without the other.
    return ini.save(settingsFile);
}

int findNumber(const QString &path, const QString &number, int except)
{
    const QByteArray wanted = codepage::encode(trimText(number));
    if (wanted.isEmpty())
        return 0;
    static const int numero = layout().require(u"Numero");
    int found = 0;
    scanArchive(path, layout(), [&](const RecordView &r, int n) {
        if (n != except && lists::storedBytes(r, numero) == QByteArrayView(wanted)) {
            found = n;
            return false;
        }
        return true;
    });
    return found;
}

std::optional<IntervalRefusal> checkInterval(const QString &startText, const QString &endText)
{
    const QString start = trimText(startText);
    const QString end = trimText(endText);
    const QString breaks = QStringLiteral("\n\r\n\r");
    const QString needed =
        QStringLiteral("Attenzione: per visualizzare il riepilogo è necessario indicare la data di ");
    if (start.isEmpty())
        return IntervalRefusal{true, needed + QStringLiteral("inizio intervallo."),
                               QStringLiteral("txtDataInizio")};
    if (end.isEmpty())
        return IntervalRefusal{true, needed + QStringLiteral("fine intervallo."),
                               QStringLiteral("txtDataFine")};
    const QString validDate =
        QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
    if (!IsValidDate(start))
        return IntervalRefusal{false,
                               QStringLiteral("Attenzione: la data ") + start
                                   + QStringLiteral(" di inizio intervallo non esiste.") + breaks
                                   + validDate,
                               QStringLiteral("txtDataInizio")};
    if (!IsValidDate(end))
        return IntervalRefusal{false,
                               QStringLiteral("Attenzione: la data ") + end
                                   + QStringLiteral(" di fine intervallo non esiste.") + breaks
                                   + validDate,
                               QStringLiteral("txtDataFine")};
    if (parseDate(start) > parseDate(end))
        return IntervalRefusal{
            false,
            QStringLiteral("Attenzione: la data di fine intervallo (") + end
                + QStringLiteral(") non può essere anteriore a quella di inizio intervallo (")
                + start + QStringLiteral(").") + breaks
                + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare un "
                                 "intervallo di tempo valido."),
            QString()};
    return std::nullopt;
}

IntervalResult fillInterval(lists::ExportGridModel &grid, const QString &path, const QDate &from,
                            const QDate &to, bool create)
{
    IntervalResult result;
    const qint64 first = from.toJulianDay();
    const qint64 last = to.toJulianDay();
    static const int dataReg = layout().require(u"DataReg");
    // The columns after "N.", each its record field.
    QVector<int> sources;
    for (int c = 1; c < grid.columns().size(); ++c)
        sources << layout().require(QString::fromLatin1(grid.columns().at(c).field));

    RecordFile file;
    bool filling = false;
    QVector<QByteArrayView> cells(grid.columns().size());
    char number[16];
    try {
        if (create || QFileInfo::exists(path))
            file.openOrCreate(path, layout(), RecordFile::Access::ReadOnly);
        if (!file.isOpen() || file.size() == 0) {
            file.close();
            return result; // the grid stays as it is
        }
        result.rows = 0;
        grid.clear();
        grid.beginFill();
        filling = true;
        file.scan([&](const RecordView &r, int) {
            const std::optional<qint64> day = storedDay(lists::storedBytes(r, dataReg));
            if (!day) {
                ++result.skipped;
                return true;
            }
            if (*day < first || *day > last)
                return true;
            const auto end = std::to_chars(number, number + sizeof number, ++result.rows).ptr;
            cells[0] = QByteArrayView(number, end - number);
            for (qsizetype i = 0; i < sources.size(); ++i)
                cells[i + 1] = lists::storedBytes(r, sources.at(i));
            grid.appendRow(cells);
            return true;
        });
        file.close();
    } catch (const ArchiveError &) {
        result.complete = false;
    }
    if (filling)
        grid.endFill();
    return result;
}

} // namespace pratelia::protocol
