// The client export: the preview grid, the file line by line, the two
// questions and the failures while writing.
#include "clientfixture.h"

#include "clients/clientlistconfig.h"
#include "lists/exportgrid.h"
#include "platform/testing.h"
#include "platform/texts.h"
#include "store/codepage.h"
#include "store/values.h"
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include <QLabel>
#include <QTableView>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::lists;
using namespace pratelia::testing;

namespace {

QList<QByteArray> fileLines(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const QByteArray kCell = "<td style=\"text-align: left;\">";

const Record kRossi = fixture::client({{"Cognome", "Rossi"}, {"Nome", "Mario"},
    {"ComuneRes", "Forlì"}, {"Note", "ok"}});
const Record kVerdi = fixture::client({{"Cognome", "Verdi"}, {"Nome", "Anna"},
    {"CodFisc", "VRDNNA70A41F205X"}, {"Iva", "01234567890"}});
const Record kBianchi = fixture::client({{"Cognome", "Bianchi"}});

QString questionOne()
{
    return QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a "
                          "seconda del numero di schede presenti in archivio.\r\n\r\n"
                          "Si vuole esportare i dati adesso?");
}

} // namespace

class TestExport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void previewGrid();
    void fileForThreeClients();
    void cellsAreEscaped_data();
    void cellsAreEscaped();
    void editedCellGoesToTheFile();
    void emptyArchiveGivesHeaderOnly();
    void previewFailureIsSilent();
    void answers_data();
    void answers();
    void writeFailureShowsExportError_data();
    void writeFailureShowsExportError();
    void exportingTwiceReplacesTheFile();
    void plantedLinkIsNeverFollowed_data();
    void plantedLinkIsNeverFollowed();
};

void TestExport::previewGrid()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi, kVerdi, kBianchi}));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    QCOMPARE(w.status()->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    ExportGridModel *g = w.grid();
    QCOMPARE(g->rowCount(), 3);
    QCOMPARE(g->columnCount(), 26);
    QCOMPARE(g->headerData(7, Qt::Horizontal, Qt::DisplayRole).toString(),
             QStringLiteral("Comune di residenza"));
    QCOMPARE(g->cell(0, 0), QStringLiteral("1"));
    QCOMPARE(g->cell(2, 0), QStringLiteral("3"));
    QCOMPARE(g->cell(0, 1), QStringLiteral("Rossi Mario"));
    QCOMPARE(g->cell(2, 1), QStringLiteral("Bianchi"));
    QCOMPARE(g->cell(0, 7), QStringLiteral("Forlì"));
    QCOMPARE(g->cell(1, 5), QStringLiteral("01234567890"));
    QCOMPARE(w.view()->columnWidth(1), 250);
    // Read-only columns cannot be edited; the others can.
    QVERIFY(!(g->flags(g->index(0, 1)) & Qt::ItemIsEditable));
    QVERIFY(g->flags(g->index(0, 5)) & Qt::ItemIsEditable);
}

void TestExport::fileForThreeClients()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi, kVerdi, kBianchi}));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    w.exportFile();
    const QByteArray bytes = home.read("Clienti.xls");
    QVERIFY(bytes.endsWith("</html>\r\n"));
    QCOMPARE(bytes.count("\r\n"), bytes.count('\n')); // every line ends CR LF
    const QList<QByteArray> lines = fileLines(bytes);
    QCOMPARE(lines.size(), 138);
    QCOMPARE(lines[0], QByteArray("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
                                  "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
                                  "xmlns=\"http://www.w3.org/TR/REC-html40\">\r"));
    QCOMPARE(lines[2], QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                                  "charset=windows-1252\">\r"));
    QCOMPARE(lines[7], QByteArray("<x:Name>Riepilogo Clienti</x:Name>\r"));
    QCOMPARE(lines[13], QByteArray("<x:ActiveRow>3</x:ActiveRow>\r"));
    QCOMPARE(lines[26], QByteArray("<table x:str>\r"));
    QCOMPARE(lines[27], QByteArray("<tr>\r"));
    QCOMPARE(lines[28], QByteArray("<td style=\"text-align: left; font-weight: bold;\" "
                                   "width=250>Cognome e nome cliente</td>\r"));
    // The file's own header: "Città di residenza", in Windows-1252.
    QCOMPARE(lines[34], QByteArray("<td style=\"text-align: left; font-weight: bold;\" "
                                   "width=250>Citt\xe0 di residenza</td>\r"));
    QCOMPARE(lines[52], QByteArray("<td style=\"text-align: left; font-weight: bold;\" "
                                   "width=300>Note</td>\r"));
    QCOMPARE(lines[53], QByteArray("</tr>\r"));
    // First client: name, then an empty tax-code cell.
    QCOMPARE(lines[54], QByteArray("<tr>\r"));
    QCOMPARE(lines[55], kCell + "Rossi Mario</td>\r");
    QCOMPARE(lines[56], kCell + "</td>\r");
    QCOMPARE(lines[61], kCell + "Forl\xec</td>\r");
    QCOMPARE(lines[79], kCell + "ok</td>\r");
    QCOMPARE(lines[80], QByteArray("</tr>\r"));
    QCOMPARE(lines[82], kCell + "Verdi Anna</td>\r");
    QCOMPARE(lines[83], kCell + "VRDNNA70A41F205X</td>\r");
    QCOMPARE(lines[109], kCell + "Bianchi</td>\r");
    QCOMPARE(lines[135], QByteArray("</table>\r"));
    QCOMPARE(lines[137], QByteArray("</html>\r"));
}

