// pratelia-bench: times the list tools on synthetic client archives,
// yearly service archives and deadline archives of the given sizes, each
// against a bare sequential read of the same file.
//   pratelia-bench FOLDER [clienti|servizi|scadenze|protocollo] [SIZE...]
#include "bench.h"

#include "clients/clientlistconfig.h"
#include "services/servicecard.h"
#include "services/servicelists.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/platform.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QTextStream>
#include <cstdio>
#include <ctime>
#include <malloc.h>
#include <unistd.h>

using namespace pratelia;
using pratelia::bench::bareRead;
using pratelia::bench::writeRecords;
using pratelia::bench::openWindow;

namespace {

// Answers every question Yes and opens nothing, so the windows can run
// unattended.
class QuietDialogs final : public Dialogs {
public:
    bool message(MessageKind, const QString &, QWidget *) override { return true; }
    QString chooseFile(QWidget *, const QString &, const QString &, const QString &) override
    {
        return {};
    }
};
class QuietShell final : public Shell {
public:
    bool open(const QUrl &) override { return true; }
};

const char *const kSurnames[] = {"Rossi", "Russo", "Ferrari", "Esposito", "Bianchi", "Romano",
                                 "Colombo", "Ricci", "Marino", "Greco", "Bruno", "Gallo",
                                 "Conti", "De Luca", "Mancini", "Costa", "Giordano", "Rizzo",
                                 "Lombardi", "Moretti", "Grossi", "Verdi", "Fontana", "Santoro"};
const char *const kNames[] = {"Mario", "Luca", "Marco", "Giulia", "Anna", "Francesca", "Paolo",
                              "Sara", "Andrea", "Chiara", "Matteo", "Elena", "Davide", "Martina"};
const char *const kTowns[] = {"Roma", "Milano", "Napoli", "Torino", "Forlì", "Bologna", "Cesena",
                              "Rimini", "Ravenna", "Firenze"};

void generate(const QString &path, int count)
{
    const RecordLayout &l = layouts::cliente();
    QRandomGenerator rnd(20240510);
    auto pick = [&](const auto &table) {
        return QString::fromUtf8(table[rnd.bounded(int(std::size(table)))]);
    };
    writeRecords(path, l, count, [&](Record &r, int i) {
        const QString surname = pick(kSurnames), name = pick(kNames), town = pick(kTowns);
        r.setText(u"Cognome", surname);
        r.setText(u"Nome", name);
        r.setText(u"CodFisc", QStringLiteral("%1%2A01H501U").arg(surname.left(3).toUpper()).arg(i % 100000, 5, 10, QChar(u'0')));
        r.setText(u"DataNasc", QStringLiteral("%1/03/19%2").arg(1 + i % 28, 2, 10, QChar(u'0')).arg(50 + i % 50));
        r.setText(u"ComuneNasc", town);
        r.setText(u"Iva", QStringLiteral("%1").arg(10000000000LL + i));
        r.setText(u"Indirizzo", QStringLiteral("Via Garibaldi %1").arg(i % 200));
        r.setText(u"ComuneRes", pick(kTowns));
        r.setText(u"Recapito", QStringLiteral("333 %1").arg(1000000 + i));
        r.setText(u"TelCasa", QStringLiteral("0543 %1").arg(100000 + i));
        r.setText(u"Email", surname.toLower().remove(u' ') + QStringLiteral("%1@esempio.it").arg(i));
        r.setText(u"Professione", QStringLiteral("Commerciante"));
        r.setText(u"Iban", QStringLiteral("IT60X0542811101000000%1").arg(100000 + i % 900000));
        r.setText(u"Prodotti", QStringLiteral("Dichiarazione dei redditi, contabilità ordinaria"));
        r.setText(u"Note", QStringLiteral("Cliente dal %1 & <referenze>").arg(1990 + i % 30));
        r.setText(u"Codice", QStringLiteral("C%1").arg(i));
        r.setText(u"Categoria", i % 3 ? QStringLiteral("Privato") : QStringLiteral("Azienda"));
        r.setText(u"Zona", surname + QStringLiteral(" S.r.l."));
        r.setText(u"Acquisto", QStringLiteral("Software gestionale"));
        r.setText(u"Decorrenza", QStringLiteral("01/01/2024"));
        r.setText(u"Scadenza", QStringLiteral("%1/%2/2024").arg(1 + i % 28, 2, 10, QChar(u'0')).arg(1 + i % 12, 2, 10, QChar(u'0')));
        r.setText(u"Preavviso", QString::number(i % 15));
        r.setText(u"Totale", QStringLiteral("1200,00"));
        r.setText(u"Rata", QStringLiteral("100,00"));
    });
}

const char *const kServices[][2] = {
    {"730", "Dichiarazione dei redditi modello 730 con assistenza fiscale"},
    {"ISEE", "Attestazione ISEE per prestazioni sociali agevolate"},
    {"IMU", "Calcolo e versamento IMU su immobili e terreni"},
    {"SUCC", "Dichiarazione di successione e volture catastali"},
    {"CONT", "Contabilità ordinaria per l'anno in corso, con bilancio"},
    {"PAGHE", "Elaborazione cedolini paga e adempimenti mensili"},
    {"VIS", "Visura camerale e catastale"}};

// A year's service archive: one record in three not yet paid.
void generateServices(const QString &path, int count)
{
    const RecordLayout &l = services::layout();
    QRandomGenerator rnd(20240511);
    auto pick = [&](const auto &table) {
        return QString::fromUtf8(table[rnd.bounded(int(std::size(table)))]);
    };
    writeRecords(path, l, count, [&](Record &r, int i) {
        const auto &service = kServices[rnd.bounded(int(std::size(kServices)))];
        const QString surname = pick(kSurnames), name = pick(kNames);
        const QString day = QStringLiteral("%1/%2/2024").arg(1 + i % 28, 2, 10, QChar(u'0')).arg(1 + i % 12, 2, 10, QChar(u'0'));
        r.setText(u"ID", QStringLiteral("%1-%2").arg(QLatin1String(service[0])).arg(i));
        r.setText(u"Tipologia", QStringLiteral("Assistenza fiscale"));
        r.setText(u"Descrizione", QString::fromUtf8(service[1]));
        r.setText(u"Tariffa", QStringLiteral("%1,00").arg(30 + i % 500));
        r.setText(u"DataRic", day);
        r.setText(u"DataEsp", i % 4 ? day : QString());
        r.setText(u"Pagamento", QStringLiteral("Bonifico bancario a 30 giorni data fattura"));
        r.setText(u"Cliente", surname + u' ' + name);
        r.setText(u"CodFisc", QStringLiteral("%1%2A01H501U").arg(surname.left(3).toUpper()).arg(i % 100000, 5, 10, QChar(u'0')));
        r.setText(u"Ditta", surname + QStringLiteral(" S.r.l."));
        r.setText(u"Iva", QStringLiteral("%1").arg(10000000000LL + i));
        r.setText(u"Stato", QStringLiteral("Pratica in lavorazione, documenti ricevuti"));
        r.setText(u"Uffici", QStringLiteral("Agenzia delle Entrate, INPS, Comune di %1").arg(pick(kTowns)));
        r.setText(u"Documenti", QStringLiteral("Modello compilato, ricevuta di presentazione"));
        r.setText(u"Questioni", i % 5 ? QString() : QStringLiteral("Manca il documento di identità"));
        r.setText(u"Note", QStringLiteral("Cliente dal %1 & <referenze>").arg(1990 + i % 30));
        r.setText(u"Copia", QStringLiteral("fattura-%1.pdf").arg(i));
        r.setText(u"Pagato", i % 3 ? QStringLiteral("Sì") : QStringLiteral("No"));
        r.setText(u"File01", QStringLiteral("delega-%1.pdf").arg(i));
        r.setText(u"Desc01", QStringLiteral("Delega firmata"));
    });
}

} // namespace

