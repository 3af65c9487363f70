// The settings files and the test doubles of the platform.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "platform/inifile.h"
#include "platform/testing.h"
#include "platform/texts.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

class TestPlatformSeam : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void iniKeepsTheRestOfTheFile();
    void iniValuesAreWindows1252();
    void iniMissingAndUnreadable();
    void iniFailedWriteKeepsOldFile();
    void fakeDialogsRecordAndAnswer();
    void standardMessages();
};

void TestPlatformSeam::iniKeepsTheRestOfTheFile()
{
    TempProgramFolder home;
    home.write(QStringLiteral("Pratelia.ini"),
               "; impostazioni\r\n[Numerazione protocollo]\r\nInizio=15\r\nAltro=x\r\n\r\n[Accesso]\r\nValore=AB\r\n");
    QVERIFY(writeIniValue(home.file(QStringLiteral("Pratelia.ini")), QStringLiteral("Accesso"),
                          QStringLiteral("Valore"), QStringLiteral("CD")));
    const QByteArray after = home.read(QStringLiteral("Pratelia.ini"));
    QVERIFY2(after.contains("[Numerazione protocollo]\r\nInizio=15\r\nAltro=x\r\n"), after.constData());
    QVERIFY(after.contains("; impostazioni"));
    QVERIFY(after.contains("Valore=CD\r\n"));
    QVERIFY(!after.contains("AB"));
    bool ok = false;
    QCOMPARE(readIniValue(home.file(QStringLiteral("Pratelia.ini")), QStringLiteral("Numerazione protocollo"),
                          QStringLiteral("Inizio"), &ok), QStringLiteral("15"));
    QVERIFY(ok);
}

void TestPlatformSeam::iniValuesAreWindows1252()
{
    TempProgramFolder home;
    const QString path = home.file(QStringLiteral("x.ini"));
    QVERIFY(writeIniValue(path, QStringLiteral("Uffici e operatori"), QStringLiteral("Ufficio"),
                          QString::fromUtf8("Segreteria €")));
    QVERIFY(home.read(QStringLiteral("x.ini")).contains("[Uffici e operatori]\r\nUfficio=Segreteria \x80\r\n"));
    QCOMPARE(readIniValue(path, QStringLiteral("Uffici e operatori"), QStringLiteral("Ufficio")),
             QString::fromUtf8("Segreteria €"));
}

void TestPlatformSeam::iniMissingAndUnreadable()
{
    TempProgramFolder home;
    bool ok = true;
    QCOMPARE(readIniValue(home.file(QStringLiteral("none.ini")), QStringLiteral("A"), QStringLiteral("B"), &ok), QString());
    QVERIFY(!ok);
    home.write(QStringLiteral("a.ini"), "[A]\r\nB=1\r\n");
    FaultyFileSystem fs;
    fs.failAt(IoStep::Read);
    QCOMPARE(readIniValue(home.file(QStringLiteral("a.ini")), QStringLiteral("A"), QStringLiteral("B"), &ok), QString());
    QVERIFY(!ok);
    // A file that cannot be read is never rewritten from nothing.
    fs.failAt(IoStep::Read);
    QVERIFY(!writeIniValue(home.file(QStringLiteral("a.ini")), QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("2")));
    fs.reset();
    QCOMPARE(home.read(QStringLiteral("a.ini")), QByteArray("[A]\r\nB=1\r\n"));
}

void TestPlatformSeam::iniFailedWriteKeepsOldFile()
{
    TempProgramFolder home;
    home.write(QStringLiteral("a.ini"), "[A]\r\nB=1\r\n");
    for (IoStep step : {IoStep::Write, IoStep::Flush, IoStep::Close, IoStep::Rename}) {
        FaultyFileSystem fs;
        fs.failAt(step);
        QVERIFY(!writeIniValue(home.file(QStringLiteral("a.ini")), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("2")));
        QVERIFY(fs.triggered());
        QCOMPARE(home.read(QStringLiteral("a.ini")), QByteArray("[A]\r\nB=1\r\n"));
        QVERIFY(!QFile::exists(home.file(QStringLiteral("a.ini.new"))));
    }
}

void TestPlatformSeam::fakeDialogsRecordAndAnswer()
{
    TestPlatform p;
    p.dialogs.answerNext(false);
    QVERIFY(!platform::dialogs().question(QStringLiteral("Sovrascrivere?")));
    QVERIFY(platform::dialogs().question(QStringLiteral("Ancora?")));
    QVERIFY(platform::dialogs().warning(QStringLiteral("Attenzione")));
    QCOMPARE(p.dialogs.shown.size(), 3);
    QCOMPARE(p.dialogs.shown[2].kind, MessageKind::Warning);
    p.clock.setToday(QDate(2024, 5, 10));
    QCOMPARE(platform::clock().today(), QDate(2024, 5, 10));
}

void TestPlatformSeam::standardMessages()
{
    const QString access = FileAccessErrorText();
    QVERIFY(access.startsWith(QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\rAccertarsi")));
    QVERIFY(access.endsWith(QStringLiteral("nella cartella di installazione del programma.")));
    QCOMPARE(ExportErrorText(),
             QString::fromUtf8("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                               "Accertarsi che il file di Excel non sia già aperto."));
}

QTEST_MAIN(TestPlatformSeam)
#include "test_platform.moc"
