#include "icalendar.h"

#include "deadlines.h"

#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QFileInfo>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>
#include <optional>

namespace pratelia::deadlines {

namespace {

struct ComponentFree {
    void operator()(icalcomponent *c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

QByteArray utf8(const QString &s)
{
    return s.toUtf8();
}

icaltimetype dateOnly(const QDate &d)
{
    icaltimetype t = icaltime_null_date();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    return t;
}

// A local ("floating") time: the office's own clock, wherever the phone is.
icaltimetype localTime(const QDate &d, const QTime &time)
{
    icaltimetype t = icaltime_null_time();
    t.year = d.year();
    t.month = d.month();
    t.day = d.day();
    t.hour = time.hour();
    t.minute = time.minute();
    return t;
}

icaltimetype utcTime(const QDateTime &stamp)
{
    const QDateTime u = stamp.toUTC();
    icaltimetype t = localTime(u.date(), u.time());
    t.second = u.time().second();
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

// The appointment's time, or none for 00:00 (a card given no time) or a
// time that does not read.
std::optional<QTime> appointmentTime(const RecordView &r)
{
    bool hourOk = false, minuteOk = false;
    const int hour = r.text(u"OreApp").toInt(&hourOk);
    const int minute = r.text(u"MinutiApp").toInt(&minuteOk);
    const QTime time(hour, minute);
    if (!hourOk || !minuteOk || !time.isValid() || (hour == 0 && minute == 0))
        return std::nullopt;
    return time;
}

QString describe(const RecordView &r)
{
    QStringList lines;
    auto add = [&](const char *caption, const char *field) {
        const QString value = r.text(QString::fromLatin1(field));
        if (!value.isEmpty())
            lines << QString::fromUtf8(caption) + QLatin1Char(' ') + value;
    };
    add("Causale scadenza:", "Dettagli");
    add("Cliente:", "Cliente");
    add("Codice fiscale:", "CodFisc");
    add("Recapito preferenziale:", "Recapito");
    add("Codice ID servizio:", "ID");
    add("Tipologia:", "Tipologia");
    add("Descrizione:", "Descrizione");
    add("Uffici interessati:", "Uffici");
    add("Requisiti necessari:", "Requisiti");
    add("Documenti richiesti:", "Documenti");
    add("Persona addetta:", "Persona");
    add("Modalità di pagamento:", "Pagamento");
    add("Tariffa ordinaria:", "Costo");
    add("Spese accessorie:", "Spese");
    add("Appuntamento da confermare:", "DaConfermare");
    add("Pagamento effettuato:", "Effettuata");
    add("Note:", "Note");
    return lines.join(QLatin1Char('\n'));
}

icalcomponent *event(const RecordView &r, const Timing &t, const QString &archive, int number,
                     const icaltimetype &stamp)
{
    icalcomponent *e = icalcomponent_new_vevent();
    icalcomponent_add_property(
        e, icalproperty_new_uid(utf8(QStringLiteral("scadenza-%1-%2@pratelia")
                                         .arg(archive).arg(number))
                                    .constData()));
    icalcomponent_add_property(e, icalproperty_new_dtstamp(stamp));
    const QDate day = QDate::fromJulianDay(t.day);
    if (const std::optional<QTime> time = appointmentTime(r)) {
        icalcomponent_add_property(e, icalproperty_new_dtstart(localTime(day, *time)));
    } else {
        icalcomponent_add_property(e, icalproperty_new_dtstart(dateOnly(day)));
        icalcomponent_add_property(e, icalproperty_new_dtend(dateOnly(day.addDays(1))));
    }
    const QString client = r.text(u"Cliente");
    const QString cause = r.text(u"Dettagli");
    const QString summary = client.isEmpty() || cause.isEmpty()
                                ? client + cause
                                : client + QStringLiteral(" - ") + cause;
    icalcomponent_add_property(e, icalproperty_new_summary(utf8(summary).constData()));
    icalcomponent_add_property(e, icalproperty_new_description(utf8(describe(r)).constData()));
    icalcomponent_add_property(e, icalproperty_new_status(r.text(u"DaConfermare") == u"Sì"
                                                              ? ICAL_STATUS_TENTATIVE
                                                              : ICAL_STATUS_CONFIRMED));

    // The alarm rings when the notice begins, as the program's own signal.
    icalcomponent *alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icaltriggertype trigger;
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    trigger.duration.is_neg = t.notice > 0 ? 1 : 0;
    trigger.duration.days = unsigned(t.notice);
    icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
    icalcomponent_add_property(alarm, icalproperty_new_description(utf8(summary).constData()));
    icalcomponent_add_component(e, alarm);
    return e;
}

} // namespace

CalendarFile deadlineCalendar(const QString &path, const QDateTime &stamp)
{
    if (std::unique_ptr<FileHandle> probe = FileSystem::current().open(path, OpenMode::ReadOnly))
        probe->close();
    else
        throw ArchiveError(IoStep::Open, path);

    Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid("-//Pratelia//Scadenze e appuntamenti//IT"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    const QString name = QFileInfo(path).completeBaseName();
    const icaltimetype made = utcTime(stamp);

    CalendarFile result;
    scanArchive(path, layout(), [&](const RecordView &r, int number) {
        const std::optional<Timing> t = timing(r);
        if (!t) {
            ++result.skipped;
            return true;
        }
        icalcomponent_add_component(calendar.get(), event(r, *t, name, number, made));
        ++result.events;
        return true;
    });
    char *text = icalcomponent_as_ical_string_r(calendar.get());
    result.text = QByteArray(text);
    std::free(text);
    return result;
}

} // namespace pratelia::deadlines