void bench::writeRecords(const QString &path, const RecordLayout &layout, int count,
                  const std::function<void(Record &r, int i)> &fill)
{
    std::unique_ptr<FileHandle> f = FileSystem::current().open(path, OpenMode::WriteTruncate);
    QByteArray block;
    Record r(layout);
    for (int i = 1; i <= count; ++i) {
        r.clear();
        fill(r, i);
        block += r.bytes();
        if (block.size() > (8 << 20) || i == count) {
            f->write(block.constData(), block.size());
            block.clear();
        }
    }
    f->close();
}

void bench::Report::operator()(const QString &what, double ms, const QString &extra, bool ratio)
{
    out << "  " << qSetFieldWidth(width) << Qt::left << what << qSetFieldWidth(0)
        << qSetFieldWidth(10) << Qt::right << QString::number(ms, 'f', 1) << qSetFieldWidth(0)
        << " ms";
    if (ratio && base > 0)
        out << "   x" << QString::number(ms / base, 'f', 2);
    out << extra << "\n";
    out.flush();
}

void bench::bareRead(const QString &path)
{
    std::unique_ptr<FileHandle> f = FileSystem::current().open(path, OpenMode::ReadOnly);
    qint64 size = 0, got = 0;
    f->size(size);
    std::vector<char> buffer(1 << 20);
    for (qint64 at = 0; at < size; at += got) {
        if (!f->readAt(at, buffer.data(), qint64(buffer.size()), got) || got == 0)
            break;
    }
    f->close();
}

