#pragma once
// Small service archives for the fee summary's tests: a service is the few
// fields the summary reads, the rest left as a card would leave them.
#include "services/servicecard.h"
#include "store/recordfile.h"

#include <QString>

namespace pratelia::testing {

struct FeeService {
    QString id;
    QString date;   // DataRic
    QString fee;    // Tariffa
    QString taxCode = QStringLiteral("RSSMRA80A01H501U");
    QString client = QStringLiteral("Rossi Mario");
    QString type = QStringLiteral("Assistenza fiscale");
    QString description = QStringLiteral("Dichiarazione dei redditi");
};

inline Record feeServiceRecord(const FeeService &s)
{
    Record r(services::layout());
    r.setText(u"ID", s.id);
    r.setText(u"Tipologia", s.type);
    r.setText(u"Descrizione", s.description);
    r.setText(u"Tariffa", s.fee);
    r.setText(u"DataRic", s.date);
    r.setText(u"Cliente", s.client);
    r.setText(u"CodFisc", s.taxCode);
    r.setText(u"Pagato", u"No");
    return r;
}

inline void addFeeService(const QString &path, const FeeService &s)
{
    appendRecord(path, feeServiceRecord(s));
}

} // namespace pratelia::testing