void TestExport::cellsAreEscaped_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("angle brackets") << "a<b c>d" << QByteArray("a&lt;b c&gt;d");
    QTest::newRow("markup") << "<script>x</script>"
                            << QByteArray("&lt;script&gt;x&lt;/script&gt;");
    QTest::newRow("an entity stays text") << "&amp;" << QByteArray("&amp;amp;");
    QTest::newRow("ampersand") << "Rossi & Figli" << QByteArray("Rossi &amp; Figli");
    QTest::newRow("euro and accents in Windows-1252") << QStringLiteral("€ 5, più è")
                                                      << QByteArray("\x80 5, pi\xf9 \xe8");
    QTest::newRow("quotes stay") << "\"Il Sole\"" << QByteArray("\"Il Sole\"");
}

void TestExport::cellsAreEscaped()
{
    QFETCH(QString, stored);
    QFETCH(QByteArray, written);
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({fixture::client({{"Cognome", "Rossi"},
                                                                 {"Note", stored}})}));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    QCOMPARE(w.grid()->cell(0, 25), stored); // the grid shows the text as stored
    w.exportFile();
    const QList<QByteArray> lines = fileLines(home.read("Clienti.xls"));
    QCOMPARE(lines[79], kCell + written + "</td>\r");
}

void TestExport::editedCellGoesToTheFile()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi}));
    const QByteArray before = home.read("Clienti.arx");
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    QVERIFY(w.grid()->setData(w.grid()->index(0, 25), QStringLiteral("  nota <nuova>  "), Qt::EditRole));
    QVERIFY(!w.grid()->setData(w.grid()->index(0, 1), QStringLiteral("x"), Qt::EditRole));
    w.exportFile();
    const QList<QByteArray> lines = fileLines(home.read("Clienti.xls"));
    QCOMPARE(lines[79], kCell + "nota &lt;nuova&gt;</td>\r");
    QCOMPARE(lines[55], kCell + "Rossi Mario</td>\r");
    QCOMPARE(home.read("Clienti.arx"), before);
}

void TestExport::emptyArchiveGivesHeaderOnly()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", {});
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    QCOMPARE(w.grid()->rowCount(), 0);
    w.exportFile();
    const QList<QByteArray> lines = fileLines(home.read("Clienti.xls"));
    QCOMPARE(lines.size(), 57);
    QCOMPARE(lines[54], QByteArray("</table>\r"));
}

void TestExport::previewFailureIsSilent()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi, kVerdi}));
    FaultyFileSystem fs;
    fs.failAt(IoStep::Read);
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    QVERIFY(fs.triggered());
    QCOMPARE(w.grid()->rowCount(), 0);
    QVERIFY(platform.dialogs.shown.isEmpty());
}

void TestExport::answers_data()
{
    QTest::addColumn<bool>("first");
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("written");
    QTest::addColumn<bool>("opened");
    QTest::newRow("no to the first writes nothing") << false << true << false << false;
    QTest::newRow("no to the second leaves the file unopened") << true << false << true << false;
    QTest::newRow("yes twice opens the file") << true << true << true << true;
}

