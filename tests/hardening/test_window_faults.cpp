// Every command of the windows that touches a file, failing at each step
// and at each occurrence of it: the user sees the window's own message (or
// nothing, where the window stays silent), the window keeps what it showed
// and stays usable, and the files hold what they held before, except a
// record that was completely written.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "app/avvio.h"
#include "app/password.h"
#include "clients/anagrafica.h"
#include "clients/attach.h"
#include "clients/clientlistconfig.h"
#include "fees/feecard.h"
#include "fees/tariffario.h"
#include "lists/exportgrid.h"
#include "lists/listwindows.h"
#include "platform/testing.h"
#include "store/recordfile.h"
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

Record client(const QString &surname, const QString &name)
{
    Record r(layouts::cliente());
    r.setText(u"Cognome", surname);
    r.setText(u"Nome", name);
    r.setText(u"Decorrenza", QStringLiteral("01/01/2024"));
    r.setText(u"Scadenza", QStringLiteral("01/06/2024"));
    r.setText(u"Preavviso", QStringLiteral("5"));
    return r;
}

QByteArray threeClients()
{
    return client(QStringLiteral("Rossi"), QStringLiteral("Mario")).bytes()
           + client(QStringLiteral("Verdi"), QStringLiteral("Anna")).bytes()
           + client(QStringLiteral("Bianchi"), QStringLiteral("Luca")).bytes();
}

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

// A client card over a folder holding three clients.
struct CardFixture {
    TempProgramFolder home;
    TestPlatform platform;
    clients::TfrmAnagrafica card;

    CardFixture() { home.write(QStringLiteral("Clienti.arx"), threeClients()); }
    // A new card that passes the save checks.
    void fillNew()
    {
        set("txtCognome", QStringLiteral("Neri"));
        set("txtNome", QStringLiteral("Paolo"));
        set("txtDecorrenza", QStringLiteral("01/02/2024"));
        set("txtScadenza", QStringLiteral("01/03/2024"));
        set("txtPreavviso", QStringLiteral("3"));
    }
    QString position() const { return card.findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(); }
    void set(const char *field, const QString &text)
    {
        card.findChild<QLineEdit *>(QLatin1String(field))->setText(text);
    }
    QByteArray archive() const { return home.read(QStringLiteral("Clienti.arx")); }

    // What the card sweeps below need of a card.
    static QByteArray original() { return threeClients(); }
    static int recordSize() { return layouts::cliente().recordSize(); }
    QByteArray shownRecord() const { return card.cardRecord().bytes(); }
    void showSecond()
    {
        card.showRecord(client(QStringLiteral("Verdi"), QStringLiteral("Anna")), 2);
        set("txtNome", QStringLiteral("Anna Maria"));
    }
    void showFirstEdited()
    {
        card.showRecord(client(QStringLiteral("Rossi"), QStringLiteral("Mario")), 1);
        set("txtNote", QStringLiteral("non ancora salvato"));
    }
    void save() { card.save(); }
    void browseNext() { card.browseTo(clients::Browse::Next); }
};

} // namespace

class TestWindowFaults : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void clientSaveNew_data();
    void clientSaveNew();
    void clientSaveExisting_data();
    void clientSaveExisting();
    void clientBrowse_data();
    void clientBrowse();
    void feeSaveNew_data();
    void feeSaveNew();
    void feeSaveExisting_data();
    void feeSaveExisting();
    void feeBrowse_data();
    void feeBrowse();
    void attachCopy_data();
    void attachCopy();
    void feeRequestFormCopy_data();
    void feeRequestFormCopy();
    void clientSearch_data();
    void clientSearch();
    void clientExport_data();
    void clientExport();
    void instalmentsDueList_data();
    void instalmentsDueList();
    void passwordCheck_data();
    void passwordCheck();
    void passwordChange_data();
    void passwordChange();
};

namespace {

Record fee(const QString &id, const QString &description)
{
    Record r(layouts::tariffa());
    r.setText(u"ID", id);
    r.setText(u"Tipologia", QStringLiteral("Consulenza"));
    r.setText(u"Descrizione", description);
    r.setText(u"Ordinaria", QStringLiteral("100,00"));
    r.setText(u"Scontata", QStringLiteral("80,00"));
    r.setText(u"TarScontata", QStringLiteral("No"));
    return r;
}

QByteArray threeFees()
{
    return fee(QStringLiteral("A1"), QStringLiteral("Dichiarazione")).bytes()
           + fee(QStringLiteral("B2"), QStringLiteral("Successione")).bytes()
           + fee(QStringLiteral("C3"), QStringLiteral("Visura")).bytes();
}

// The fee card over a folder holding three services.
struct FeeFixture {
    TempProgramFolder home;
    TestPlatform platform;
    fees::TfrmTariffario card;

