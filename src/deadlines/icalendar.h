#pragma once
// A year's deadlines as a calendar file (iCalendar, RFC 5545), for the
// calendars of the office's phones: one event per card, written with
// libical. Only pratelia-cli uses it, so the program starts without it.
#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace pratelia::deadlines {

struct CalendarFile {
    QByteArray text; // the calendar, UTF-8 with CR LF line ends
    int events = 0;
    int skipped = 0; // cards whose date could not be read
};

// The calendar of the deadline archive at `path` (not created when
// missing: a missing archive is an error). Each card becomes one event:
// UID from the archive's name and the record number (the same card keeps
// its UID from one export to the next), the day and, when the card has
// one, the appointment time (00:00 means no time: a whole-day event), an
// alarm the notice days before, the client and the cause in the summary
// and the card's particulars in the description; a card still to be
// confirmed is tentative. `stamp` is the time the file is made. Throws
// ArchiveError.
CalendarFile deadlineCalendar(const QString &path, const QDateTime &stamp);

} // namespace pratelia::deadlines
