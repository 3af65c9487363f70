// Every step of every file operation can fail (a full disk, a share that
// goes away, a file in use): the failure is always reported, never taken
// for success, and the file keeps what it held, except a record that was
// completely written.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "platform/inifile.h"
#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QDir>
#include <QElapsedTimer>
#include <QtTest>
#include <sys/stat.h>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

const IoStep kAllSteps[] = {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read,
                            IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Lock,
                            IoStep::Truncate, IoStep::Rename};

Record client(const QString &surname)
{
    Record r(layouts::cliente());
    r.setText(u"Cognome", surname);
    r.setText(u"Note", QString(240, u'n'));
    return r;
}

const QByteArray kIni = "[Accesso]\r\nValore=4A2B\r\n; commento\r\n[Numerazione Protocollo]\r\nInizio=100\r\n";

// The operations under test: each returns whether it reported success.
bool run(const QString &op)
{
    const QString archive = ArchivePath(QStringLiteral("Clienti.arx"));
    const QString ini = ArchivePath(QStringLiteral("Pratelia.ini"));
    try {
        if (op == u"append")
            return appendRecord(archive, client(QStringLiteral("Nuovo"))) == 4;
        if (op == u"update") {
            updateRecord(archive, client(QStringLiteral("Nuovo")), 2);
            return true;
        }
        if (op == u"read record")
            return readRecord(archive, layouts::cliente(), 3).text(u"Cognome") == u"Tre";
        if (op == u"read all") {
            int n = 0;
            scanArchive(archive, layouts::cliente(), [&](const RecordView &, int) { return ++n; });
            return n == 3;
        }
        if (op == u"count")
            return countRecords(archive, layouts::cliente()) == 3;
    } catch (const ArchiveError &) {
        return false;
    }
    if (op == u"settings read") {
        bool ok = false;
        return readIniValue(ini, QStringLiteral("Numerazione Protocollo"), QStringLiteral("Inizio"), &ok)
                   == u"100"
               && ok;
    }
    if (op == u"settings write")
        return writeIniValue(ini, QStringLiteral("Accesso"), QStringLiteral("Valore"), QStringLiteral("FF00"));
    if (op == u"whole file read") {
        QByteArray data;
        return readWholeFile(ini, data) && data == kIni;
    }
    if (op == u"whole file write")
        return writeWholeFile(ini, "x=1\r\n");
    qFatal("unknown operation");
}

} // namespace

class TestFailingDisk : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyStepFailureIsReported_data();
    void everyStepFailureIsReported();
    void failedWriteWhoseUndoFailsLeavesOnlyATail();
    void notAFileUnderAnArchiveName_data();
    void notAFileUnderAnArchiveName();
    void settingsNeverReplacedWhenUnreadable();
};

void TestFailingDisk::everyStepFailureIsReported_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<int>("step");
    // Whether the failure must happen for this operation (the step is one of
    // its steps); the others are run too, and must then succeed.
    QTest::addColumn<bool>("mustTrigger");
    const QHash<QString, QList<IoStep>> used = {
        {"append", {IoStep::Open, IoStep::Lock, IoStep::Size, IoStep::Seek, IoStep::Write, IoStep::Flush, IoStep::Close}},
        {"update", {IoStep::Open, IoStep::Size, IoStep::Lock, IoStep::Seek, IoStep::Write, IoStep::Flush, IoStep::Close}},
        {"read record", {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Close}},
        {"read all", {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Close}},
        {"count", {IoStep::Open, IoStep::Size, IoStep::Close}},
        {"settings read", {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Close}},
        {"settings write", {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename}},
        {"whole file read", {IoStep::Open, IoStep::Size, IoStep::Seek, IoStep::Read, IoStep::Close}},
        {"whole file write", {IoStep::Open, IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename}},
    };
    for (auto it = used.cbegin(); it != used.cend(); ++it)
        for (IoStep s : kAllSteps)
            QTest::addRow("%s, %s", qPrintable(it.key()), ioStepName(s))
                << it.key() << int(s) << it.value().contains(s);
}

void TestFailingDisk::everyStepFailureIsReported()
{
    QFETCH(QString, op);
    QFETCH(int, step);
    QFETCH(bool, mustTrigger);
    TempProgramFolder home;
    const QString archive = ArchivePath(QStringLiteral("Clienti.arx"));
    for (const char *n : {"Uno", "Due", "Tre"})
        appendRecord(archive, client(QString::fromLatin1(n)));
    home.write(QStringLiteral("Pratelia.ini"), kIni);
    const QByteArray archiveBefore = home.read(QStringLiteral("Clienti.arx"));

    bool ok = false, triggered = false;
    {
        FaultyFileSystem fs;
        fs.failAt(IoStep(step));
        ok = run(op);
        triggered = fs.triggered();
    }
    QCOMPARE(triggered, mustTrigger);
    QCOMPARE(ok, !triggered);

    // What the files hold afterwards.
    const QByteArray archiveAfter = home.read(QStringLiteral("Clienti.arx"));
    const QByteArray iniAfter = home.read(QStringLiteral("Pratelia.ini"));
    const int rs = layouts::cliente().recordSize();
    const bool wroteArchive = op == u"append" || op == u"update";
    const bool wroteIni = op == u"settings write" || op == u"whole file write";
    const IoStep s = IoStep(step);
    if (!wroteArchive || (triggered && s != IoStep::Close && !(op == u"update" && s == IoStep::Flush))) {
        QCOMPARE(archiveAfter, archiveBefore);
    } else if (op == u"append") {
        // Written whole before the close failed (or no failure at all).
        QCOMPARE(archiveAfter, archiveBefore + client(QStringLiteral("Nuovo")).bytes());
    } else {
        QCOMPARE(archiveAfter.size(), archiveBefore.size());
        QCOMPARE(archiveAfter.mid(rs, rs), client(QStringLiteral("Nuovo")).bytes());
        QCOMPARE(archiveAfter.left(rs), archiveBefore.left(rs));
        QCOMPARE(archiveAfter.mid(2 * rs), archiveBefore.mid(2 * rs));
    }
    if (!wroteIni || triggered)
        QCOMPARE(iniAfter, kIni);
    else if (op == u"settings write")
        QVERIFY(iniAfter.contains("Valore=FF00\r\n") && iniAfter.contains("Inizio=100\r\n")
                && iniAfter.contains("; commento"));
    // No temporary file is left behind.
    QCOMPARE(QDir(home.path()).entryList(QDir::Files).size(), 2);
}

