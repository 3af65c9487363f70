// Every command of the windows that touches a file, failing at each step
// and at each occurrence of it: the user sees the window's own message (or
// nothing, where the window stays silent), the window keeps what it showed
// and stays usable, and the files hold what they held before, except a
// record that was completely written.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "support/cards.h"

#include "app/avvio.h"
#include "kit/attachments.h"
#include "app/password.h"
#include "clients/anagrafica.h"
#include "clients/clientlistconfig.h"
#include "deadlines/deadlinelists.h"
#include "deadlines/scadenzario.h"
#include "fees/tariffario.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/testing.h"
#include "protocol/protocollists.h"
#include "services/servicelists.h"
#include "store/recordfile.h"
#include "platform/texts.h"
#include "store/values.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <functional>

using namespace pratelia;
using namespace pratelia::testing;

Q_DECLARE_METATYPE(pratelia::IoStep)

namespace {

const IoStep kAllSteps[] = {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read,
                            IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Lock,
                            IoStep::Truncate, IoStep::Rename};

const QString kPasswordReadFailed = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. Si consiglia di "
    "reinstallare il software.");
const QString kPasswordChangeFailed = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si consiglia di "
    "reinstallare il software.");
const QString kPasswordChanged = QStringLiteral("Modifica della password completata con successo.");

// Runs one attempt for each occurrence of `step`, failing the 1st, then the
// 2nd, ... until an attempt no longer reaches it. Each attempt sets up its
// window, calls `arm` right before the command (from then on the step
// fails), runs the command and checks. Returns how many attempts failed.
using Attempt = std::function<void(FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered)>;
int sweep(IoStep step, const Attempt &attempt)
{
    for (int nth = 1; nth <= 64; ++nth) {
        FaultyFileSystem fs;
        bool triggered = false;
        attempt(fs, [&] { fs.failAt(step, nth); }, triggered);
        if (QTest::currentTestFailed())
            return nth;
        if (!triggered)
            return nth - 1;
    }
    return 64;
}

void addStepRows(const QList<IoStep> &used)
{
    QTest::addColumn<IoStep>("step");
    QTest::addColumn<bool>("used");
    for (IoStep s : kAllSteps)
        QTest::addRow("%s", ioStepName(s)) << s << used.contains(s);
}

// A card over a folder holding three of its sample records.
struct CardFixture {
    const CardCase &c;
    TempProgramFolder home;
    TestPlatform platform;
    std::unique_ptr<kit::CardWindow> card;

    explicit CardFixture(const CardCase &cc) : c(cc)
    {
        home.write(c.archiveName, original());
        card = c.make();
    }
    QByteArray original() const { return c.archive(3); }
    int recordSize() const { return int(c.record(1).bytes().size()); }
    QString position() const { return card->findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(); }
    QByteArray archive() const { return home.read(c.archiveName); }
    QByteArray shownRecord() const { return card->cardRecord().bytes(); }
    // A new card that passes the save checks.
    void fillNew()
    {
        card->showRecord(c.record(4), 1);
        card->setPosition(0);
    }
    // Record 2 with a change not saved yet.
    void showSecond()
    {
        card->showRecord(c.record(2), 2);
        card->setText(c.editable, QStringLiteral("modificato"));
    }
    void showFirstEdited()
    {
        card->showRecord(c.record(1), 1);
        card->setText(c.editable, QStringLiteral("non ancora salvato"));
    }
    void save() { card->save(); }
    void browseNext() { card->browse(Browse::Next); }
};

// The client card over a folder holding three clients, for the client's
// own windows below.
struct ClientFixture : CardFixture {
    ClientFixture() : CardFixture(registeredCard(QStringLiteral("client"))) {}
};

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cardSaveNew_data();
    void cardSaveNew();
    void cardSaveExisting_data();
    void cardSaveExisting();
    void cardBrowse_data();
    void cardBrowse();
    void attachCopy_data();
    void attachCopy();
    void feeRequestFormCopy_data();
    void feeRequestFormCopy();
    void archiveSearch_data();
    void archiveSearch();
    void archiveExport_data();
    void archiveExport();
    void summaryList_data();
    void summaryList();
    void deadlineReaders_data();
    void deadlineReaders();
    void passwordCheck_data();
    void passwordCheck();
    void passwordChange_data();
    void passwordChange();
};

