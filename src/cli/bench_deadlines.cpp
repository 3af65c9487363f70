// The deadline archive's part of pratelia-bench: a synthetic year of
// deadlines, and the times of the imminent check when the deadline window
// is shown, of its three views, its list windows and its search, each
// against a bare sequential read of the same file.
#include "bench.h"

#include "deadlines/deadlinecard.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/deadlines.h"
#include "deadlines/scadenzario.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "store/fileio.h"
#include "store/values.h"

#include "kit/yearmenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QWidget>

namespace pratelia::bench {

namespace {

class QuietSound final : public Sound {
public:
    void play(const QString &) override {}
    void stop() override {}
};

const char *const kClients[] = {"Rossi Mario", "Russo Anna", "Ferrari Luca", "Esposito Sara",
                                "Bianchi Paolo", "Romano Giulia", "Colombo Marco", "Ricci Elena",
                                "Marino Davide", "Greco Chiara", "Bruno Matteo", "Gallo Martina"};
const char *const kCauses[] = {"Versamento F24", "Liquidazione IVA", "Appuntamento in studio",
                               "Rinnovo contratto", "Bollo auto", "Saldo IMU", "Dichiarazione 730",
                               "Scadenza affitto", "Visita in Agenzia delle Entrate"};

// `count` deadlines spread over the year, in the order an office enters
// them (not in date order), with 0 to 15 days of notice.
void generate(const QString &path, int year, int count)
{
    QRandomGenerator rnd(20250310);
    const int days = QDate(year, 1, 1).daysInYear();
    writeRecords(path, deadlines::layout(), count, [&](Record &r, int i) {
        const QDate d = QDate(year, 1, 1).addDays(rnd.bounded(days));
        const QString hour = QString::asprintf("%02d", 8 + rnd.bounded(11));
        const QString minutes = QString::asprintf("%02d", rnd.bounded(4) * 15);
        r.setText(u"Giorno", QString::asprintf("%02d", d.day()));
        r.setText(u"Mese", deadlines::monthNames().at(d.month() - 1));
        r.setText(u"Anno", QString::number(year));
        r.setText(u"Data", formatDate(d));
        r.setText(u"OreApp", hour);
        r.setText(u"MinutiApp", minutes);
        r.setText(u"Ora", hour + u':' + minutes);
        r.setText(u"Avviso", QString::number(rnd.bounded(16)));
        r.setText(u"Cliente", QString::fromUtf8(kClients[rnd.bounded(int(std::size(kClients)))]));
        r.setText(u"CodFisc", QStringLiteral("RSSMRA80A01H%1U").arg(i % 1000, 3, 10, QChar(u'0')));
        r.setText(u"Recapito", QStringLiteral("333 %1").arg(1000000 + i));
        r.setText(u"ID", QStringLiteral("S%1").arg(i % 97));
        r.setText(u"Tipologia", QStringLiteral("Adempimento fiscale"));
        r.setText(u"Descrizione", QStringLiteral("Pratica n. %1 del cliente").arg(i));
        r.setText(u"Persona", QStringLiteral("Dott.ssa Verdi"));
        r.setText(u"Dettagli", QString::fromUtf8(kCauses[rnd.bounded(int(std::size(kCauses)))]));
        r.setText(u"Pagamento", QStringLiteral("Bonifico bancario"));
        r.setText(u"Costo", QStringLiteral("%1,00").arg(50 + i % 400));
        r.setText(u"Note", QStringLiteral("Ricordare al cliente & <documenti>"));
        r.setText(u"DaConfermare", i % 7 ? QStringLiteral("No") : QStringLiteral("Sì"));
        r.setText(u"Effettuata", i % 3 ? QStringLiteral("No") : QStringLiteral("Sì"));
    });
}

double bestBareRead(const QString &path)
{
    double best = 1e18;
    for (int k = 0; k < 3; ++k) {
        QElapsedTimer t;
        t.start();
        bareRead(path);
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// Shows the deadline window (its imminent check runs) and lets it paint.
double showDeadlineWindow(deadlines::TfrmScadenzario &w)
{
    QElapsedTimer t;
    t.start();
    w.show();
    QApplication::processEvents();
    QApplication::processEvents();
    const double ms = t.nsecsElapsed() / 1e6;
    w.hide();
    QApplication::processEvents();
    return ms;
}

} // namespace

void deadlines(int n, QTextStream &out)
{
    QuietSound sound;
    platform::install(&sound);
    const QDate today = platform::clock().today();
    const QString path = deadlines::archivePath(today.year());
    QFile::remove(deadlines::archivePath(today.year() + 1));

    deadlines::TfrmScadenzario window;
    generate(path, today.year(), 0);
    showDeadlineWindow(window); // the first showing lays the window out
    const double empty = showDeadlineWindow(window);

    generate(path, today.year(), n);
    bareRead(path); // once to have it in the page cache, as the windows will
    out << "\n" << n << " scadenze, " << QString::number(QFileInfo(path).size() / 1e6, 'f', 1)
        << " MB\n";
    Report row{out, 52};
    const double base = bestBareRead(path);
    row(QStringLiteral("lettura sequenziale (limite)"), base);
    row.base = base;

    const double full = showDeadlineWindow(window);
    row(QStringLiteral("TfrmScadenzario mostrata, archivio vuoto"), empty, {}, false);
    row(QStringLiteral("TfrmScadenzario mostrata, controllo imminenti"), full,
        QStringLiteral("   (+%1 ms)").arg(full - empty, 0, 'f', 1), false);

    QElapsedTimer t;
    const auto &search = deadlines::deadlineSearchConfig();
    QStringList criteria(search.criteria.size());
    criteria[2] = QStringLiteral("ross");
    criteria[8] = QStringLiteral("f24");
    // Best of three, as the bare read it is compared with.
    double best = 1e18;
    qsizetype found = 0;
    for (int k = 0; k < 3; ++k) {
        t.start();
        found = lists::searchLines(search, path, criteria).size();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    row(QStringLiteral("ricerca con due criteri"), best,
        QStringLiteral("   (%1 schede)").arg(found));
    t.start();
    const auto all = lists::searchLines(search, path, QStringList(search.criteria.size()));
    row(QStringLiteral("ricerca senza criteri"), t.nsecsElapsed() / 1e6,
        QStringLiteral("   (%1 schede)").arg(all.size()));

    struct ViewCase {
        const char *name;
        deadlines::View view;
    };
    for (const ViewCase &v : {ViewCase{"apertura TfrmExpImminenti", deadlines::View::Imminent},
                              ViewCase{"apertura TfrmExpGiornaliere", deadlines::View::Day},
                              ViewCase{"apertura TfrmExpMensili", deadlines::View::Month}}) {
        lists::ExportWindow w(deadlines::viewConfig(v.view), &window,
                              [&](lists::ExportGridModel &grid) {
                                  deadlines::fillView(grid, v.view, today, true);
                              });
        const double ms = openWindow(w);
        row(QLatin1String(v.name), ms, QStringLiteral("   (%1 righe)").arg(w.grid()->rowCount()));
    }
    kit::openYear(&window, deadlines::yearArchive(), QString::number(today.year()));
    for (const lists::SummaryConfig *c :
         {&deadlines::paymentsToMakeConfig(), &deadlines::paymentsMadeConfig(),
          &deadlines::appointmentsToConfirmConfig()}) {
        lists::SummaryListWindow w(*c, &window);
        const double ms = openWindow(w);
        row(QStringLiteral("apertura ") + c->objectName, ms,
            QStringLiteral("   (%1 righe)").arg(w.results()->model()->rowCount()));
    }
    {
        lists::SearchWindow w(search, &window);
        row(QStringLiteral("apertura TfrmTrovaScadenzario"), openWindow(w));
        w.criterion(2)->setText(QStringLiteral("ross"));
        w.criterion(8)->setText(QStringLiteral("f24"));
        t.start();
        w.search();
        QApplication::processEvents();
        row(QStringLiteral("  Cerca con due criteri, elenco mostrato"), t.nsecsElapsed() / 1e6);
    }
    {
        lists::ExportWindow w(deadlines::deadlineExportConfig(), &window);
        const double ms = openWindow(w);
        row(QStringLiteral("apertura TfrmExpScadenzario"), ms,
            QStringLiteral("   (%1 righe)").arg(w.grid()->rowCount()));
    }
    platform::install(static_cast<Sound *>(nullptr));
}

} // namespace pratelia::bench
