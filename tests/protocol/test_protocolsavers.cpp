// Several copies of the program on one shared folder save new protocol
// cards into one archive at once, each with the number New proposed before
// any of them saved: every stored number is still unique and is the start
// plus the record number less one, and each copy's card shows the number
// its record got.
#include "protocol/protocollo.h"
#include "store/recordfile.h"
#include "support/tempfolder.h"

#include <QProcess>
#include <QtTest>
#include <memory>

using namespace pratelia;
using namespace pratelia::testing;

class TestProtocolSavers : public QObject {
    Q_OBJECT
private slots:
    void copiesSavingAtOnceNeverShareANumber()
    {
        TempProgramFolder home;
        home.write("Pratelia.ini",
                   "[Numerazione Protocollo]\r\nInizio=100\r\nIndicazione Anno Solare=S\xEC\r\n");
        const int copies = 4;
        const int each = 5;
        std::vector<std::unique_ptr<QProcess>> savers;
        for (int i = 0; i < copies; ++i) {
            auto p = std::make_unique<QProcess>();
            p->start(QStringLiteral(PROTOCOL_SAVER),
                     {home.path(), "2024", QString("copia%1").arg(i), QString::number(each)});
            QVERIFY(p->waitForStarted());
            savers.push_back(std::move(p));
        }
        // All of them proposed "100/2024" before the first one saves.
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (int i = 0; i < copies; ++i)
                    if (!QFile::exists(home.file(QString("ready-copia%1").arg(i))))
                        return false;
                return true;
            }(),
            60000);
        home.write("go", "");
        QStringList lines;
        for (auto &p : savers) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
            lines += QString::fromUtf8(p->readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        }
        QCOMPARE(lines.size(), copies * each);
        int renumbered = 0;
        for (const QString &line : lines) {
            const QStringList parts = line.split(' ');
            QCOMPARE(parts.size(), 3);
            // The card shows the number its record holds.
            QCOMPARE(parts[2], QString("%1/2024").arg(99 + parts[0].toInt()));
            if (parts[1] != parts[2])
                ++renumbered;
        }
        // Four copies proposed the same first number: three of them at least
        // were given another.
        QVERIFY(renumbered >= copies - 1);

        QStringList numbers;
        scanArchive(protocol::archivePath("2024"), protocol::layout(), [&](const RecordView &r, int n) {
            numbers << r.text(u"Numero");
            if (r.text(u"Numero") != QString("%1/2024").arg(99 + n))
                qWarning() << "record" << n << r.text(u"Numero");
            return true;
        });
        QCOMPARE(numbers.size(), copies * each);
        for (int n = 1; n <= numbers.size(); ++n)
            QCOMPARE(numbers.at(n - 1), QString("%1/2024").arg(99 + n));
        QCOMPARE(QSet<QString>(numbers.begin(), numbers.end()).size(), numbers.size());
    }
};

QTEST_GUILESS_MAIN(TestProtocolSavers)
#include "test_protocolsavers.moc"
