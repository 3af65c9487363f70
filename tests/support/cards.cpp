#include "cards.h"

#include "clients/anagrafica.h"
#include "deadlines/deadlinecard.h"
#include "deadlines/scadenzario.h"
#include "fees/tariffario.h"
#include "protocol/protocolcard.h"
#include "protocol/protocolwindows.h"
#include "services/servicecard.h"
#include "services/servizi.h"
#include "store/layout.h"

namespace pratelia::testing {

QByteArray CardCase::archive(int count) const
{
    QByteArray bytes;
    for (int n = 1; n <= count; ++n)
        bytes += record(n).bytes();
    return bytes;
}

namespace {

Record client(int n)
{
    static const char *const names[][2] = {
        {"Rossi", "Mario"}, {"Verdi", "Anna"}, {"Bianchi", "Luca"}, {"Neri", "Paolo"}};
    Record r(layouts::cliente());
    r.setText(u"Cognome", QString::fromLatin1(names[(n - 1) % 4][0]));
    r.setText(u"Nome", QString::fromLatin1(names[(n - 1) % 4][1]));
    r.setText(u"Decorrenza", QStringLiteral("01/01/2024"));
    r.setText(u"Scadenza", QStringLiteral("01/06/2024"));
    r.setText(u"Preavviso", QStringLiteral("5"));
    r.setText(u"Totale", QStringLiteral("0,00"));
    r.setText(u"Rata", QStringLiteral("0,00"));
    return r;
}

Record fee(int n)
{
    static const char *const services[][2] = {
        {"A1", "Dichiarazione"}, {"B2", "Successione"}, {"C3", "Visura"}, {"D4", "Contratto"}};
    Record r(layouts::tariffa());
    r.setText(u"ID", QString::fromLatin1(services[(n - 1) % 4][0]));
    r.setText(u"Tipologia", QStringLiteral("Consulenza"));
    r.setText(u"Descrizione", QString::fromLatin1(services[(n - 1) % 4][1]));
    r.setText(u"Ordinaria", QStringLiteral("100,00"));
    r.setText(u"Scontata", QStringLiteral("80,00"));
    r.setText(u"TarScontata", QStringLiteral("No"));
    return r;
}

Record service(int n)
{
    static const char *const services[][3] = {{"730", "Dichiarazione", "Rossi Mario"},
                                              {"ISEE", "Attestazione ISEE", "Verdi Anna"},
                                              {"CONT", "Contabilità", "Bianchi Luca"},
                                              {"VIS", "Visura", "Neri Paolo"}};
    Record r(layouts::servizio());
    r.setText(u"ID", QString::fromLatin1(services[(n - 1) % 4][0]));
    r.setText(u"Tipologia", QStringLiteral("Consulenza"));
    r.setText(u"Descrizione", QString::fromUtf8(services[(n - 1) % 4][1]));
    r.setText(u"Tariffa", QStringLiteral("100,00"));
    r.setText(u"DataRic", QStringLiteral("15/01/2024"));
    r.setText(u"Cliente", QString::fromLatin1(services[(n - 1) % 4][2]));
    r.setText(u"CodFisc", QStringLiteral("RSSMRA80A01H501U"));
    r.setText(u"Pagato", n % 2 ? QStringLiteral("No") : QStringLiteral("Sì"));
    return r;
}

Record deadline(int n)
{
    static const char *const items[][4] = {{"05", "Marzo", "05/03/2024", "Rossi Mario"},
                                           {"20", "Maggio", "20/05/2024", "Verdi Anna"},
                                           {"31", "Dicembre", "31/12/2024", "Bianchi Luca"},
                                           {"01", "Febbraio", "01/02/2024", "Neri Paolo"}};
    const auto &item = items[(n - 1) % 4];
    Record r(layouts::scadenza());
    r.setText(u"Giorno", QString::fromLatin1(item[0]));
    r.setText(u"Mese", QString::fromLatin1(item[1]));
    r.setText(u"Anno", QStringLiteral("2024"));
    r.setText(u"Data", QString::fromLatin1(item[2]));
    r.setText(u"OreApp", QStringLiteral("09"));
    r.setText(u"MinutiApp", QStringLiteral("30"));
    r.setText(u"Ora", QStringLiteral("09:30"));
    r.setText(u"Avviso", QStringLiteral("5"));
    r.setText(u"Cliente", QString::fromLatin1(item[3]));
    r.setText(u"Dettagli", QStringLiteral("Versamento F24"));
    r.setText(u"Costo", QStringLiteral("0,00"));
    r.setText(u"DaConfermare", QStringLiteral("No"));
    r.setText(u"Effettuata", QStringLiteral("No"));
    return r;
}

Record protocolCard(int n)
{
    static const char *const items[][4] = {{"1/2024", "In entrata", "10/01/2024", "Rossi Mario"},
                                           {"2/2024", "In uscita", "12/01/2024", "Verdi Anna"},
                                           {"3/2024", "Interna", "03/02/2024", "Bianchi Luca"},
                                           {"4/2024", "In entrata", "20/03/2024", "Neri Paolo"}};
    const auto &item = items[(n - 1) % 4];
    Record r(layouts::protocollo());
    r.setText(u"Numero", QString::fromLatin1(item[0]));
    r.setText(u"Tipologia", QString::fromLatin1(item[1]));
    r.setText(u"DataReg", QString::fromLatin1(item[2]));
    r.setText(u"Categoria", QStringLiteral("Corrispondenza"));
    r.setText(u"Oggetto", QStringLiteral("Richiesta documenti"));
    r.setText(u"Mittente", QString::fromLatin1(item[3]));
    return r;
}

} // namespace

const QVector<CardCase> &registeredCards()
{
    static const QVector<CardCase> cards = {
        {"client", "Clienti.arx", [] { return std::make_unique<clients::TfrmAnagrafica>(); },
         client, "txtNote"},
        {"fee", "Tariffario.arx", [] { return std::make_unique<fees::TfrmTariffario>(); }, fee,
         "txtNote"},
        {"service", "2024.ser",
         []() -> std::unique_ptr<kit::CardWindow> {
             auto card = std::make_unique<services::TfrmServizi>();
             kit::openYear(card.get(), services::yearArchive(), QStringLiteral("2024"));
             return card;
         },
         service, "txtNote"},
        {"deadline", "2024.sca",
         [] {
             std::unique_ptr<kit::CardWindow> card = std::make_unique<deadlines::TfrmScadenzario>();
             kit::openYear(card.get(), deadlines::yearArchive(), QStringLiteral("2024"));
             return card;
         },
         deadline, "txtNote"},
        {"protocol", "2024.prt",
         []() -> std::unique_ptr<kit::CardWindow> {
             auto card = std::make_unique<protocol::TfrmProtocollo>();
             kit::openYear(card.get(), protocol::yearArchive(), QStringLiteral("2024"));
             return card;
         },
         protocolCard, "txtNote", {IoStep::Read}},
    };
    return cards;
}

const CardCase &registeredCard(const QString &name)
{
    for (const CardCase &c : registeredCards())
        if (c.name == name)
            return c;
    qFatal("no registered card named %s", qPrintable(name));
}

} // namespace pratelia::testing
