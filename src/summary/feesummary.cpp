#include "feesummary.h"

#include "kit/yearmenu.h"
#include "deadlines/deadlines.h"
#include "report/report.h"
#include "services/servicecard.h"
#include "services/servicelists.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <algorithm>

namespace pratelia::summary {

// --- Money --------------------------------------------------------------

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v';
}

// More whole digits than this cannot be a fee (the field holds 15
// characters); the limit keeps any sum of such amounts far inside 128 bits.
constexpr int kMostWholeDigits = 24;

} // namespace

std::optional<Money> Money::parse(QByteArrayView text)
{
    qsizetype b = 0, e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    if (b == e)
        return std::nullopt;
    bool negative = false;
    if (text[b] == '-' || text[b] == '+') {
        negative = text[b] == '-';
        ++b;
    }
    __int128 whole = 0;
    int wholeDigits = 0, decimals = 0;
    __int128 fraction = 0; // the first four decimals
    int roundingDigit = -1; // the fifth decimal, when there is one
    bool comma = false, digits = false;
    for (qsizetype i = b; i < e; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = true;
            const int d = c - '0';
            if (!comma) {
                if (wholeDigits > 0 || d != 0)
                    ++wholeDigits;
                if (wholeDigits > kMostWholeDigits)
                    return std::nullopt;
                whole = whole * 10 + d;
            } else {
                if (decimals < kDecimals)
                    fraction = fraction * 10 + d;
                else if (decimals == kDecimals)
                    roundingDigit = d;
                ++decimals;
            }
        } else if (c == ',' && !comma) {
            comma = true;
        } else {
            return std::nullopt;
        }
    }
    if (!digits)
        return std::nullopt;
    for (int k = std::min(decimals, kDecimals); k < kDecimals; ++k)
        fraction *= 10;
    __int128 units = whole * kUnitsPerWhole + fraction;
    if (roundingDigit >= 5)
        ++units; // half away from zero: the sign is applied after
    return fromUnits(negative ? -units : units);
}

std::optional<Money> Money::parse(QStringView text)
{
    QByteArray ascii;
    ascii.reserve(text.size());
    for (QChar c : text.trimmed()) {
        if (c.unicode() > 0x7F)
            return std::nullopt;
        ascii.append(char(c.unicode()));
    }
    return parse(QByteArrayView(ascii));
}

QString Money::text() const
{
    unsigned __int128 magnitude = m_units < 0 ? static_cast<unsigned __int128>(-(m_units + 1)) + 1
                                              : static_cast<unsigned __int128>(m_units);
    const unsigned long long fraction =
        static_cast<unsigned long long>(magnitude % static_cast<unsigned __int128>(kUnitsPerWhole));
    unsigned __int128 whole = magnitude / static_cast<unsigned __int128>(kUnitsPerWhole);
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(whole % 10)));
        whole /= 10;
    } while (whole > 0);
    QString decimals = QString::number(fraction).rightJustified(kDecimals, u'0');
    while (decimals.size() > 2 && decimals.endsWith(u'0'))
        decimals.chop(1);
    return (m_units < 0 ? QStringLiteral("-") : QString()) + digits + u',' + decimals;
}

// --- The selection ------------------------------------------------------

const QStringList &monthNames()
{
    return deadlines::monthNames();
}

const QStringList &dayNames()
{
    static const QStringList days = deadlines::dayItems();
    return days;
}

QString monthDigits(QStringView name)
{
    const int n = deadlines::monthNumber(name);
    return n == 0 ? QString() : QString::asprintf("%02d", n);
}

QString dateMessageBreak()
{
    return QStringLiteral("\n\r\n\r");
}

QString summaryArchivePath(const QString &year)
{
    return services::archivePath(trimText(year));
}

QString intervalOrderText(const QString &startDate, const QString &endDate)
{
    return QStringLiteral("Attenzione: la data di fine intervallo (") + endDate
        + QStringLiteral(") non può essere anteriore a quella di inizio intervallo (") + startDate
        + QStringLiteral(").") + dateMessageBreak()
        + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare un intervallo di "
                         "tempo valido.");
}

SelectionCheck checkSelection(const Selection &s)
{
    SelectionCheck c;
    auto fail = [&c](MessageKind kind, const QString &message, const char *focus) {
        c.kind = kind;
        c.message = message;
        c.focus = QLatin1String(focus);
        return c;
    };
    // Only four digits name a year's archive (nothing else may reach the
    // file name); the field takes digits alone, so this is its length.
    if (!kit::isValidYear(s.year))
        return fail(MessageKind::Warning, kit::yearWarningText(), "txtAnno");
    const struct {
        const QString &text;
        const char *message;
        const char *focus;
    } boxes[] = {
        {s.startDay,
         "Attenzione: indicare il giorno di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoInizio"},
        {s.startMonth,
         "Attenzione: indicare il mese di inizio intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseInizio"},
        {s.endDay,
         "Attenzione: indicare il giorno di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtGiornoFine"},
        {s.endMonth,
         "Attenzione: indicare il mese di fine intervallo selezionandolo dall'elenco a cascata.",
         "txtMeseFine"},
    };
    for (const auto &box : boxes) {
        if (trimText(box.text).isEmpty())
            return fail(MessageKind::Warning, QString::fromUtf8(box.message), box.focus);
    }
    const QString year = trimText(s.yearLabel);
    c.startDate = trimText(s.startDay) + u'/' + monthDigits(s.startMonth) + u'/' + year;
    c.endDate = trimText(s.endDay) + u'/' + monthDigits(s.endMonth) + u'/' + year;
    const QString validDate = dateMessageBreak()
        + QStringLiteral("Per poter visualizzare il riepilogo è necessario indicare una data valida.");
    if (!IsValidDate(c.startDate))
        return fail(MessageKind::Plain,
                    QStringLiteral("Attenzione: la data ") + c.startDate
                        + QStringLiteral(" di inizio intervallo non esiste.") + validDate,
                    "txtGiornoInizio");
    if (!IsValidDate(c.endDate))
        return fail(MessageKind::Plain,
                    QStringLiteral("Attenzione: la data ") + c.endDate
                        + QStringLiteral(" di fine intervallo non esiste.") + validDate,
                    "txtGiornoFine");
    if (parseDate(c.startDate) > parseDate(c.endDate))
        return fail(MessageKind::Plain, intervalOrderText(c.startDate, c.endDate), "");
    c.ok = true;
    return c;
}