void TestExport::answers()
{
    QFETCH(bool, first);
    QFETCH(bool, second);
    QFETCH(bool, written);
    QFETCH(bool, opened);
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi}));
    platform.dialogs.answerNext(first);
    platform.dialogs.answerNext(second);
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    w.exportFile();
    QCOMPARE(QFile::exists(home.file("Clienti.xls")), written);
    QCOMPARE(platform.dialogs.shown.size(), first ? 2 : 1);
    QCOMPARE(platform.dialogs.shown[0].kind, MessageKind::Question);
    QCOMPARE(platform.dialogs.shown[0].text, questionOne());
    if (first)
        QCOMPARE(platform.dialogs.shown[1].text,
                 QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                "Si vuole aprire il file di Excel?"));
    QCOMPARE(platform.shell.opened.size(), opened ? 1 : 0);
    if (opened)
        QCOMPARE(platform.shell.opened[0].toLocalFile(), home.file("Clienti.xls"));
}

void TestExport::writeFailureShowsExportError_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("nth");
    QTest::newRow("file cannot be created") << int(IoStep::Open) << 1;
    QTest::newRow("first write fails") << int(IoStep::Write) << 1;
    QTest::newRow("close fails") << int(IoStep::Close) << 1;
}

void TestExport::writeFailureShowsExportError()
{
    QFETCH(int, step);
    QFETCH(int, nth);
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.arx", fixture::archive({kRossi, kVerdi}));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    FaultyFileSystem fs;
    fs.failAt(IoStep(step), nth);
    w.exportFile();
    QVERIFY(fs.triggered());
    QCOMPARE(platform.dialogs.shown.size(), 2); // the question, then the error
    QCOMPARE(platform.dialogs.shown[1].kind, MessageKind::Plain);
    QCOMPARE(platform.dialogs.shown[1].text, ExportErrorText());
    QVERIFY(platform.shell.opened.isEmpty());
}

void TestExport::exportingTwiceReplacesTheFile()
{
    TempProgramFolder home;
    TestPlatform platform;
    home.write("Clienti.xls", QByteArray(100000, 'x'));
    home.write("Clienti.arx", fixture::archive({kRossi}));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    w.exportFile();
    const QByteArray bytes = home.read("Clienti.xls");
    QVERIFY(bytes.startsWith("<html"));
    QCOMPARE(fileLines(bytes).size(), 54 + 27 + 3);
}

void TestExport::plantedLinkIsNeverFollowed_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("toMissing");
    QTest::newRow("export file, link to a file elsewhere") << "Clienti.xls" << false;
    QTest::newRow("export file, link to nothing") << "Clienti.xls" << true;
    QTest::newRow("archive, link to an archive elsewhere") << "Clienti.arx" << false;
}

void TestExport::plantedLinkIsNeverFollowed()
{
    // Someone sharing the program folder puts a link under the name of the
    // export file or of the archive. The export replaces a link under its
    // own name with the file, and never reads an archive through one; the
    // file the link points at stays as it was, and is never created.
    QFETCH(QString, name);
    QFETCH(bool, toMissing);
    TempProgramFolder home;
    TestPlatform platform;
    OutsideFile outside(fixture::archive({kVerdi, kBianchi}));
    if (name != u"Clienti.arx")
        home.write("Clienti.arx", fixture::archive({kRossi}));
    QVERIFY(outside.plantLink(home.file(name), toMissing));
    QWidget card;
    ExportWindow w(clients::clientExportConfig(), &card);
    w.preview();
    const int clients = name == u"Clienti.arx" ? 0 : 1;
    QCOMPARE(w.grid()->rowCount(), clients);
    for (int attempt = 1; attempt <= 2; ++attempt) {
        w.exportFile();
        QCOMPARE(platform.dialogs.shown.size(), 2 * attempt);
        QCOMPARE(platform.dialogs.lastText(),
                 QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\n"
                                "Si vuole aprire il file di Excel?"));
        QCOMPARE(outside.content(), outside.original());
        QVERIFY(!QFile::exists(outside.missingPath()));
        QVERIFY(isPlainFile(home.file("Clienti.xls")));
        const QByteArray bytes = home.read("Clienti.xls");
        QCOMPARE(fileLines(bytes).size(), 54 + 27 * clients + 3);
        QVERIFY(!bytes.contains("Verdi"));
    }
    if (name == u"Clienti.arx")
        QVERIFY(isLink(home.file(name)));
}

QTEST_MAIN(TestExport)
#include "test_export.moc"