namespace {

void checkArchiveError(const TestPlatform &platform)
{
    QCOMPARE(platform.dialogs.shown.size(), 1);
    QCOMPARE(platform.dialogs.last()->kind, MessageKind::Error);
    QCOMPARE(platform.dialogs.lastText(), FileAccessErrorText());
}

// Save of a new card: nothing is added, or the record is completely written
// and the card now is that record; trying again stores the card once.
void saveNewSweep(const CardCase &card, IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(card);
        f.fillNew();
        const QByteArray shown = f.shownRecord();
        arm();
        f.save();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.shownRecord(), shown);
        if (!triggered) {
            QCOMPARE(f.platform.dialogs.shown.size(), 1);
            QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Information);
            QCOMPARE(f.archive(), f.original() + shown);
            return;
        }
        checkArchiveError(f.platform);
        if (f.archive() == f.original()) {
            QCOMPARE(f.position(), QString());
        } else {
            QCOMPARE(f.archive(), f.original() + shown);
            QCOMPARE(f.position(), QStringLiteral("4"));
        }
        f.save();
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(f.archive(), f.original() + shown);
        QCOMPARE(f.position(), QStringLiteral("4"));
    });
    QCOMPARE(failed > 0, used);
}

// Save of record 2: the archive holds the old or the new record 2 and
// nothing else changes; trying again stores it.
void saveExistingSweep(const CardCase &card, IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(card);
        f.showSecond();
        const QByteArray shown = f.shownRecord();
        QByteArray updated = f.original();
        updated.replace(f.recordSize(), f.recordSize(), shown);
        arm();
        f.save();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.shownRecord(), shown);
        QCOMPARE(f.position(), QStringLiteral("2"));
        if (!triggered) {
            QCOMPARE(f.platform.dialogs.shown.size(), 1);
            QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Information);
            QCOMPARE(f.archive(), updated);
            return;
        }
        checkArchiveError(f.platform);
        QVERIFY(f.archive() == f.original() || f.archive() == updated);
        f.save();
        QCOMPARE(f.archive(), updated);
    });
    QCOMPARE(failed > 0, used);
}

// Next from record 1 with unsaved changes: a failure leaves the card as it
// was, and the next try moves on.
void browseSweep(const CardCase &card, IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(card);
        f.showFirstEdited();
        const QByteArray shown = f.shownRecord();
        arm();
        f.browseNext();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), f.original());
        if (!triggered) {
            QCOMPARE(f.position(), QStringLiteral("2"));
            QVERIFY(f.platform.dialogs.shown.isEmpty());
            return;
        }
        checkArchiveError(f.platform);
        QCOMPARE(f.position(), QStringLiteral("1"));
        QCOMPARE(f.shownRecord(), shown);
        f.browseNext();
        QCOMPARE(f.position(), QStringLiteral("2"));
    });
    QCOMPARE(failed > 0, used);
}

const QList<IoStep> kSaveSteps = {IoStep::Open, IoStep::Lock, IoStep::Size, IoStep::Seek,
                                  IoStep::Write, IoStep::Flush, IoStep::Close};
const QList<IoStep> kReadSteps = {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Close};

} // namespace

// Rows for every registered card and every step of the file layer.
void addCardStepRows(const QList<IoStep> &used, bool saving = false)
{
    QTest::addColumn<int>("card");
    QTest::addColumn<IoStep>("step");
    QTest::addColumn<bool>("used");
    for (int c = 0; c < registeredCards().size(); ++c)
        for (IoStep s : kAllSteps)
            QTest::addRow("%s/%s", qPrintable(registeredCards()[c].name), ioStepName(s))
                << c << s
                << (used.contains(s) || (saving && registeredCards()[c].saveAlsoUses.contains(s)));
}

void TestWindowFaults::cardSaveNew_data()
{
    addCardStepRows(kSaveSteps, true);
}

void TestWindowFaults::cardSaveNew()
{
    QFETCH(int, card);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveNewSweep(registeredCards()[card], step, used);
}

void TestWindowFaults::cardSaveExisting_data()
{
    addCardStepRows(kSaveSteps, true);
}

void TestWindowFaults::cardSaveExisting()
{
    QFETCH(int, card);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveExistingSweep(registeredCards()[card], step, used);
}

void TestWindowFaults::cardBrowse_data()
{
    addCardStepRows(kReadSteps);
}

