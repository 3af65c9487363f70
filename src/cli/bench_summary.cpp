// The fee summary's part of pratelia-bench: a synthetic year of services,
// and the time from "Visualizza riepilogo" until the result window has
// painted its list and total, against a bare sequential read of the file.
#include "bench.h"

#include "lists/linemodel.h"
#include "services/servicecard.h"
#include "store/fileio.h"
#include "store/values.h"
#include "summary/feesummary.h"
#include "summary/riepcosti.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <QTimer>

namespace pratelia::bench {

namespace {

const char *const kClients[][2] = {
    {"Rossi Mario", "RSSMRA80A01H501U"},  {"Russo Anna", "RSSNNA75B41F205X"},
    {"Ferrari Luca", "FRRLCU70C03A944Z"}, {"Esposito Sara", "SPSSRA85D45F839K"},
    {"Bianchi Paolo", "BNCPLA62E05L219Q"}, {"Romano Giulia", "RMNGLI90H50H501J"},
    {"Colombo Marco", "CLMMRC77L10F205W"}, {"Ricci Elena", "RCCLNE88M55D612T"}};
const char *const kTypes[] = {"Assistenza fiscale", "Contabilità", "Paghe e contributi",
                              "Pratiche catastali", "Consulenza del lavoro"};

// `count` services requested over the year, in the order an office enters
// them, with fees of whole euros, cents and the odd four-decimal amount.
void generate(const QString &path, int year, int count)
{
    QRandomGenerator rnd(20260310);
    const int days = QDate(year, 1, 1).daysInYear();
    writeRecords(path, services::layout(), count, [&](Record &r, int i) {
        const auto &client = kClients[rnd.bounded(int(std::size(kClients)))];
        const QDate d = QDate(year, 1, 1).addDays(rnd.bounded(days));
        r.setText(u"ID", QStringLiteral("S-%1").arg(i));
        r.setText(u"Tipologia", QString::fromUtf8(kTypes[rnd.bounded(int(std::size(kTypes)))]));
        r.setText(u"Descrizione", QStringLiteral("Pratica n. %1 per il cliente").arg(i));
        r.setText(u"Tariffa", i % 50 ? QStringLiteral("%1,%2").arg(20 + i % 900).arg(i % 100, 2, 10, QChar(u'0'))
                                     : QStringLiteral("%1,1234").arg(i % 90));
        r.setText(u"DataRic", formatDate(d));
        r.setText(u"DataEsp", formatDate(d.addDays(10)));
        r.setText(u"Pagamento", QStringLiteral("Bonifico bancario"));
        r.setText(u"Cliente", QString::fromUtf8(client[0]));
        r.setText(u"CodFisc", QString::fromLatin1(client[1]));
        r.setText(u"Ditta", QStringLiteral("Studio associato"));
        r.setText(u"Stato", QStringLiteral("Pratica in lavorazione, documenti ricevuti"));
        r.setText(u"Note", QStringLiteral("Cliente dal %1 & <referenze>").arg(1990 + i % 30));
        r.setText(u"Pagato", i % 3 ? QStringLiteral("Sì") : QStringLiteral("No"));
    });
}

} // namespace

void summary(int n, QTextStream &out)
{
    const int year = 2024;
    const QString path = services::archivePath(QString::number(year));
    generate(path, year, n);
    bareRead(path); // into the page cache, as the window will find it
    out << "\n" << n << " servizi per il riepilogo compensi (" << year << ".ser), "
        << QString::number(QFileInfo(path).size() / 1e6, 'f', 1) << " MB\n";
    bench::Report row{out};
    QElapsedTimer t;
    double best = 1e18;
    for (int k = 0; k < 3; ++k) {
        t.start();
        bareRead(path);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    row(QStringLiteral("lettura sequenziale (limite)"), best);
    row.base = best;

    summary::SummaryRequest request{path, {}, {}, QDate(year, 1, 1), QDate(year, 12, 31)};
    t.start();
    const summary::FeeSummary all = summary::buildSummary(request);
    row(QStringLiteral("riepilogo dell'anno, righe e totale"), t.nsecsElapsed() / 1e6,
        QStringLiteral("   (%1 righe, totale %2)").arg(all.lines.size()).arg(all.total.text()));

    // The window as the user meets it: from the press on "Visualizza
    // riepilogo" until the result window has painted.
    summary::TfrmMenuRiepCosti menu;
    menu.show();
    QApplication::processEvents();
    auto window = [&](const QString &what, const QString &client, const QString &from,
                      const QString &to) {
        menu.findChild<QLineEdit *>(QStringLiteral("txtAnno"))->setText(QString::number(year));
        menu.findChild<QLineEdit *>(QStringLiteral("txtCliente"))->setText(client);
        const QStringList parts = from.split(u'/') + to.split(u'/');
        const char *boxes[] = {"txtGiornoInizio", "txtMeseInizio", "txtGiornoFine", "txtMeseFine"};
        const QString values[] = {parts[0], summary::monthNames().at(parts[1].toInt() - 1), parts[3],
                                  summary::monthNames().at(parts[4].toInt() - 1)};
        for (int i = 0; i < 4; ++i)
            menu.findChild<QComboBox *>(QLatin1String(boxes[i]))->setEditText(values[i]);
        double first = 0, fastest = 1e18;
        int rows = 0;
        for (int k = 0; k < 3; ++k) {
            double ms = 0;
            QTimer::singleShot(0, &menu, [&] {
                // The modal loop runs: let the window paint, then leave it.
                QApplication::processEvents();
                QApplication::processEvents();
                ms = t.nsecsElapsed() / 1e6;
                if (summary::TfrmRiepCosti *w = menu.result()) {
                    rows = w->model()->rowCount();
                    w->leave();
                }
            });
            t.start();
            menu.showSummary();
            if (k == 0)
                first = ms;
            fastest = std::min(fastest, ms);
        }
        row(what, first,
            QStringLiteral("   (%1 righe; la migliore di tre %2 ms)").arg(rows).arg(fastest, 0, 'f', 1));
    };
    window(QStringLiteral("Visualizza riepilogo, tutto l'anno"), QString(), QStringLiteral("01/01/2024"),
           QStringLiteral("31/12/2024"));
    window(QStringLiteral("Visualizza riepilogo, un cliente, un mese"), QStringLiteral("RSS"),
           QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"));
    menu.hide();
    QFile::remove(path);
}

} // namespace pratelia::bench
