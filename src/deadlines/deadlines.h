#pragma once
// The deadline archive's rules that every reader shares, kept apart from the
// windows: the yearly archive of a year, the month names, a card's date and
// notice, when a deadline is imminent, the chronological key, and the rows
// of the imminent, daily and monthly views (which the windows and
// pratelia-cli both build through viewRows).
#include "store/layout.h"
#include "store/record.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace pratelia::deadlines {

const RecordLayout &layout();

// The archive of a year in `folder` (the program folder when empty): the
// four digits of the year and ".sca".
QString archivePath(int year, const QString &folder = {});

// "Gennaio" ... "Dicembre", as the month box lists them.
const QStringList &monthNames();
// The number (1 to 12) of a month name, compared trimmed and in lower
// case; 0 for a text that names no month.
int monthNumber(QStringView name);
// The lists of the day, hour and minute boxes: "01".."31", "00".."23",
// "00".."59".
QStringList dayItems();
QStringList hourItems();
QStringList minuteItems();

// A card's date and notice as numbers; none for a record whose date or
// notice cannot be read (only a damaged or hand-made file has one).
struct Timing {
    qint64 day = 0; // the deadline as a Julian day
    int notice = 0; // days of notice
};
std::optional<Timing> timing(const RecordView &record);
// Imminent on `today`: from the first day of the notice up to and
// including the deadline's own day.
bool isImminent(const Timing &t, const QDate &today);

// The eight-digit key the views sort by: month, day, hour and minutes
// (03050930 for 5 March at 09:30). The year is not part of it.
QByteArray chronologicalKey(const RecordView &record);

// The three views of the deadlines.
enum class View {
    Imminent, // imminent on the date: this year's archive and next year's
    Day,      // the deadlines of the date
    Month,    // the deadlines of the date's month
};

// The archives a view reads on `date`, in the order their rows come:
// the date's year, and for the imminent view the next year's archive too
// (read only when it exists, never created).
QStringList viewArchives(View view, const QDate &date, const QString &folder = {});

// One row of a view: the cells of its 21 columns in Windows-1252 (the
// running number, 19 fields, the chronological key).
struct ViewRow {
    int archive = 0; // which of the view's archives it comes from
    QByteArray key;
    QVector<QByteArray> cells;
};

struct ViewResult {
    QVector<ViewRow> rows; // in the view's order
    bool complete = true;  // false when an archive could not be read to its end
    int skipped = 0;       // records whose date or notice could not be read
};

// The rows of a view on `date`: every record each archive holds that the
// view selects, numbered in the order they were read, then ordered by
// archive and chronological key (rows of equal key keep their reading
// order). A record whose date or notice cannot be read is skipped; a
// failure to read an archive ends the reading, keeping the rows gathered
// so far. `create`: a missing archive of the date's year is created empty,
// as the windows do; otherwise it is read as empty.
ViewResult viewRows(View view, const QDate &date, bool create, const QString &folder = {});

// The imminent check: how many deadlines are imminent on `today` in this
// year's archive (created empty when missing) and in next year's, when it
// exists. `complete` is false when an archive could not be read to its end.
struct ImminentCount {
    int count = 0;
    bool complete = true;
};
ImminentCount countImminent(const QDate &today, const QString &folder = {});

} // namespace pratelia::deadlines
