// The settings files and the test doubles of the platform.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "platform/inifile.h"
#include "platform/testing.h"
#include "platform/texts.h"

#include <QDir>
#include <QPagedPaintDevice>
#include <QPainter>
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
    void iniValueStaysOnItsLine_data();
    void iniValueStaysOnItsLine();
    void iniUnderALinkIsNeverUsed_data();
    void iniUnderALinkIsNeverUsed();
    void pdfWithoutPrinterReplacesAPlantedLink();
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
        // No temporary file is left behind.
        QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("a.ini")});
    }
}

namespace {
const QByteArray kSettings = "[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Bianchi\r\n\r\n"
                             "[Numerazione Protocollo]\r\nInizio=100\r\n"
                             "Indicazione Anno Solare=S\xEC\r\n";

// The four settings of the program as they read from `path`, each as
// "section/key=value" ("section/key" alone when absent).
QStringList settingsIn(const QString &path)
{
    QStringList out;
    IniFile ini;
    ini.load(path);
    for (auto [section, key] : {std::pair{"Protocollo Documenti", "Ufficio"},
                                std::pair{"Protocollo Documenti", "Operatore"},
                                std::pair{"Numerazione Protocollo", "Inizio"},
                                std::pair{"Numerazione Protocollo", "Indicazione Anno Solare"}}) {
        const QString s = QString::fromLatin1(section), k = QString::fromLatin1(key);
        out << s + u'/' + k + (ini.has(s, k) ? u'=' + ini.value(s, k) : QString());
    }
    return out;
}
} // namespace

void TestPlatformSeam::iniValueStaysOnItsLine_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("readBack");
    // A value that begins like a multi-line block must not take the lines
    // after it along.
    QTest::newRow("begins with <<<") << "<<<Studio Rossi" << "<<<Studio Rossi";
    QTest::newRow("only <<<") << "<<<" << "<<<";
    QTest::newRow("<<< and a tag of the following text") << "<<<Inizio" << "<<<Inizio";
    // A line break must not start a key or a section of its own.
    QTest::newRow("CR LF and a key")
        << "Studio\r\nInizio=999" << "Studio  Inizio=999";
    QTest::newRow("LF and a section")
        << "Studio\n[Numerazione Protocollo]\nInizio=1" << "Studio [Numerazione Protocollo] Inizio=1";
    QTest::newRow("CR alone") << "Studio\rRossi" << "Studio Rossi";
    QTest::newRow("tab, NUL and DEL") << QString::fromLatin1("A\tB\0C\x7F" "D", 7) << "A B C D";
}