void TestWindowFaults::cardBrowse()
{
    QFETCH(int, card);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    browseSweep(registeredCards()[card], step, used);
}

void TestWindowFaults::attachCopy_data()
{
    addStepRows({IoStep::Open, IoStep::Seek, IoStep::Read, IoStep::Write, IoStep::Flush, IoStep::Close,
                 IoStep::Rename});
}

void TestWindowFaults::attachCopy()
{
    // Copying an attached document over an earlier one of the same name:
    // a failure is told, the earlier document stays whole and the card
    // keeps the name it had.
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("offerta.pdf"));
    QByteArray fresh(2500 * 1024, 'n'); // more than one block of the copy
    fresh.prepend("%PDF nuova");
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fresh);
    }
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        ClientFixture f;
        QDir(f.home.path()).mkdir(QStringLiteral("Documenti_Allegati"));
        f.home.write(QStringLiteral("Documenti_Allegati/offerta.pdf"), "%PDF vecchia");
        f.platform.dialogs.chooseNext(source);
        f.platform.dialogs.answerNext(true); // overwrite
        bool ran = false;
        QTimer::singleShot(0, [&] {
            QWidget *w = QApplication::activeModalWidget();
            ran = w != nullptr;
            if (!w)
                return;
            arm();
            w->findChild<QAbstractButton *>(QStringLiteral("btnSfoglia01"))->click();
            triggered = fs.triggered();
            fs.reset();
            w->findChild<QAbstractButton *>(QStringLiteral("btnApplica"))->click();
        });
        kit::showAttachWindow(f.card.get(), QStringLiteral("anagrafica"));
        QVERIFY(ran);
        QCOMPARE(QDir(f.home.file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("offerta.pdf")});
        const QByteArray kept = f.home.read(QStringLiteral("Documenti_Allegati/offerta.pdf"));
        // Either the new document is there whole (closing the source after
        // it was read whole may fail without harm), or the earlier one is.
        const bool copied = kept == fresh;
        if (!triggered)
            QVERIFY(copied);
        else if (!copied)
            QCOMPARE(kept, QByteArray("%PDF vecchia"));
        // The card names the new document only when it is the one in the
        // folder; otherwise the user is told, and the name stays what it was.
        QCOMPARE(f.platform.dialogs.shown.first().kind, MessageKind::Question);
        if (copied) {
            QCOMPARE(f.platform.dialogs.shown.size(), 1);
            QCOMPARE(f.card->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QStringLiteral("offerta.pdf"));
        } else {
            QCOMPARE(f.platform.dialogs.shown.size(), 2);
            QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Warning);
            QCOMPARE(f.platform.dialogs.lastText(), kit::attachmentCopyFailedText());
            QCOMPARE(f.card->findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QString());
        }
        QCOMPARE(f.archive(), f.original());
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::feeRequestFormCopy_data()
{
    addStepRows({IoStep::Open, IoStep::Seek, IoStep::Read, IoStep::Write, IoStep::Flush, IoStep::Close,
                 IoStep::Rename});
}

void TestWindowFaults::feeRequestFormCopy()
{
    // The fee card's request form copied over an earlier one of the same
    // name: a failure is told, the earlier form stays whole and the field
    // keeps the name it had.
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(QStringLiteral("modulo.pdf"));
    const QByteArray fresh = "%PDF modulo nuovo " + QByteArray(300 * 1024, 'm');
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(fresh);
    }
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(registeredCard(QStringLiteral("fee")));
        QDir(f.home.path()).mkdir(QStringLiteral("Documenti_Allegati"));
        f.home.write(QStringLiteral("Documenti_Allegati/modulo.pdf"), "%PDF modulo vecchio");
        f.platform.dialogs.chooseNext(source);
        f.platform.dialogs.answerNext(true); // overwrite
        f.card->setText(QStringLiteral("txtCopia"), QStringLiteral("precedente.pdf"));
        arm();
        f.card->chooseDocument();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(QDir(f.home.file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("modulo.pdf")});
        const QByteArray kept = f.home.read(QStringLiteral("Documenti_Allegati/modulo.pdf"));
        // Closing the source after it was read whole may fail without harm.
        const bool copied = kept == fresh;
        if (!triggered)
            QVERIFY(copied);
        else if (!copied)
            QCOMPARE(kept, QByteArray("%PDF modulo vecchio"));
        QCOMPARE(f.platform.dialogs.shown.first().kind, MessageKind::Question);
        if (copied) {
            QCOMPARE(f.platform.dialogs.shown.size(), 1);
            QCOMPARE(f.card->text(QStringLiteral("txtCopia")), QStringLiteral("modulo.pdf"));
        } else {
            QCOMPARE(f.platform.dialogs.shown.size(), 2);
            QCOMPARE(f.platform.dialogs.lastText(), kit::attachmentCopyFailedText());
            QCOMPARE(f.card->text(QStringLiteral("txtCopia")), QStringLiteral("precedente.pdf"));
        }
        QCOMPARE(f.archive(), f.original());
    });
    QCOMPARE(failed > 0, used);
}