void TestFailingDisk::failedWriteWhoseUndoFailsLeavesOnlyATail()
{
    // A disk that fills up in the middle of a record and then refuses to
    // cut the file back: the half record is an incomplete tail, which
    // readers skip and the next save writes over.
    TempProgramFolder home;
    const QString archive = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(archive, client(QStringLiteral("Uno")));
    {
        FaultyFileSystem fs;
        fs.failAt(IoStep::Write);
        fs.alsoFailAt(IoStep::Truncate, 1, true);
        fs.shortWrite(1500);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, appendRecord(archive, client(QStringLiteral("Due"))));
        QVERIFY(fs.count(IoStep::Truncate) > 0);
    }
    QCOMPARE(QFileInfo(archive).size(), qint64(layouts::cliente().recordSize() + 1500));
    QCOMPARE(countRecords(archive, layouts::cliente()), 1);
    QCOMPARE(appendRecord(archive, client(QStringLiteral("Tre"))), 2);
    QCOMPARE(QFileInfo(archive).size(), qint64(2 * layouts::cliente().recordSize()));
    QCOMPARE(readRecord(archive, layouts::cliente(), 2).text(u"Cognome"), QStringLiteral("Tre"));
}

void TestFailingDisk::notAFileUnderAnArchiveName_data()
{
    QTest::addColumn<bool>("fifo");
    QTest::newRow("folder") << false;
    QTest::newRow("named pipe") << true;
}

void TestFailingDisk::notAFileUnderAnArchiveName()
{
    // Something that is not a file where an archive or the settings should
    // be: every operation fails at once (a pipe must not block the program).
    QFETCH(bool, fifo);
    TempProgramFolder home;
    for (const char *name : {"2024.sca", "Pratelia.ini"}) {
        const QByteArray path = QFile::encodeName(home.file(QString::fromLatin1(name)));
        QVERIFY(fifo ? ::mkfifo(path.constData(), 0666) == 0 : QDir().mkdir(QFile::decodeName(path)));
    }
    const QString archive = ArchivePath(QStringLiteral("2024.sca"));
    const QString ini = ArchivePath(QStringLiteral("Pratelia.ini"));
    QElapsedTimer t;
    t.start();
    QVERIFY_THROWS_EXCEPTION(ArchiveError, countRecords(archive, layouts::scadenza()));
    QVERIFY_THROWS_EXCEPTION(ArchiveError,
                             scanArchive(archive, layouts::scadenza(), [](const RecordView &, int) { return true; }));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, appendRecord(archive, Record(layouts::scadenza())));
    QByteArray data;
    QVERIFY(!readWholeFile(ini, data));
    IniFile settings;
    QCOMPARE(settings.load(ini), IniFile::LoadResult::Failed);
    QVERIFY(!writeIniValue(ini, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"), QStringLiteral("A")));
    QVERIFY(t.elapsed() < 5000);
    QCOMPARE(QFileInfo(home.file(QStringLiteral("2024.sca"))).isFile(), false);
}

void TestFailingDisk::settingsNeverReplacedWhenUnreadable()
{
    // A settings file that cannot be read is never rewritten with only the
    // new value: the other settings would be lost.
    TempProgramFolder home;
    home.write(QStringLiteral("Pratelia.ini"), kIni);
    const QString ini = ArchivePath(QStringLiteral("Pratelia.ini"));
    for (IoStep s : {IoStep::Open, IoStep::Size, IoStep::Read}) {
        FaultyFileSystem fs;
        fs.failAt(s);
        QVERIFY(!writeIniValue(ini, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"),
                               QStringLiteral("Roma")));
        QVERIFY(fs.triggered());
    }
    QCOMPARE(home.read(QStringLiteral("Pratelia.ini")), kIni);
    // A missing one is created.
    QFile::remove(ini);
    QVERIFY(writeIniValue(ini, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"), QStringLiteral("Roma")));
    QCOMPARE(readIniValue(ini, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio")), QStringLiteral("Roma"));
}

QTEST_GUILESS_MAIN(TestFailingDisk)
#include "test_failing_disk.moc"