// --- The summary ----------------------------------------------------------

int filtersInUse(const QString &client, const QString &type)
{
    return int(!trimText(client).isEmpty()) + int(!trimText(type).isEmpty());
}

namespace {

struct Fields {
    int dataRic, tariffa;
};

const Fields &fields()
{
    static const Fields f{services::layout().require(u"DataRic"),
                          services::layout().require(u"Tariffa")};
    return f;
}

// The request date as a day; none when it is not a date.
std::optional<qint64> requestDay(const RecordView &record)
{
    return storedDay(lists::storedBytes(record, fields().dataRic));
}

} // namespace

FeeSummary buildSummary(const SummaryRequest &request)
{
    const RecordLayout &layout = services::layout();
    // The same filter rule as the search windows, on the tax code and the
    // type of service; and the same line as the register's own lists.
    const lists::Criteria criteria(layout, {QStringLiteral("CodFisc"), QStringLiteral("Tipologia")},
                                   {request.client, request.type});
    const lists::LineLayout &line = services::serviceSearchConfig().source.line;
    const qint64 from = request.from.toJulianDay(), to = request.to.toJulianDay();

    FeeSummary summary;
    summary.filters = filtersInUse(request.client, request.type);
    RecordFile file;
    file.openOrCreate(request.path, layout, RecordFile::Access::ReadOnly);
    try {
        file.scan([&](const RecordView &r, int number) {
            if (!criteria.accepts(r))
                return true;
            const std::optional<qint64> day = requestDay(r);
            if (!day) {
                summary.unreadable.append(number);
                return true;
            }
            if (*day < from || *day > to)
                return true;
            const std::optional<Money> fee = Money::parse(lists::storedBytes(r, fields().tariffa));
            if (!fee) {
                summary.unreadable.append(number);
                return true;
            }
            summary.lines.append({line.buildBytes(r), number});
            summary.total += *fee;
            return true;
        });
        file.close();
    } catch (const std::exception &) {
        // The lines read so far and their total stand; the window says the
        // list is not the whole archive.
        summary.complete = false;
    }
    lists::sortLines(summary.lines);
    return summary;
}

QString intervalText(const QString &startDate, const QString &endDate)
{
    return QStringLiteral("Dal   ") + startDate + QStringLiteral("   al   ") + endDate;
}

QString clientFilterShown(const QString &client)
{
    const QString t = trimText(client);
    return t.isEmpty() ? QStringLiteral("- - -") : t;
}

QString clientFilterText(const QString &typed)
{
    return trimText(typed).toUpper();
}

QString incompleteText(bool complete)
{
    if (complete)
        return {};
    return QStringLiteral("Attenzione: l'archivio non è stato letto fino in fondo; il totale riguarda "
                          "le sole schede elencate.");
}

// --- Print ------------------------------------------------------------------

QString printedTitle(const QString &clientShown)
{
    return QStringLiteral("Riepilogo compensi   -   C.F. cliente:  ") + trimText(clientShown);
}

QStringList printedBody(const SummaryPrint &print)
{
    QStringList body = print.lines;
    body << QStringLiteral("- - - - - - - - - - - - - - - -")
         << QStringLiteral("INTERVALLO SELEZIONATO:    ") + trimText(print.interval)
         << QStringLiteral("TOTALE COMPENSI:           € ") + trimText(print.total);
    // Whoever reads the paper must know that it does not hold every card.
    if (print.unreadable > 0)
        body << lists::unreadableText(print.unreadable);
    if (!print.complete)
        body << incompleteText(false);
    return body;
}

report::Report summaryReport(const SummaryPrint &print)
{
    report::Template t = report::listTemplate();
    t.name = QStringLiteral("Riepilogo compensi");
    t.orientation = QPageLayout::Landscape;
    report::Report r(std::move(t));
    r.setText(QStringLiteral("txtTitolo"), printedTitle(print.clientShown));
    r.setText(QStringLiteral("txtRiepilogo"), printedBody(print).join(QLatin1Char('\n')));
    return r;
}

QString emptyPrintText()
{
    return QStringLiteral(
        "Operazione di stampa non applicabile: il riepilogo non contiene nessuna voce.");
}

QString printQuestionText()
{
    return QStringLiteral("Si vuole stampare il presente riepilogo?");
}

} // namespace pratelia::summary