    FeeFixture() { home.write(QStringLiteral("Tariffario.arx"), threeFees()); }
    QString position() const { return card.findChild<QLabel *>(QStringLiteral("lblPosizione"))->text(); }
    QByteArray archive() const { return home.read(QStringLiteral("Tariffario.arx")); }
    void show(const Record &r, int number) { card.setCard(fees::cardFromRecord(r.view(), number)); }
    void set(const char *control, const QString &text)
    {
        fees::CardFields values = card.card();
        values.insert(QLatin1String(control), text);
        card.setCard(values);
    }
    QByteArray shownRecord() const { return fees::recordFromCard(card.card()).bytes(); }

    static QByteArray original() { return threeFees(); }
    static int recordSize() { return layouts::tariffa().recordSize(); }
    void fillNew()
    {
        show(fee(QStringLiteral("D4"), QStringLiteral("Contratto")), 0);
        set(fees::kPositionLabel, QString());
    }
    void showSecond()
    {
        show(fee(QStringLiteral("B2"), QStringLiteral("Successione")), 2);
        set("txtDescrizione", QStringLiteral("Successione ereditaria"));
    }
    void showFirstEdited()
    {
        show(fee(QStringLiteral("A1"), QStringLiteral("Dichiarazione")), 1);
        set("txtNote", QStringLiteral("non ancora salvato"));
    }
    void save() { card.save(); }
    void browseNext() { card.browse(fees::Browse::Next); }
};

} // namespace

namespace {

void checkArchiveError(const TestPlatform &platform)
{
    QCOMPARE(platform.dialogs.shown.size(), 1);
    QCOMPARE(platform.dialogs.last()->kind, MessageKind::Error);
    QCOMPARE(platform.dialogs.lastText(), FileAccessErrorText());
}

// Save of a new card: nothing is added, or the record is completely written
// and the card now is that record; trying again stores the card once.
template <class Card>
void saveNewSweep(IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        Card f;
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
            QCOMPARE(f.archive(), Card::original() + shown);
            return;
        }
        checkArchiveError(f.platform);
        if (f.archive() == Card::original()) {
            QCOMPARE(f.position(), QString());
        } else {
            QCOMPARE(f.archive(), Card::original() + shown);
            QCOMPARE(f.position(), QStringLiteral("4"));
        }
        f.save();
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Information);
        QCOMPARE(f.archive(), Card::original() + shown);
        QCOMPARE(f.position(), QStringLiteral("4"));
    });
    QCOMPARE(failed > 0, used);
}

// Save of record 2: the archive holds the old or the new record 2 and
// nothing else changes; trying again stores it.
template <class Card>
void saveExistingSweep(IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        Card f;
        f.showSecond();
        const QByteArray shown = f.shownRecord();
        QByteArray updated = Card::original();
        updated.replace(Card::recordSize(), Card::recordSize(), shown);
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
        QVERIFY(f.archive() == Card::original() || f.archive() == updated);
        f.save();
        QCOMPARE(f.archive(), updated);
    });
    QCOMPARE(failed > 0, used);
}

// Next from record 1 with unsaved changes: a failure leaves the card as it
// was, and the next try moves on.
template <class Card>
void browseSweep(IoStep step, bool used)
{
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        Card f;
        f.showFirstEdited();
        const QByteArray shown = f.shownRecord();
        arm();
        f.browseNext();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), Card::original());
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

void TestWindowFaults::clientSaveNew_data()
{
    addStepRows(kSaveSteps);
}

void TestWindowFaults::clientSaveNew()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveNewSweep<CardFixture>(step, used);
}

void TestWindowFaults::clientSaveExisting_data()
{
    addStepRows(kSaveSteps);
}

void TestWindowFaults::clientSaveExisting()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveExistingSweep<CardFixture>(step, used);
}

void TestWindowFaults::clientBrowse_data()
{
    addStepRows(kReadSteps);
}

void TestWindowFaults::clientBrowse()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    browseSweep<CardFixture>(step, used);
}

void TestWindowFaults::feeSaveNew_data()
{
    addStepRows(kSaveSteps);
}

void TestWindowFaults::feeSaveNew()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveNewSweep<FeeFixture>(step, used);
}

void TestWindowFaults::feeSaveExisting_data()
{
    addStepRows(kSaveSteps);
}

void TestWindowFaults::feeSaveExisting()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    saveExistingSweep<FeeFixture>(step, used);
}

void TestWindowFaults::feeBrowse_data()
{
    addStepRows(kReadSteps);
}

void TestWindowFaults::feeBrowse()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    browseSweep<FeeFixture>(step, used);
}

void TestWindowFaults::attachCopy_data()
{
    addStepRows({IoStep::Open, IoStep::Seek, IoStep::Read, IoStep::Write, IoStep::Flush, IoStep::Close,
                 IoStep::Rename});
}