namespace {

// The search window of each archive, with a criterion that finds some of
// the fixture's three cards.
struct SearchCase {
    const char *card;
    const lists::SearchConfig &(*config)();
    const char *mode;
    int criterion;
    const char *text;
    int rows;
    const char *picked; // the record the first row hands over
};
const SearchCase kSearches[] = {
    {"client", clients::clientSearchConfig, "clienti", 0, "ross", 1, nullptr},
    {"service", services::serviceSearchConfig, "servizi", 4, "rossi", 1, "1"},
    {"deadline", deadlines::deadlineSearchConfig, "Scadenzario", 0, "/2024", 3, nullptr},
    {"protocol", protocol::protocolSearchConfig, "protocollo", 1, "entrata", 1, "1"},
};

// The export window of each archive and its file.
struct ExportCase {
    const char *card;
    const lists::ExportConfig &(*config)();
};
const ExportCase kExports[] = {
    {"client", clients::clientExportConfig},
    {"service", services::serviceExportConfig},
    {"deadline", deadlines::deadlineExportConfig},
    {"protocol", protocol::protocolExportConfig},
};

// The summary lists built when their window opens, on a day that lists
// `rows` of the fixture's cards.
struct SummaryCase {
    const char *name;
    const char *card;
    const lists::SummaryConfig &(*config)();
    QDate today;
    int rows;
};
const SummaryCase kSummaries[] = {
    {"instalments due", "client", clients::instalmentsDueConfig, QDate(2024, 5, 30), 3},
    {"unpaid services", "service", services::unpaidServicesConfig, QDate(2024, 5, 30), 2},
};

template <typename Case, size_t N>
void addCaseStepRows(const Case (&cases)[N], const QList<IoStep> &used)
{
    QTest::addColumn<int>("which");
    QTest::addColumn<IoStep>("step");
    QTest::addColumn<bool>("used");
    for (size_t c = 0; c < N; ++c)
        for (IoStep s : kAllSteps)
            QTest::addRow("%s/%s", cases[c].card, ioStepName(s)) << int(c) << s << used.contains(s);
}

} // namespace

void TestWindowFaults::archiveSearch_data()
{
    addCaseStepRows(kSearches, kReadSteps);
}

void TestWindowFaults::archiveSearch()
{
    // The search shows the plain archive message, keeps the criteria and
    // finds again on the next Cerca.
    QFETCH(int, which);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const SearchCase &c = kSearches[which];
    const QString text = QString::fromUtf8(c.text);
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(registeredCard(QString::fromLatin1(c.card)));
        lists::SearchWindow w(c.config(), f.card.get());
        w.setMode(QString::fromLatin1(c.mode));
        w.criterion(c.criterion)->setText(text);
        arm();
        w.search();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), f.original());
        QCOMPARE(w.criterion(c.criterion)->text(), text);
        if (!triggered) {
            QVERIFY(w.showingResults());
            QCOMPARE(w.results()->model()->rowCount(), c.rows);
            QVERIFY(f.platform.dialogs.shown.isEmpty());
            return;
        }
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(f.platform.dialogs.lastText(), FileAccessErrorText());
        QVERIFY(!w.showingResults());
        w.search();
        QVERIFY(w.showingResults());
        QCOMPARE(w.results()->model()->rowCount(), c.rows);
        if (c.picked) {
            // A pick after the failure shows its record on the card.
            w.pick(0);
            QCOMPARE(f.position(), QString::fromLatin1(c.picked));
        }
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::archiveExport_data()
{
    addCaseStepRows(kExports, {IoStep::Open, IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename});
}

