#pragma once
// The fee summary's rules, apart from its windows: exact money, the checks
// of the selection (year, the two interval dates) with their messages, the
// summary of a year's services in an interval (filters, list lines, total,
// cards that could not be read) and its printed form. The windows and
// pratelia-cli both build the summary through buildSummary.
#include "lists/listlines.h"
#include "platform/platform.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>
#include <optional>

namespace pratelia::report {
class Report;
}

namespace pratelia::summary {

// An amount of money held exactly, in units of 1/10,000 (a fee keeps up to
// four decimals). Adding fees as binary fractions would make 0,1 + 0,2 come
// out as 0,30000000000000004 and, over many cards, a total a cent off.
class Money {
public:
    static constexpr int kDecimals = 4;
    static constexpr long long kUnitsPerWhole = 10000;

    Money() = default;
    static Money fromUnits(__int128 units)
    {
        Money m;
        m.m_units = units;
        return m;
    }

    // An amount written with a comma as decimal separator: an optional sign,
    // digits, at most one comma, at least one digit ("12,5", "7", ",25",
    // "-3,10"); blanks at either end are ignored. A fifth decimal or more is
    // rounded to four, half away from zero. No thousands separators. None
    // for anything else (an empty text included).
    static std::optional<Money> parse(QByteArrayView text);
    static std::optional<Money> parse(QStringView text);

    __int128 units() const { return m_units; }
    Money &operator+=(const Money &other)
    {
        m_units += other.m_units;
        return *this;
    }
    friend bool operator==(const Money &a, const Money &b) { return a.m_units == b.m_units; }

    // The amount as the money fields show it: comma decimals, at least two
    // and at most four, no trailing zeros beyond the second ("150,00",
    // "12,50", "0,30", "1,2345", "-5,00").
    QString text() const;

private:
    __int128 m_units = 0;
};

// --- The selection ------------------------------------------------------

// "Gennaio" ... "Dicembre", the items of the month boxes, and "01" ... "31",
// the items of the day boxes.
const QStringList &monthNames();
const QStringList &dayNames();
// "01" ... "12" for a month name (trimmed, without regard to case); empty
// for a text that names no month.
QString monthDigits(QStringView name);

// What the selection window holds when "Visualizza riepilogo" is pressed.
struct Selection {
    QString year;       // txtAnno
    QString yearLabel;  // lblAnnoInizio: the year the dates are built with
    QString startDay, startMonth, endDay, endMonth;
};

// The outcome of the checks: either the interval, or the first check that
// failed with its message and the control that gets the focus.
struct SelectionCheck {
    bool ok = false;
    // Built once the four boxes are filled (empty before): what
    // lblDataInizio and lblDataFine hold afterwards.
    QString startDate, endDate;
    MessageKind kind = MessageKind::Warning;
    QString message;
    QString focus; // object name; empty: the focus stays where it is
};
SelectionCheck checkSelection(const Selection &selection);

// The message of an interval that ends before it starts.
QString intervalOrderText(const QString &startDate, const QString &endDate);

// The line break between the two sentences of the date messages: line
// feed, carriage return, twice.
QString dateMessageBreak();

// The archive a year's summary reads: program folder + year + ".ser".
QString summaryArchivePath(const QString &year);

// --- The summary ----------------------------------------------------------

struct SummaryRequest {
    QString path;   // the year's service archive (created empty if missing)
    QString client; // a piece of the client's tax code, or empty
    QString type;   // a piece of the type of service, or empty
    QDate from, to; // the interval of request dates, both ends included
};

struct FeeSummary {
    int filters = 0;                // filters in use (lblConta)
    QVector<lists::ListLine> lines; // in list order
    Money total;                    // of the fees of the lines listed
    // Cards that would have been considered but whose request date or fee
    // cannot be read: left out of the lines and of the total, in file order.
    QVector<int> unreadable;
    bool complete = true; // false when reading the archive failed part way
};

// The number of filters in use: a filter whose trimmed text is not empty.
int filtersInUse(const QString &client, const QString &type);

// Reads the archive from first to last record: a record is listed when
// every filter in use occurs in its field (tax code, type of service;
// letters compared without regard to case, the text as typed) and its
// request date lies in the interval; its fee goes into the total. A card
// whose date or fee cannot be read is left out and counted; the cards after
// it are still read. A failure part way keeps what was read (`complete` is
// then false). Throws ArchiveError when the archive cannot be opened.
FeeSummary buildSummary(const SummaryRequest &request);

// "Dal   dd/mm/yyyy   al   dd/mm/yyyy" (lblIntervallo).
QString intervalText(const QString &startDate, const QString &endDate);
// The client filter as titTipologia shows it: the trimmed text, "- - -"
// when blank.
QString clientFilterShown(const QString &client);
// What the client filter field makes of a text: trimmed, upper case.
QString clientFilterText(const QString &typed);
// The notice under an incomplete list (the archive could not be read to
// its end); empty when it was.
QString incompleteText(bool complete);

// --- Print ------------------------------------------------------------------

// What the printed summary shows, as the result window holds it.
struct SummaryPrint {
    QString clientShown; // titTipologia
    QStringList lines;
    QString interval;    // lblIntervallo
    QString total;       // lblTotCosti
    int unreadable = 0;
    bool complete = true;
};
// The body of the printed summary, one entry a printed line: the list
// lines, the dashed rule, the interval, the total and the notices.
QStringList printedBody(const SummaryPrint &print);
QString printedTitle(const QString &clientShown);
// The report, A4 landscape, ready to print.
report::Report summaryReport(const SummaryPrint &print);

// "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce."
QString emptyPrintText();
// "Si vuole stampare il presente riepilogo?"
QString printQuestionText();

} // namespace pratelia::summary
