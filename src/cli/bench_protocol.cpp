// The protocol's part of pratelia-bench: a synthetic year of protocol
// cards, and the times of New's proposal (from the archive's size, no
// record read), of Save's look for a number already stored, of the search
// against a bare sequential read of the same file, and of the summary by
// interval and the export window until they can be used.
#include "bench.h"

#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "protocol/protocolcard.h"
#include "protocol/protocollists.h"
#include "protocol/protocollo.h"
#include "protocol/protocolwindows.h"
#include "store/fileio.h"
#include "store/values.h"

#include "kit/yearmenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>

namespace pratelia::bench {

namespace {

const char *const kPeople[] = {"Rossi Mario", "Russo Anna", "Ferrari Luca", "Esposito Sara",
                               "Comune di Bologna", "Agenzia delle Entrate", "INPS sede di Roma",
                               "Studio Bianchi", "Banca Popolare", "Tribunale di Milano"};
const char *const kSubjects[] = {"Richiesta documenti", "Fattura n. 12", "Sollecito di pagamento",
                                 "Verbale di assemblea", "Comunicazione di variazione",
                                 "Contratto di locazione", "Avviso di accertamento"};
const char *const kKinds[] = {"In entrata", "In uscita", "Interna"};

// `count` cards registered through the year, in the order they were
// numbered.
void generate(const QString &path, int year, int count)
{
    QRandomGenerator rnd(20251210);
    const int days = QDate(year, 1, 1).daysInYear();
    writeRecords(path, protocol::layout(), count, [&](Record &r, int i) {
        const QDate d = QDate(year, 1, 1).addDays(qint64(i - 1) * days / std::max(count, 1));
        r.setText(u"Numero", QStringLiteral("%1/%2").arg(i).arg(year));
        r.setText(u"Tipologia", QString::fromLatin1(kKinds[rnd.bounded(3)]));
        r.setText(u"DataReg", formatDate(d));
        r.setText(u"Ufficio", QStringLiteral("Segreteria"));
        r.setText(u"Operatore", QStringLiteral("Anna Verdi"));
        r.setText(u"Categoria", QStringLiteral("Corrispondenza"));
        r.setText(u"Collocazione", QStringLiteral("Armadio %1, faldone %2").arg(i % 9).arg(i % 40));
        r.setText(u"Oggetto", QString::fromLatin1(kSubjects[rnd.bounded(int(std::size(kSubjects)))]));
        r.setText(u"DataSpe", formatDate(d.addDays(-2)));
        r.setText(u"DataRic", formatDate(d));
        r.setText(u"Formato", QStringLiteral("PDF"));
        r.setText(u"Pagine", QString::number(1 + i % 30));
        r.setText(u"Riferimenti", QStringLiteral("Prot. %1").arg(i / 2));
        r.setText(u"Note", QStringLiteral("Da archiviare & <rispondere>"));
        r.setText(u"Mittente", QString::fromLatin1(kPeople[rnd.bounded(int(std::size(kPeople)))]));
        r.setText(u"RecapitoMit", QStringLiteral("Via Roma %1").arg(i % 200));
        r.setText(u"Destinatario", QString::fromLatin1(kPeople[rnd.bounded(int(std::size(kPeople)))]));
        r.setText(u"RecapitoDes", QStringLiteral("Piazza Maggiore %1").arg(i % 50));
        r.setText(u"Copia", QStringLiteral("documento-%1.pdf").arg(i));
    });
}

void line(QTextStream &out, const QString &what, double ms, double base, const QString &extra = {})
{
    out << "  " << qSetFieldWidth(52) << Qt::left << what << qSetFieldWidth(0) << qSetFieldWidth(10)
        << Qt::right << QString::number(ms, 'f', 1) << qSetFieldWidth(0) << " ms";
    if (base > 0)
        out << "   x" << QString::number(ms / base, 'f', 2);
    out << extra << "\n";
    out.flush();
}

} // namespace

void protocol(int n, QTextStream &out)
{
    const QDate today = platform::clock().today();
    const QString year = QString::number(today.year());
    const QString path = protocol::archivePath(year);
    writeWholeFile(protocol::settingsPath(),
                   "[Numerazione Protocollo]\r\nInizio=1\r\nIndicazione Anno Solare=S\xEC\r\n");
    generate(path, today.year(), n);
    bareRead(path); // once to have it in the page cache, as the windows will
    out << "\n" << n << " schede di protocollo (" << year << ".prt), "
        << QString::number(QFileInfo(path).size() / 1e6, 'f', 1) << " MB\n";
    double base = 1e18;
    QElapsedTimer t;
    for (int k = 0; k < 3; ++k) {
        t.start();
        bareRead(path);
        base = std::min(base, t.nsecsElapsed() / 1e6);
    }
    line(out, QStringLiteral("lettura sequenziale (limite)"), base, 0);

    protocol::TfrmProtocollo card;
    kit::openYear(&card, protocol::yearArchive(), year);
    card.show();
    QApplication::processEvents();
    double best = 1e18;
    for (int k = 0; k < 5; ++k) {
        t.start();
        card.newProtocolCard();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    line(out, QStringLiteral("Nuovo: numero proposto (dalla dimensione)"), best, 0,
         QStringLiteral("   (%1)").arg(card.text(QStringLiteral("txtNumero"))));
    best = 1e18;
    int found = 0;
    for (int k = 0; k < 3; ++k) {
        t.start();
        found = protocol::findNumber(path, QStringLiteral("0/0"));
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    line(out, QStringLiteral("Salva: ricerca di un numero gia' assegnato"), best, base,
         QStringLiteral("   (%1)").arg(found));

    const auto &search = protocol::protocolSearchConfig();
    QStringList criteria(search.criteria.size());
    criteria[1] = QStringLiteral("entrata");
    criteria[6] = QStringLiteral("rossi");
    best = 1e18;
    qsizetype listed = 0;
    for (int k = 0; k < 3; ++k) {
        t.start();
        listed = lists::searchLines(search, path, criteria).size();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    line(out, QStringLiteral("ricerca con due criteri"), best, base,
         QStringLiteral("   (%1 schede)").arg(listed));
    {
        // The criteria tested on every card, with no line to build or sort.
        QStringList none(search.criteria.size());
        none[1] = QStringLiteral("entrata");
        none[6] = QStringLiteral("zzzz");
        best = 1e18;
        for (int k = 0; k < 3; ++k) {
            t.start();
            listed = lists::searchLines(search, path, none).size();
            best = std::min(best, t.nsecsElapsed() / 1e6);
        }
        line(out, QStringLiteral("ricerca che non trova nulla"), best, base,
             QStringLiteral("   (%1 schede)").arg(listed));
    }
    {
        lists::SearchWindow w(search, &card);
        line(out, QStringLiteral("apertura TfrmTrovaProtocollo"), openWindow(w), 0);
        w.criterion(1)->setText(QStringLiteral("entrata"));
        w.criterion(6)->setText(QStringLiteral("rossi"));
        t.start();
        w.search();
        QApplication::processEvents();
        line(out, QStringLiteral("  Cerca con due criteri, elenco mostrato"), t.nsecsElapsed() / 1e6,
             base);
    }
    struct Interval {
        const char *name;
        QDate from, to;
    };
    for (const Interval &i :
         {Interval{"riepilogo di un mese, griglia mostrata", QDate(today.year(), 3, 1),
                   QDate(today.year(), 3, 31)},
          Interval{"riepilogo dell'anno intero, griglia mostrata", QDate(today.year(), 1, 1),
                   QDate(today.year(), 12, 31)}}) {
        protocol::TfrmRiepProtocollo w(&card);
        const double open = openWindow(w);
        w.findChild<QLineEdit *>(QStringLiteral("txtDataInizio"))->setText(formatDate(i.from));
        w.findChild<QLineEdit *>(QStringLiteral("txtDataFine"))->setText(formatDate(i.to));
        t.start();
        w.build();
        QApplication::processEvents();
        line(out, QLatin1String(i.name), t.nsecsElapsed() / 1e6, base,
             QStringLiteral("   (%1 righe; apertura %2 ms)")
                 .arg(w.grid()->rowCount())
                 .arg(open, 0, 'f', 1));
    }
    {
        lists::ExportWindow w(protocol::protocolExportConfig(), &card);
        const double ms = openWindow(w);
        line(out, QStringLiteral("apertura TfrmExpProtocollo"), ms, base,
             QStringLiteral("   (%1 righe)").arg(w.grid()->rowCount()));
        t.start();
        w.exportFile();
        line(out, QStringLiteral("  Esporta dalla finestra"), t.nsecsElapsed() / 1e6, base);
    }
    card.hide();
    QFile::remove(path);
}

} // namespace pratelia::bench