void TestWindowFaults::archiveExport()
{
    QFETCH(int, which);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const ExportCase &c = kExports[which];
    const QString sheet = c.config().sheet.fileName;
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(registeredCard(QString::fromLatin1(c.card)));
        f.home.write(sheet, "esportazione precedente");
        lists::ExportWindow w(c.config(), f.card.get());
        w.preview();
        QCOMPARE(w.grid()->rowCount(), 3);
        // Both questions (export now? open it?) are answered Yes.
        arm();
        w.exportFile();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), f.original());
        QCOMPARE(w.grid()->rowCount(), 3);
        QCOMPARE(f.platform.dialogs.shown.size(), 2);
        if (!triggered) {
            QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Question);
            QVERIFY(f.home.read(sheet).endsWith("</html>\r\n"));
            return;
        }
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(f.platform.dialogs.lastText(), ExportErrorText());
        QVERIFY(f.platform.shell.opened.isEmpty());
        // The earlier export is still whole, and nothing else is left.
        QCOMPARE(f.home.read(sheet), QByteArray("esportazione precedente"));
        QCOMPARE(QDir(f.home.path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
        // Still usable: exporting again writes the whole file.
        w.exportFile();
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Question);
        QVERIFY(f.home.read(sheet).endsWith("</html>\r\n"));
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::summaryList_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<IoStep>("step");
    QTest::addColumn<bool>("used");
    for (size_t c = 0; c < std::size(kSummaries); ++c)
        for (IoStep s : kAllSteps)
            QTest::addRow("%s/%s", kSummaries[c].name, ioStepName(s)) << int(c) << s << kReadSteps.contains(s);
}

void TestWindowFaults::summaryList()
{
    // A list built when its window opens fails silently and keeps what it
    // had read.
    QFETCH(int, which);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const SummaryCase &c = kSummaries[which];
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f(registeredCard(QString::fromLatin1(c.card)));
        f.platform.clock.setToday(c.today);
        lists::SummaryListWindow w(c.config(), f.card.get());
        arm();
        w.build();
        triggered = fs.triggered();
        fs.reset();
        QVERIFY(f.platform.dialogs.shown.isEmpty());
        QCOMPARE(f.archive(), f.original());
        const int rows = w.results()->model()->rowCount();
        if (!triggered)
            QCOMPARE(rows, c.rows);
        else
            QVERIFY(rows <= c.rows);
    });
    QCOMPARE(failed > 0, used);
}

namespace {

// The deadline card over "2024.sca" holding three cards (5 March, 20 May,
// 31 December, each with five days' notice).
struct DeadlineFixture : CardFixture {
    DeadlineFixture() : CardFixture(registeredCard(QStringLiteral("deadline"))) {}
};

} // namespace

void TestWindowFaults::deadlineReaders_data()
{
    // What reads the archive when a window opens: the three summary lists,
    // the three views and the imminent check of the start panel. Each fails
    // silently and keeps what it had read.
    QTest::addColumn<QString>("reader");
    QTest::addColumn<IoStep>("step");
    QTest::addColumn<bool>("used");
    for (const char *reader : {"payments to make", "payments made", "to confirm", "imminent view",
                               "day view", "month view", "imminent check"})
        for (IoStep s : kAllSteps)
            QTest::addRow("%s/%s", reader, ioStepName(s))
                << QString::fromLatin1(reader) << s << kReadSteps.contains(s);
}