void TestWindowFaults::attachCopy()
{
    // Copying an attached document over an earlier one of the same name:
    // a failure is silent, and the earlier document stays whole.
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
        CardFixture f;
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
        clients::showAttachWindow(&f.card, QStringLiteral("anagrafica"));
        QVERIFY(ran);
        // Only the overwrite question was shown.
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Question);
        QCOMPARE(f.card.findChild<QLabel *>(QStringLiteral("lblFile01"))->text(), QStringLiteral("offerta.pdf"));
        QCOMPARE(QDir(f.home.file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("offerta.pdf")});
        const QByteArray kept = f.home.read(QStringLiteral("Documenti_Allegati/offerta.pdf"));
        // Closing the source after it was read whole may fail without
        // harm; any other failure keeps the earlier document.
        const bool sourceCloseOnly = step == IoStep::Close && kept == fresh;
        if (!triggered || sourceCloseOnly)
            QVERIFY(kept == fresh);
        else
            QCOMPARE(kept, QByteArray("%PDF vecchia"));
        QCOMPARE(f.archive(), threeClients());
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
    // name: silent on failure, the earlier form stays whole.
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
        FeeFixture f;
        QDir(f.home.path()).mkdir(QStringLiteral("Documenti_Allegati"));
        f.home.write(QStringLiteral("Documenti_Allegati/modulo.pdf"), "%PDF modulo vecchio");
        f.platform.dialogs.chooseNext(source);
        f.platform.dialogs.answerNext(true); // overwrite
        arm();
        f.card.chooseRequestForm();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Question);
        QCOMPARE(f.card.card().value(QStringLiteral("txtCopia")), QStringLiteral("modulo.pdf"));
        QCOMPARE(QDir(f.home.file(QStringLiteral("Documenti_Allegati"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("modulo.pdf")});
        const QByteArray kept = f.home.read(QStringLiteral("Documenti_Allegati/modulo.pdf"));
        // Closing the source after it was read whole may fail without harm.
        const bool sourceCloseOnly = step == IoStep::Close && kept == fresh;
        if (!triggered || sourceCloseOnly)
            QVERIFY(kept == fresh);
        else
            QCOMPARE(kept, QByteArray("%PDF modulo vecchio"));
        QCOMPARE(f.archive(), FeeFixture::original());
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::clientSearch_data()
{
    addStepRows(kReadSteps);
}

void TestWindowFaults::clientSearch()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f;
        lists::SearchWindow w(clients::clientSearchConfig(), &f.card);
        w.setMode(QStringLiteral("clienti"));
        w.criterion(0)->setText(QStringLiteral("ross"));
        arm();
        w.search();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), threeClients());
        QCOMPARE(w.criterion(0)->text(), QStringLiteral("ross"));
        if (!triggered) {
            QVERIFY(w.showingResults());
            QCOMPARE(w.results()->model()->rowCount(), 1);
            QVERIFY(f.platform.dialogs.shown.isEmpty());
            return;
        }
        QCOMPARE(f.platform.dialogs.shown.size(), 1);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QCOMPARE(f.platform.dialogs.lastText(), FileAccessErrorText());
        QVERIFY(!w.showingResults());
        w.search();
        QVERIFY(w.showingResults());
        QCOMPARE(w.results()->model()->rowCount(), 1);
    });
    QCOMPARE(failed > 0, used);
}

void TestWindowFaults::clientExport_data()
{
    addStepRows({IoStep::Open, IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename});
}

void TestWindowFaults::clientExport()
{
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const QString sheet = QStringLiteral("Clienti.xls");
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f;
        f.home.write(sheet, "esportazione precedente");
        lists::ExportWindow w(clients::clientExportConfig(), &f.card);
        w.preview();
        QCOMPARE(w.grid()->rowCount(), 3);
        // Both questions (export now? open it?) are answered Yes.
        arm();
        w.exportFile();
        triggered = fs.triggered();
        fs.reset();
        QCOMPARE(f.archive(), threeClients());
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

void TestWindowFaults::instalmentsDueList_data()
{
    addStepRows(kReadSteps);
}

void TestWindowFaults::instalmentsDueList()
{
    // A list built when its window opens fails silently and keeps what it
    // had read.
    QFETCH(IoStep, step);
    QFETCH(bool, used);
    const int failed = sweep(step, [&](FaultyFileSystem &fs, const std::function<void()> &arm, bool &triggered) {
        CardFixture f;
        f.platform.clock.setToday(QDate(2024, 5, 30));
        lists::SummaryListWindow w(clients::instalmentsDueConfig(), &f.card);
        arm();
        w.build();
        triggered = fs.triggered();
        fs.reset();
        QVERIFY(f.platform.dialogs.shown.isEmpty());
        QCOMPARE(f.archive(), threeClients());
        const int rows = w.results()->model()->rowCount();
        if (!triggered)
            QCOMPARE(rows, 3);
        else
            QVERIFY(rows <= 3);
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
