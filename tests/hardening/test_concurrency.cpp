// Several copies of the program on one archive in a shared folder: appends
// are serialised by a short lock, no append is lost, every record stays
// whole, and the lock never outlives a failed write.
#include "writerrecord.h"

#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "store/fileio.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <memory>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

QString writerProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/archive_writer");
}

// Restores the lock wait when a test ends.
struct LockWait {
    explicit LockWait(int ms) : m_old(lockWaitMilliseconds()) { setLockWaitMilliseconds(ms); }
    ~LockWait() { setLockWaitMilliseconds(m_old); }
    int m_old;
};

} // namespace

class TestConcurrency : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void copiesAppendAndUpdateAtOnce();
    void lockHeldElsewhereFailsInsteadOfHanging();
    void lockReleasedOnEveryFailure_data();
    void lockReleasedOnEveryFailure();
};

void TestConcurrency::copiesAppendAndUpdateAtOnce()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    // Records already there, and the tail of a save that a crash cut short.
    for (int k = 0; k < 3; ++k)
        appendRecord(path, writerRecord(0, k, false));
    {
        QFile f(path);
        QVERIFY(f.open(QIODevice::Append));
        f.write(writerRecord(0, 99, false).bytes().left(1000));
    }

    const int copies = 4, appends = 100;
    std::vector<std::unique_ptr<QProcess>> procs;
    for (int w = 1; w <= copies; ++w) {
        auto p = std::make_unique<QProcess>();
        p->start(writerProgram(), {QStringLiteral("append"), path, QString::number(w),
                                   QString::number(appends)});
        procs.push_back(std::move(p));
    }
    // Number each copy was told for each of its appends.
    QHash<QPair<int, int>, int> told;
    for (auto &p : procs) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QVERIFY2(p->exitCode() == 0, p->readAllStandardError().constData());
        for (const QByteArray &line : p->readAllStandardOutput().split('\n')) {
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 3)
                told.insert({parts[0].toInt(), parts[1].toInt()}, parts[2].toInt());
        }
    }
    QCOMPARE(told.size(), copies * appends);

    const int total = 3 + copies * appends;
    QCOMPARE(QFileInfo(path).size(), qint64(total) * layouts::cliente().recordSize());
    QSet<QPair<int, int>> found;
    scanArchive(path, layouts::cliente(), [&](const RecordView &r, int n) {
        int w = 0, k = 0;
        bool updated = false;
        [&] {
            QVERIFY2(readWriterRecord(r, w, k, updated), qPrintable(QStringLiteral("record %1 is mixed").arg(n)));
            QVERIFY2(!found.contains({w, k}), qPrintable(QStringLiteral("W%1 %2 twice").arg(w).arg(k)));
            found.insert({w, k});
            if (w == 0) {
                QCOMPARE(n, k + 1);
                return;
            }
            QCOMPARE(told.value({w, k}), n);
            // Every copy saved each of its cards again after the next append.
            QCOMPARE(updated, k < appends - 1);
        }();
        return !QTest::currentTestFailed();
    });
    QCOMPARE(found.size(), total);
}

void TestConcurrency::lockHeldElsewhereFailsInsteadOfHanging()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, writerRecord(0, 0, false));
    const QByteArray before = home.read(QStringLiteral("Clienti.arx"));

    QProcess holder;
    holder.start(writerProgram(), {QStringLiteral("hold"), path, QStringLiteral("3000")});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));
    {
        LockWait wait(300);
        QElapsedTimer t;
        t.start();
        try {
            appendRecord(path, writerRecord(0, 1, false));
            QFAIL("append went on under another copy's lock");
        } catch (const ArchiveError &e) {
            QCOMPARE(e.step(), IoStep::Lock);
        }
        try {
            updateRecord(path, writerRecord(0, 0, true), 1);
            QFAIL("update went on under another copy's lock");
        } catch (const ArchiveError &e) {
            QCOMPARE(e.step(), IoStep::Lock);
        }
        QVERIFY(t.elapsed() < 3000);
        // Reading needs no lock.
        QCOMPARE(countRecords(path, layouts::cliente()), 1);
        QCOMPARE(home.read(QStringLiteral("Clienti.arx")), before);
    }
    QVERIFY(holder.waitForFinished(10000));
    QCOMPARE(appendRecord(path, writerRecord(0, 1, false)), 2);
}

void TestConcurrency::lockReleasedOnEveryFailure_data()
{
    QTest::addColumn<bool>("append");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("shortWrite");
    QTest::newRow("append, size") << true << int(IoStep::Size) << -1;
    QTest::newRow("append, write") << true << int(IoStep::Write) << -1;
    QTest::newRow("append, half written") << true << int(IoStep::Write) << 2000;
    QTest::newRow("append, flush") << true << int(IoStep::Flush) << -1;
    QTest::newRow("update, write") << false << int(IoStep::Write) << -1;
    QTest::newRow("update, half written") << false << int(IoStep::Write) << 2000;
    QTest::newRow("update, flush") << false << int(IoStep::Flush) << -1;
}

void TestConcurrency::lockReleasedOnEveryFailure()
{
    QFETCH(bool, append);
    QFETCH(int, step);
    QFETCH(int, shortWrite);
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, writerRecord(0, 0, false));
    LockWait wait(200);
    FaultyFileSystem fs;
    // The failing file stays open: its lock must be gone before it closes.
    RecordFile failing;
    failing.openOrCreate(path, layouts::cliente());
    fs.failAt(IoStep(step));
    fs.shortWrite(shortWrite);
    if (append) {
        QVERIFY_THROWS_EXCEPTION(ArchiveError, failing.append(writerRecord(0, 1, false)));
    } else {
        failing.seek(0);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, failing.write(writerRecord(0, 0, true)));
    }
    QVERIFY(fs.triggered());
    fs.reset();
    QVERIFY(failing.isOpen());
    // Another save (another descriptor) gets the lock at once.
    QCOMPARE(appendRecord(path, writerRecord(0, 2, false)), 2);
    failing.close();
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "test_concurrency.moc"