namespace {

qint64 rssKb(const char *key)
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

} // namespace

double bench::openWindow(QWidget &w)
{
    QElapsedTimer t;
    t.start();
    w.show();
    QApplication::processEvents();
    QApplication::processEvents();
    return t.nsecsElapsed() / 1e6;
}

namespace {

void benchServices(const QString &folder, int n, QTextStream &out)
{
    const QString path = QDir(folder).filePath(QStringLiteral("2024.ser"));
    generateServices(path, n);
    // The new file on disk before timing, so that writing it back does not
    // slow some of the reads; then once into the page cache, as the tools
    // will find it.
    ::sync();
    bareRead(path);
    QWidget card;
    auto *file = new QLabel(path, &card);
    file->setObjectName(QStringLiteral("lblFile"));
    out << "\n" << n << " servizi (2024.ser), "
        << QString::number(QFileInfo(path).size() / 1e6, 'f', 1) << " MB\n";
    bench::Report row{out};
    const auto &search = services::serviceSearchConfig();
    QStringList texts(search.criteria.size());
    texts[search.fieldNames().indexOf(QStringLiteral("Cliente"))] = QStringLiteral("ros");
    texts[search.fieldNames().indexOf(QStringLiteral("Descrizione"))] = QStringLiteral("dich");
    // The read and the search in turns, the best of each: a machine busy
    // with something else slows both alike. Beside the elapsed time, the
    // processor time of this process, which a machine shared with other
    // work disturbs less.
    auto cpuMs = [] {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
    };
    QElapsedTimer t;
    double best = 1e18, searchBest = 1e18, bestCpu = 1e18, searchCpu = 1e18;
    qsizetype found = 0;
    for (int k = 0; k < 7; ++k) {
        double c = cpuMs();
        t.start();
        bareRead(path);
        best = std::min(best, t.nsecsElapsed() / 1e6);
        bestCpu = std::min(bestCpu, cpuMs() - c);
        c = cpuMs();
        t.start();
        found = lists::searchLines(search, path, texts).size();
        searchBest = std::min(searchBest, t.nsecsElapsed() / 1e6);
        searchCpu = std::min(searchCpu, cpuMs() - c);
    }
    row("lettura sequenziale (limite)", best,
        QStringLiteral("   (tempo di processore %1 ms)").arg(bestCpu, 0, 'f', 1));
    row.base = best;
    row("ricerca con due criteri", searchBest,
        QStringLiteral("   (%1 schede; tempo di processore %2 ms, x%3)")
            .arg(found)
            .arg(searchCpu, 0, 'f', 1)
            .arg(searchCpu / bestCpu, 0, 'f', 2));

    t.start();
    const auto all = lists::searchLines(search, path, QStringList(search.criteria.size()));
    row("righe di un elenco, costruite e ordinate", t.nsecsElapsed() / 1e6,
        QStringLiteral("   (%1 righe)").arg(all.size()));
    // The windows as the user meets them: the first opening, and the best
    // of three.
    auto opening = [&](const char *what, auto make) {
        double first = 0, fastest = 1e18;
        int rows = 0;
        for (int k = 0; k < 3; ++k) {
            auto w = make();
            const double ms = openWindow(*w);
            if (k == 0)
                first = ms;
            fastest = std::min(fastest, ms);
            rows = w->rowsShown();
        }
        row(what, first, QStringLiteral("   (%1 righe; la migliore di tre %2 ms)")
                             .arg(rows)
                             .arg(fastest, 0, 'f', 1));
    };
    struct Unpaid : lists::SummaryListWindow {
        using SummaryListWindow::SummaryListWindow;
        int rowsShown() const { return results()->model()->rowCount(); }
    };
    struct Export : lists::ExportWindow {
        using ExportWindow::ExportWindow;
        int rowsShown() const { return grid()->rowCount(); }
    };
    opening("apertura TfrmNonPagati",
            [&] { return std::make_unique<Unpaid>(services::unpaidServicesConfig(), &card); });
    opening("apertura TfrmExpServizi",
            [&] { return std::make_unique<Export>(services::serviceExportConfig(), &card); });
    {
        const auto &exporter = services::serviceExportConfig();
        Export w(exporter, &card);
        w.preview();
        const QString sheet = ArchivePath(exporter.sheet.fileName);
        t.start();
        lists::writeExportFile(sheet, exporter.sheet, *w.grid());
        row("scrittura del file di Excel", t.nsecsElapsed() / 1e6,
            QStringLiteral("   (%1 MB)").arg(QFileInfo(sheet).size() / 1e6, 0, 'f', 1));
        t.start();
        w.exportFile();
        row("  Esporta dalla finestra", t.nsecsElapsed() / 1e6);
    }
    QFile::remove(path);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr,
                     "uso: pratelia-bench CARTELLA [clienti|servizi|scadenze|riepilogo|protocollo] "
                     "[NUMERO_SCHEDE...]\n");
        return 2;
    }
    const QString folder = args.takeFirst();
    // Every archive unless one is named.
    const QStringList kinds = {QStringLiteral("clienti"), QStringLiteral("servizi"),
                               QStringLiteral("scadenze"), QStringLiteral("riepilogo"),
                               QStringLiteral("protocollo")};
    QString only;
    if (!args.isEmpty() && kinds.contains(args.first()))
        only = args.takeFirst();
    const bool clientsToo = only.isEmpty() || only == u"clienti";
    const bool servicesToo = only.isEmpty() || only == u"servizi";
    const bool deadlinesToo = only.isEmpty() || only == u"scadenze";
    const bool summaryToo = only.isEmpty() || only == u"riepilogo";
    const bool protocolToo = only.isEmpty() || only == u"protocollo";
    QList<int> sizes;
    for (const QString &a : args)
        sizes << a.toInt();
    if (sizes.isEmpty())
        sizes = {1000, 10000, 100000};
    qputenv("PRATELIA_HOME", folder.toLocal8Bit());
    QuietDialogs dialogs;
    QuietShell shell;
    platform::install(&dialogs);
    platform::install(&shell);
    platform::clock();

    QTextStream out(stdout);
    const auto &search = clients::clientSearchConfig();
    const auto &exporter = clients::clientExportConfig();
    const auto &due = clients::instalmentsDueConfig();
    QWidget card;

    for (int n : clientsToo ? sizes : QList<int>()) {
        const QString path = QDir(folder).filePath(QStringLiteral("Clienti.arx"));
        generate(path, n);
        bareRead(path); // once to have it in the page cache, as the tools will
        const qint64 bytes = QFileInfo(path).size();
        out << "\n" << n << " clienti, " << QString::number(bytes / 1e6, 'f', 1) << " MB\n";
        QElapsedTimer t;
        bench::Report row{out};
        double best = 1e18;
        for (int k = 0; k < 3; ++k) {
            t.start();
            bareRead(path);
            best = std::min(best, t.nsecsElapsed() / 1e6);
        }
        row("lettura sequenziale (limite)", best);
        row.base = best;

        t.start();
        const auto found = lists::searchList(search, path,
                                             {QStringLiteral("ros"), QStringLiteral("mar")});
        row("ricerca con due criteri", t.nsecsElapsed() / 1e6,
            QStringLiteral("   (%1 schede)").arg(found.lines.size()));

        t.start();
        const auto all = lists::searchList(search, path, {});
        row("righe di un elenco, costruite e ordinate", t.nsecsElapsed() / 1e6,
            QStringLiteral("   (%1 righe)").arg(all.lines.size()));

        lists::ExportGridModel grid(exporter.grid);
        t.start();
        lists::fillGridFromArchive(grid, *exporter.layout, path);
        row("anteprima dell'esportazione", t.nsecsElapsed() / 1e6);

        t.start();
        lists::writeExportFile(ArchivePath(exporter.sheet.fileName), exporter.sheet, grid);
        row("scrittura del file di Excel", t.nsecsElapsed() / 1e6,
            QStringLiteral("   (%1 MB)").arg(
                QFileInfo(ArchivePath(exporter.sheet.fileName)).size() / 1e6, 0, 'f', 1));
        grid.clear();

        {
            lists::SearchWindow w(search, &card);
            row("apertura TfrmTrovaClienti", openWindow(w));
            w.criterion(0)->setText(QStringLiteral("ros"));
            w.criterion(1)->setText(QStringLiteral("mar"));
            t.start();
            w.search();
            QApplication::processEvents();
            row("  Cerca con due criteri, elenco mostrato", t.nsecsElapsed() / 1e6);
        }
        {
            lists::SearchWindow w(search, &card);
            openWindow(w);
            t.start();
            w.search();
            QApplication::processEvents();
            row("  Cerca senza criteri, elenco mostrato", t.nsecsElapsed() / 1e6);
        }
        {
            lists::SummaryListWindow w(due, &card);
            const double ms = openWindow(w);
            row("apertura TfrmDaRinnovare", ms,
                QStringLiteral("   (%1 righe)").arg(w.results()->model()->rowCount()));
        }
        {
            // Give freed memory back first, so the growth is the window's own.
            malloc_trim(0);
            const qint64 before = rssKb("VmRSS:");
            lists::ExportWindow w(exporter, &card);
            row("apertura TfrmExpClienti", openWindow(w));
            const qint64 after = rssKb("VmRSS:");
            t.start();
            w.exportFile();
            row("  Esporta dalla finestra", t.nsecsElapsed() / 1e6);
            out << "  memoria della finestra di esportazione: "
                << QString::number((after - before) / 1024.0, 'f', 1) << " MB (processo "
                << QString::number(after / 1024.0, 'f', 1) << " MB, picco "
                << QString::number(rssKb("VmHWM:") / 1024.0, 'f', 1) << " MB)\n";
            out.flush();
        }
    }
    if (clientsToo)
        QFile::remove(QDir(folder).filePath(QStringLiteral("Clienti.arx")));
    for (int n : servicesToo ? sizes : QList<int>())
        benchServices(folder, n, out);
    for (int n : deadlinesToo ? sizes : QList<int>())
        bench::deadlines(n, out);
    for (int n : summaryToo ? sizes : QList<int>())
        bench::summary(n, out);
    for (int n : protocolToo ? sizes : QList<int>())
        bench::protocol(n, out);
    return 0;
}
