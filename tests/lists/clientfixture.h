#pragma once
// Client archives for the list tests: records given as field = value pairs.
#include "store/layout.h"
#include "store/record.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <initializer_list>
#include <utility>

namespace fixture {

using Fields = std::initializer_list<std::pair<const char *, QString>>;

inline pratelia::Record client(Fields fields)
{
    pratelia::Record r(pratelia::layouts::cliente());
    r.setText(u"Decorrenza", u"01/01/2024");
    r.setText(u"Scadenza", u"01/01/2024");
    r.setText(u"Preavviso", u"0");
    for (const auto &f : fields)
        r.setText(QString::fromLatin1(f.first), f.second);
    return r;
}

// The bytes of an archive holding these records in this order.
inline QByteArray archive(std::initializer_list<pratelia::Record> records)
{
    QByteArray bytes;
    for (const pratelia::Record &r : records)
        bytes += r.bytes();
    return bytes;
}

} // namespace fixture
