#pragma once
// Deadline cards for the tests: a card for a day, month and time of a year,
// with its notice, client and cause, as the card saves it (full date and
// time built from the rest), and any field overridden.
#include "deadlines/deadlines.h"

#include "store/recordfile.h"

#include <QByteArray>
#include <QString>
#include <initializer_list>
#include <utility>

namespace fixture {

using Fields = std::initializer_list<std::pair<const char *, QString>>;

// "dd/mm/yyyy hh:mm" and the notice days.
inline pratelia::Record deadline(const QString &when, const QString &notice, Fields more = {})
{
    using namespace pratelia;
    const QString day = when.left(2), month = when.mid(3, 2), year = when.mid(6, 4);
    Record r(deadlines::layout());
    r.setText(u"Giorno", day);
    r.setText(u"Mese", deadlines::monthNames().value(month.toInt() - 1));
    r.setText(u"Anno", year);
    r.setText(u"Data", when.left(10));
    r.setText(u"OreApp", when.mid(11, 2));
    r.setText(u"MinutiApp", when.mid(14, 2));
    r.setText(u"Ora", when.mid(11, 5));
    r.setText(u"Avviso", notice);
    r.setText(u"Cliente", u"Rossi Mario");
    r.setText(u"Dettagli", u"Versamento F24");
    r.setText(u"Costo", u"0,00");
    r.setText(u"DaConfermare", u"No");
    r.setText(u"Effettuata", u"No");
    for (const auto &f : more)
        r.setText(QString::fromLatin1(f.first), f.second);
    return r;
}

inline QByteArray archive(std::initializer_list<pratelia::Record> records)
{
    QByteArray bytes;
    for (const pratelia::Record &r : records)
        bytes += r.bytes();
    return bytes;
}

} // namespace fixture