void TestWindowFaults::deadlineReaders()
{
    QFETCH(QString, reader);
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    // On 28 December 2024 the card of 31 December is imminent; the payments
    // made and the appointments to confirm are none.
    const QHash<QString, int> expected = {
        {"payments to make", 3}, {"payments made", 0}, {"to confirm", 0}, {"imminent view", 1},
        {"day view", 1},         {"month view", 1},    {"imminent check", 1}};
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        DeadlineFixture f;
        const QDate day(2024, 12, 28);
        f.platform.clock.setToday(day);
        int rows = 0;
        if (reader.startsWith(u"pay") || reader == u"to confirm") {
            const lists::SummaryConfig &config = reader == u"payments to make" ? deadlines::paymentsToMakeConfig()
                                                 : reader == u"payments made"  ? deadlines::paymentsMadeConfig()
                                                                               : deadlines::appointmentsToConfirmConfig();
            lists::SummaryListWindow w(config, f.card.get());
            arm();
            w.build();
            rows = w.results()->model()->rowCount();
        } else if (reader.endsWith(u"view")) {
            const deadlines::View view = reader == u"imminent view" ? deadlines::View::Imminent
                                         : reader == u"day view"    ? deadlines::View::Day
                                                                    : deadlines::View::Month;
            const QDate date = view == deadlines::View::Imminent ? day : QDate(2024, view == deadlines::View::Day ? 5 : 3, 20);
            lists::ExportWindow w(deadlines::viewConfig(view), f.card.get(),
                                  [&](lists::ExportGridModel &grid) { deadlines::fillView(grid, view, date, true); });
            arm();
            w.preview();
            rows = w.grid()->rowCount();
        } else {
            auto *window = static_cast<deadlines::TfrmScadenzario *>(f.card.get());
            arm();
            window->checkImminent();
            rows = window->findChild<QPushButton *>(QStringLiteral("btnOK"))->isEnabled() ? 1 : 0;
        }
        triggered = fs.triggered();
        fs.reset();
        QVERIFY(f.platform.dialogs.shown.isEmpty());
        QCOMPARE(f.archive(), f.original());
        QVERIFY(!QFile::exists(f.home.file(QStringLiteral("2025.sca"))));
        if (!triggered)
            QCOMPARE(rows, expected.value(reader));
        else
            QVERIFY(rows <= expected.value(reader));
    });
    QCOMPARE(failed > 0, used);
}

namespace {
// The password window and the main menu over a store holding PRATELIA.
struct PasswordFixture {
    TempProgramFolder home;
    TestPlatform platform;
    app::TfrmAvvio menu;
    app::TfrmCambiaPassword change;
    app::TfrmPassword password;
    QByteArray store;

    PasswordFixture()
    {
        store = "; Pratelia\r\n[Accesso]\r\nValore="
                + app::ScramblePassword(QStringLiteral("PRATELIA")).toLatin1() + "\r\n";
        home.write(QStringLiteral("unins000.dll"), store);
        password.setMainMenu(&menu);
        password.setChangeWindow(&change);
    }
    QLineEdit *field(QWidget &w, const char *name) { return w.findChild<QLineEdit *>(QLatin1String(name)); }
    void ok(QWidget &w) { w.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); }
};
} // namespace

void TestWindowFaults::passwordCheck_data()
{
    addStepRows(kReadSteps);
}

void TestWindowFaults::passwordCheck()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        PasswordFixture f;
        f.password.show();
        f.field(f.password, "txtPassword")->setText(QStringLiteral("pratelia"));
        arm();
        f.ok(f.password);
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), f.store);
        if (!triggered) {
            QVERIFY(f.platform.dialogs.shown.isEmpty());
            QVERIFY(f.menu.isVisible());
            return;
        }
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(f.platform.dialogs.lastText(), kPasswordReadFailed);
        QVERIFY(!f.menu.isVisible());
        QVERIFY(f.password.isVisible());
        QCOMPARE(f.field(f.password, "txtPassword")->text(), QStringLiteral("pratelia"));
        f.ok(f.password);
        QVERIFY(f.menu.isVisible());
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::passwordChange_data()
{
    addStepRows({IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Write, IoStep::Flush,
                 IoStep::Close, IoStep::Rename});
}

void TestWindowFaults::passwordChange()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        PasswordFixture f;
        f.change.show();
        f.field(f.change, "txtPasswordOld")->setText(QStringLiteral("pratelia"));
        f.field(f.change, "txtPasswordNew")->setText(QStringLiteral("nuova"));
        f.field(f.change, "txtConferma")->setText(QStringLiteral("nuova"));
        arm();
        f.ok(f.change);
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QString stored;
        QVERIFY(app::readStoredPassword(stored));
        if (!triggered) {
            QCOMPARE(f.platform.dialogs.lastText(), kPasswordChanged);
            QCOMPARE(stored, QStringLiteral("NUOVA"));
            return;
        }
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(f.platform.dialogs.lastText(), kPasswordChangeFailed);
        // The store keeps its previous value, whole.
        QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), f.store);
        QCOMPARE(stored, QStringLiteral("PRATELIA"));
        QVERIFY(f.change.isVisible());
    });
    QCOMPARE(failed > 0, used);
}

QTEST_MAIN(TestWindowFaults)
#include "test_window_faults.moc"
