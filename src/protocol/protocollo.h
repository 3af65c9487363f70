#pragma once
// The document protocol's rules, kept apart from the windows so that the
// card, its lists and pratelia-cli run the same code: the yearly archive
// (year + ".prt"), the settings file "Pratelia.ini" with the numbering
// start and the remembered office and operator, the number New proposes,
// the numbering window's cleaning of the start value, the numbers already
// stored, and the rows of the summary by interval.
#include "store/layout.h"
#include "store/record.h"

#include <QDate>
#include <QString>
#include <QVector>
#include <optional>

namespace pratelia::lists {
class ExportGridModel;
}

namespace pratelia::protocol {

const RecordLayout &layout();

// The archive of a year in `folder` (the program folder when empty).
QString archivePath(const QString &year, const QString &folder = {});

// The settings file of a folder (the program folder when empty).
QString settingsPath(const QString &folder = {});
inline constexpr char kNumberingSection[] = "Numerazione Protocollo";
inline constexpr char kStartKey[] = "Inizio";
inline constexpr char kYearKey[] = "Indicazione Anno Solare";
inline constexpr char kDefaultsSection[] = "Protocollo Documenti";
inline constexpr char kOfficeKey[] = "Ufficio";
inline constexpr char kOperatorKey[] = "Operatore";

// The numbering settings as New uses them.
struct Numbering {
    int start = 1;         // the number of an empty archive's first card
    bool withYear = false; // "/" and the year after the number
};

// The settings as the file holds them: "Inizio" and "Indicazione Anno
// Solare", texts as read (a missing key or file reads as empty).
struct NumberingTexts {
    QString start;
    QString year;
};

// Reads the two numbering keys. None when the file is there but cannot be
// read: numbering must then not silently start again from 1.
std::optional<NumberingTexts> readNumberingTexts(const QString &settingsFile);

// The settings as numbers: a blank start is 1; a start that is not one to
// five decimal digits (only a file edited by hand has one) gives none, as
// does "Inizio" being unreadable. Only "Sì", trimmed, turns the year on.
std::optional<Numbering> numberingFrom(const NumberingTexts &texts);

// The number of the card that lands as the archive's record `number`
// (1-based) on a day of `year`: start + number - 1, with "/" and the year
// when the setting says so.
QString protocolNumber(const Numbering &numbering, qint64 number, int year);
// What New proposes over an archive of `count` records on `today`.
inline QString proposedNumber(const Numbering &numbering, qint64 count, const QDate &today)
{
    return protocolNumber(numbering, count + 1, today.year());
}

// The record count of an archive from its size alone (a missing file
// counts 0); New proposes its number from it without reading any record.
// Throws ArchiveError.
int recordCount(const QString &path);

// What New proposes for the archive at `path` with the settings file
// `settingsFile` on `today`; none when the settings cannot be used. Throws
// ArchiveError when the archive cannot be opened (it is created when
// missing, as New does, when `create`).
std::optional<QString> proposeNumber(const QString &path, const QString &settingsFile,
                                     const QDate &today, bool create);

// The numbering window's start field as it is left: blank, a lone comma or
// a text beginning or ending with a comma, anything that is not a number
// and anything outside 0 to 99999 become "1"; a number is rounded to a
// whole one and written plainly ("007" -> "7", "0" -> "0").
QString normaliseStart(const QString &typed);

// Writes both numbering keys at once, keeping the rest of the file; false
// when the file could not be read or written (it then keeps what it held).
bool writeNumbering(const QString &settingsFile, const QString &start, bool withYear);

// The first record other than `except` whose number, trimmed, is `number`;
// 0 when none. Throws ArchiveError.
int findNumber(const QString &path, const QString &number, int except = 0);

// The summary by interval's checks, in order: the message (kind and text)
// and the field that gets the focus (empty: the focus stays).
struct IntervalRefusal {
    bool warning = false; // a warning; otherwise a plain message
    QString text;
    QString focus;
};
std::optional<IntervalRefusal> checkInterval(const QString &start, const QString &end);

// The summary's 19 grid columns and the protocol workbook's 18.
struct IntervalResult {
    int rows = -1;        // rows listed; -1 when the archive was empty and the grid kept
    int skipped = 0;      // records whose registration date cannot be read
    bool complete = true; // false when the archive could not be read to its end
};
// Fills `grid` with the cards registered from `from` to `to`, both
// included, in file order, each row numbered 1, 2, 3 ... An empty archive
// leaves the grid as it was. A record whose registration date cannot be
// read is skipped and counted; a failure to read ends the list with the
// rows gathered so far. A missing archive is created empty when `create`.
IntervalResult fillInterval(lists::ExportGridModel &grid, const QString &path, const QDate &from,
                            const QDate &to, bool create);

} // namespace pratelia::protocol
