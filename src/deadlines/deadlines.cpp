#include "deadlines.h"

#include "lists/listlines.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QDir>
#include <algorithm>

namespace pratelia::deadlines {

using lists::storedBytes;

const RecordLayout &layout()
{
    return layouts::scadenza();
}

QString archivePath(int year, const QString &folder)
{
    const QString name = QString::asprintf("%04d", year) + QLatin1String(archives::kScadenzeExt);
    return folder.isEmpty() ? ArchivePath(name) : QDir(folder).filePath(name);
}

const QStringList &monthNames()
{
    static const QStringList names = {
        QStringLiteral("Gennaio"), QStringLiteral("Febbraio"), QStringLiteral("Marzo"),
        QStringLiteral("Aprile"),  QStringLiteral("Maggio"),   QStringLiteral("Giugno"),
        QStringLiteral("Luglio"),  QStringLiteral("Agosto"),   QStringLiteral("Settembre"),
        QStringLiteral("Ottobre"), QStringLiteral("Novembre"), QStringLiteral("Dicembre"),
    };
    return names;
}

int monthNumber(QStringView name)
{
    const QString wanted = trimText(name).toLower();
    for (int i = 0; i < monthNames().size(); ++i)
        if (monthNames().at(i).toLower() == wanted)
            return i + 1;
    return 0;
}

namespace {

QStringList numbers(int from, int to)
{
    QStringList items;
    for (int i = from; i <= to; ++i)
        items << QString::asprintf("%02d", i);
    return items;
}

struct Fields {
    int giorno, mese, anno, data, oreApp, minutiApp, avviso;
    QVector<int> shown; // the 19 fields of the grid, in column order
};

const Fields &fields()
{
    static const Fields f = [] {
        const RecordLayout &l = layout();
        Fields r{l.require(u"Giorno"), l.require(u"Mese"),   l.require(u"Anno"),
                 l.require(u"Data"),   l.require(u"OreApp"), l.require(u"MinutiApp"),
                 l.require(u"Avviso"), {}};
        for (const char *name : {"Data", "Ora", "Cliente", "CodFisc", "Recapito", "ID",
                                 "Tipologia", "Descrizione", "Uffici", "Requisiti", "Documenti",
                                 "Persona", "Dettagli", "Pagamento", "Costo", "Spese",
                                 "DaConfermare", "Effettuata", "Note"})
            r.shown << l.require(QString::fromLatin1(name));
        return r;
    }();
    return f;
}

} // namespace

QStringList dayItems()
{
    return numbers(1, 31);
}

QStringList hourItems()
{
    return numbers(0, 23);
}

QStringList minuteItems()
{
    return numbers(0, 59);
}

std::optional<Timing> timing(const RecordView &record)
{
    const std::optional<qint64> day = storedDay(storedBytes(record, fields().data));
    const int notice = storedDigits(storedBytes(record, fields().avviso), 3);
    if (!day || notice < 0)
        return std::nullopt;
    return Timing{*day, notice};
}

bool isImminent(const Timing &t, const QDate &today)
{
    const qint64 now = today.toJulianDay();
    return t.day - t.notice <= now && now <= t.day;
}

QByteArray chronologicalKey(const RecordView &record)
{
    const QByteArrayView data = storedBytes(record, fields().data);
    QByteArray key = data.sliced(std::min<qsizetype>(3, data.size()),
                                 std::min<qsizetype>(2, std::max<qsizetype>(0, data.size() - 3)))
                         .toByteArray();
    key += storedBytes(record, fields().giorno);
    key += storedBytes(record, fields().oreApp);
    key += storedBytes(record, fields().minutiApp);
    return key;
}

QStringList viewArchives(View view, const QDate &date, const QString &folder)
{
    QStringList paths{archivePath(date.year(), folder)};
    // A deadline early next year can be within its notice already in
    // December: the imminent deadlines include next year's archive.
    if (view == View::Imminent && date.year() < 9999)
        paths << archivePath(date.year() + 1, folder);
    return paths;
}

namespace {

// A view's selection rule on a date, its texts made once for the whole
// archive: the daily and monthly views select on the card's texts, the
// imminent view on its date and notice.
class Selection {
public:
    Selection(View view, const QDate &date)
        : m_view(view), m_date(date), m_day(formatDate(date).toLatin1()),
          m_year(QByteArray::number(date.year()).rightJustified(4, '0')),
          m_month(monthNames().at(date.month() - 1).toLower().toLatin1())
    {
    }
    // Whether the card's texts can belong in the view.
    bool byText(const RecordView &r) const
    {
        switch (m_view) {
        case View::Imminent:
            return true;
        case View::Day:
            return storedBytes(r, fields().data) == m_day;
        case View::Month:
            return storedBytes(r, fields().anno) == m_year
                   && lists::lowerAZ(storedBytes(r, fields().mese).toByteArray()) == m_month;
        }
        return false;
    }
    bool byTiming(const Timing &t) const { return m_view != View::Imminent || isImminent(t, m_date); }

private:
    View m_view;
    QDate m_date;
    QByteArray m_day, m_year, m_month;
};

} // namespace

namespace {

enum class Missing { Create, Skip };

// Reads one archive with `visit`; a missing archive is created or passed
// over. False when it could not be read to its end.
bool readArchive(const QString &path, Missing missing,
                 const std::function<bool(const RecordView &, int)> &visit)
{
    try {
        if (missing == Missing::Skip) {
            OpenFailure failure = OpenFailure::None;
            std::unique_ptr<FileHandle> probe =
                FileSystem::current().open(path, OpenMode::ReadOnly, &failure);
            if (!probe)
                return failure == OpenFailure::NotFound;
            probe->close();
        }
        RecordFile file;
        file.openOrCreate(path, layout(), RecordFile::Access::ReadOnly);
        file.scan(visit);
        file.close();
        return true;
    } catch (const ArchiveError &) {
        return false;
    }
}

} // namespace

ViewResult viewRows(View view, const QDate &date, bool create, const QString &folder)
{
    ViewResult result;
    const QStringList paths = viewArchives(view, date, folder);
    const Fields &f = fields();
    const Selection selection(view, date);
    int appended = 0;
    for (int a = 0; a < paths.size(); ++a) {
        const Missing missing = a == 0 && create ? Missing::Create : Missing::Skip;
        const bool read = readArchive(paths.at(a), missing, [&](const RecordView &r, int) {
            if (!selection.byText(r))
                return true;
            const std::optional<Timing> t = timing(r);
            if (!t) {
                ++result.skipped;
                return true;
            }
            if (!selection.byTiming(*t))
                return true;
            ViewRow row;
            row.archive = a;
            row.key = chronologicalKey(r);
            row.cells.reserve(21);
            row.cells << QByteArray::number(++appended);
            for (int field : f.shown)
                row.cells << storedBytes(r, field).toByteArray();
            row.cells << row.key;
            result.rows << std::move(row);
            return true;
        });
        if (!read) {
            result.complete = false;
            break;
        }
    }
    std::stable_sort(result.rows.begin(), result.rows.end(), [](const ViewRow &x, const ViewRow &y) {
        return x.archive != y.archive ? x.archive < y.archive : x.key < y.key;
    });
    return result;
}

ImminentCount countImminent(const QDate &today, const QString &folder)
{
    ImminentCount result;
    const QStringList paths = viewArchives(View::Imminent, today, folder);
    for (int a = 0; a < paths.size(); ++a) {
        const bool read = readArchive(paths.at(a), a == 0 ? Missing::Create : Missing::Skip,
                                      [&](const RecordView &r, int) {
                                          const std::optional<Timing> t = timing(r);
                                          if (t && isImminent(*t, today))
                                              ++result.count;
                                          return true;
                                      });
        if (!read) {
            result.complete = false;
            break;
        }
    }
    return result;
}

} // namespace pratelia::deadlines