void TestPlatformSeam::iniValueStaysOnItsLine()
{
    QFETCH(QString, typed);
    QFETCH(QString, readBack);
    TempProgramFolder home;
    home.write(QStringLiteral("Pratelia.ini"), kSettings);
    const QString path = home.file(QStringLiteral("Pratelia.ini"));
    QStringList expected = settingsIn(path);
    QCOMPARE(expected.size(), 4);
    QCOMPARE(expected[2], QStringLiteral("Numerazione Protocollo/Inizio=100"));

    QVERIFY(writeIniValue(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"), typed));
    expected[0] = QStringLiteral("Protocollo Documenti/Ufficio=") + readBack;
    QCOMPARE(settingsIn(path), expected);
    // Each value on a line of its own in the file.
    const QByteArray bytes = home.read(QStringLiteral("Pratelia.ini"));
    QVERIFY2(bytes.contains("\r\nUfficio=" + readBack.toLatin1() + "\r\nOperatore=Bianchi\r\n"),
             bytes.constData());
    // Another write after reading it all back keeps every value.
    QVERIFY(writeIniValue(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Operatore"),
                          QStringLiteral("Verdi")));
    expected[1] = QStringLiteral("Protocollo Documenti/Operatore=Verdi");
    QCOMPARE(settingsIn(path), expected);
}

void TestPlatformSeam::iniUnderALinkIsNeverUsed_data()
{
    QTest::addColumn<QString>("planted");
    QTest::addColumn<bool>("written");
    // The settings file itself: never read, written through or replaced.
    QTest::newRow("settings file") << "Pratelia.ini" << false;
    // The name its temporary file once had: of no concern now.
    QTest::newRow("old temporary name") << "Pratelia.ini.new" << true;
}

void TestPlatformSeam::iniUnderALinkIsNeverUsed()
{
    QFETCH(QString, planted);
    QFETCH(bool, written);
    TempProgramFolder home;
    OutsideFile outside(kSettings);
    const QString path = home.file(QStringLiteral("Pratelia.ini"));
    if (written)
        home.write(QStringLiteral("Pratelia.ini"), kSettings);
    QVERIFY(outside.plantLink(home.file(planted)));

    bool ok = false;
    const QString inizio = readIniValue(path, QStringLiteral("Numerazione Protocollo"),
                                        QStringLiteral("Inizio"), &ok);
    QCOMPARE(ok, written);
    QCOMPARE(inizio, written ? QStringLiteral("100") : QString());
    IniFile ini;
    QCOMPARE(ini.load(path), written ? IniFile::LoadResult::Ok : IniFile::LoadResult::Failed);
    for (const char *office : {"Studio", "Studio Rossi"}) { // a second time too
        QCOMPARE(writeIniValue(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"),
                               QString::fromLatin1(office)),
                 written);
        QCOMPARE(outside.content(), outside.original());
        QVERIFY(isLink(home.file(planted)));
        if (written) {
            QVERIFY(isPlainFile(path));
            QCOMPARE(readIniValue(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio")),
                     QString::fromLatin1(office));
            QCOMPARE(readIniValue(path, QStringLiteral("Numerazione Protocollo"), QStringLiteral("Inizio")),
                     QStringLiteral("100"));
        }
    }
    // Once whoever manages the folder takes the link away, a settings file
    // is made again.
    if (!written) {
        QVERIFY(QFile::remove(path));
        QVERIFY(writeIniValue(path, QStringLiteral("Protocollo Documenti"), QStringLiteral("Ufficio"),
                              QStringLiteral("Studio")));
        QVERIFY(isPlainFile(path));
        QCOMPARE(outside.content(), outside.original());
    }
}

void TestPlatformSeam::pdfWithoutPrinterReplacesAPlantedLink()
{
    // With no printer, a print becomes "<job>.pdf" in the program folder; a
    // link put there under that name is replaced by the document, and a
    // print that fails leaves the document before it whole.
    TempProgramFolder home;
    TestPlatform platform;
    OutsideFile outside;
    const QString pdf = home.file(QStringLiteral("Scheda cliente.pdf"));
    QVERIFY(outside.plantLink(pdf));
    auto print = [](const QString &text) {
        return platform::pdfPrinting().print(
            QStringLiteral("Scheda cliente"), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
            [&](QPagedPaintDevice &device) {
                QPainter p(&device);
                p.drawText(QPointF(100, 100), text);
                return p.end();
            });
    };
    QVERIFY(print(QStringLiteral("Rossi Mario")));
    QCOMPARE(outside.content(), outside.original());
    QVERIFY(isPlainFile(pdf));
    const QByteArray first = home.read(QStringLiteral("Scheda cliente.pdf"));
    QVERIFY(first.startsWith("%PDF"));
    QVERIFY(first.trimmed().endsWith("%%EOF"));
    QCOMPARE(platform.shell.opened.size(), 1);
    QCOMPARE(platform.shell.opened[0].toLocalFile(), QFileInfo(pdf).absoluteFilePath());

    const bool failed = !platform::pdfPrinting().print(QStringLiteral("Scheda cliente"), QPageLayout::Portrait,
                                                       QMarginsF(), [](QPagedPaintDevice &) { return false; });
    QVERIFY(failed);
    QCOMPARE(home.read(QStringLiteral("Scheda cliente.pdf")), first);
    QVERIFY(print(QStringLiteral("Verdi Anna")));
    QVERIFY(home.read(QStringLiteral("Scheda cliente.pdf")).startsWith("%PDF"));
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("Scheda cliente.pdf")});
    QCOMPARE(outside.content(), outside.original());
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
