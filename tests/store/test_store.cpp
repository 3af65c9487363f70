// Archive storage: record layouts, the short text codec and record files.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "store/recordfile.h"
#include "store/values.h"

#include <QDir>
#include <QFile>
#include <QtTest>
#include <stdexcept>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

struct ExpectedField {
    const char *name;
    int offset;
    int capacity;
};
struct ExpectedLayout {
    const char *layout;
    std::vector<ExpectedField> fields;
};

// Offsets and capacities as the files that installations hold have them.
const std::vector<ExpectedLayout> kExpected = {
    {"cliente", {{"Cognome", 0, 50}, {"Nome", 51, 50}, {"CodFisc", 102, 16}, {"Sesso", 119, 1}, {"DataNasc", 121, 10}, {"ComuneNasc", 132, 50}, {"ProvNasc", 183, 2}, {"Iva", 186, 11}, {"Indirizzo", 198, 50}, {"Cap", 249, 5}, {"ComuneRes", 255, 50}, {"ProvRes", 306, 2}, {"Stato", 309, 50}, {"Familiari", 360, 250}, {"Recapito", 611, 50}, {"TelCasa", 662, 50}, {"TelCel", 713, 50}, {"TelUff", 764, 50}, {"Fax", 815, 50}, {"Email", 866, 50}, {"Qualifiche", 917, 250}, {"Professione", 1168, 50}, {"Iban", 1219, 27}, {"Intestatario", 1247, 50}, {"Banca", 1298, 50}, {"Carta", 1349, 50}, {"ScadeCarta", 1400, 10}, {"Prodotti", 1411, 250}, {"Pagamento", 1662, 120}, {"Note", 1783, 250}, {"TipoDoc", 2034, 50}, {"NumDoc", 2085, 50}, {"EnteRil", 2136, 50}, {"DataRil", 2187, 10}, {"DataSca", 2198, 10}, {"Codice", 2209, 30}, {"Categoria", 2240, 50}, {"Zona", 2291, 50}, {"Acquisto", 2342, 50}, {"Decorrenza", 2393, 10}, {"Scadenza", 2404, 10}, {"Preavviso", 2415, 3}, {"Totale", 2419, 15}, {"Frazionamento", 2435, 50}, {"Rata", 2486, 50}, {"File01", 2537, 250}, {"File02", 2788, 250}, {"File03", 3039, 250}, {"Desc01", 3290, 250}, {"Desc02", 3541, 250}, {"Desc03", 3792, 250}}},
    {"tariffa", {{"ID", 0, 20}, {"Tipologia", 21, 50}, {"Descrizione", 72, 250}, {"Ordinaria", 323, 15}, {"Scontata", 339, 15}, {"Spese", 355, 250}, {"Persona", 606, 50}, {"CodFisc", 657, 16}, {"Recapito", 674, 50}, {"Email", 725, 50}, {"Uffici", 776, 250}, {"Requisiti", 1027, 250}, {"Documenti", 1278, 250}, {"Pagamento", 1529, 250}, {"Tempi", 1780, 250}, {"Note", 2031, 250}, {"Copia", 2282, 250}, {"TarScontata", 2533, 2}, {"File01", 2536, 250}, {"File02", 2787, 250}, {"File03", 3038, 250}, {"Desc01", 3289, 250}, {"Desc02", 3540, 250}, {"Desc03", 3791, 250}}},
    {"servizio", {{"ID", 0, 20}, {"Tipologia", 21, 50}, {"Descrizione", 72, 250}, {"Tariffa", 323, 15}, {"DataRic", 339, 10}, {"DataEsp", 350, 10}, {"Pagamento", 361, 250}, {"Cliente", 612, 50}, {"CodFisc", 663, 16}, {"Ditta", 680, 50}, {"Iva", 731, 11}, {"Stato", 743, 250}, {"Uffici", 994, 250}, {"Documenti", 1245, 250}, {"Questioni", 1496, 250}, {"Note", 1747, 250}, {"Copia", 1998, 250}, {"Pagato", 2249, 2}, {"File01", 2252, 250}, {"File02", 2503, 250}, {"File03", 2754, 250}, {"Desc01", 3005, 250}, {"Desc02", 3256, 250}, {"Desc03", 3507, 250}}},
    {"scadenza", {{"Giorno", 0, 2}, {"Mese", 3, 10}, {"Anno", 14, 4}, {"Data", 19, 10}, {"OreApp", 30, 2}, {"MinutiApp", 33, 2}, {"Ora", 36, 5}, {"Avviso", 42, 3}, {"Cliente", 46, 50}, {"CodFisc", 97, 16}, {"Recapito", 114, 50}, {"ID", 165, 20}, {"Tipologia", 186, 50}, {"Descrizione", 237, 250}, {"Uffici", 488, 250}, {"Requisiti", 739, 250}, {"Documenti", 990, 250}, {"Persona", 1241, 50}, {"Dettagli", 1292, 250}, {"Pagamento", 1543, 250}, {"Costo", 1794, 15}, {"Spese", 1810, 250}, {"Note", 2061, 250}, {"DaConfermare", 2312, 2}, {"Effettuata", 2315, 2}}},
    {"protocollo", {{"Numero", 0, 16}, {"Tipologia", 17, 20}, {"DataReg", 38, 10}, {"Ufficio", 49, 50}, {"Operatore", 100, 50}, {"Categoria", 151, 50}, {"Collocazione", 202, 120}, {"Oggetto", 323, 250}, {"DataSpe", 574, 10}, {"DataRic", 585, 10}, {"Formato", 596, 50}, {"Pagine", 647, 12}, {"Riferimenti", 660, 250}, {"Note", 911, 250}, {"Mittente", 1162, 120}, {"RecapitoMit", 1283, 120}, {"Destinatario", 1404, 120}, {"RecapitoDes", 1525, 120}, {"Copia", 1646, 250}, {"File01", 1897, 250}, {"File02", 2148, 250}, {"File03", 2399, 250}, {"Desc01", 2650, 250}, {"Desc02", 2901, 250}, {"Desc03", 3152, 250}}},
};

const RecordLayout &layoutByName(const QString &n)
{
    if (n == u"cliente") return layouts::cliente();
    if (n == u"tariffa") return layouts::tariffa();
    if (n == u"servizio") return layouts::servizio();
    if (n == u"scadenza") return layouts::scadenza();
    return layouts::protocollo();
}

Record clientNamed(const QString &surname, const QString &name = QStringLiteral("Mario"))
{
    Record r(layouts::cliente());
    r.setText(u"Cognome", surname);
    r.setText(u"Nome", name);
    return r;
}

QByteArray fieldBytes(const Record &r, const QString &field)
{
    const Field &f = r.layout().field(r.layout().require(field));
    return r.bytes().mid(f.offset, f.size());
}

} // namespace

class TestStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void layoutsHaveTheKnownOffsets_data();
    void layoutsHaveTheKnownOffsets();
    void layoutChosenByFileName();
    void shortTextEncoding_data();
    void shortTextEncoding();
    void flagsAreTheKnownBytes();
    void damagedLengthByteReadsWholeFieldOnly();
    void bytesAfterTheTextAreIgnored();
    void fileSizeGivesRecordCount();
    void firstSaveIntoMissingArchiveIsRecordOne();
    void updateLeavesOtherRecordsIdentical();
    void incompleteTrailingRecordIsNotRead();
    void appendOverIncompleteTailKeepsAlignment();
    void scanReadsInBlocksAndStops();
    void existingArchiveThatCannotOpenIsNotReplaced();
    void failuresReachTheCaller_data();
    void failuresReachTheCaller();
    void failedAppendLeavesNoPartialRecord();
    void readingPastTheEndFails();
    void replacedFileIsNeverWrittenThroughALink_data();
    void replacedFileIsNeverWrittenThroughALink();
    void takenTemporaryNamesAreSkipped_data();
    void takenTemporaryNamesAreSkipped();
    void failedReplaceKeepsTheOldFile_data();
    void failedReplaceKeepsTheOldFile();
    void archiveUnderALinkIsNeverOpened_data();
    void archiveUnderALinkIsNeverOpened();
    void onlyChosenFilesAreReadThroughALink();
};

void TestStore::layoutsHaveTheKnownOffsets_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("recordSize");
    QTest::newRow("cliente") << "cliente" << 4043;
    QTest::newRow("tariffa") << "tariffa" << 4042;
    QTest::newRow("servizio") << "servizio" << 3758;
    QTest::newRow("scadenza") << "scadenza" << 2318;
    QTest::newRow("protocollo") << "protocollo" << 3403;
}

void TestStore::layoutsHaveTheKnownOffsets()
{
    QFETCH(QString, layout);
    QFETCH(int, recordSize);
    const RecordLayout &l = layoutByName(layout);
    QCOMPARE(l.recordSize(), recordSize);
    const ExpectedLayout *expected = nullptr;
    for (const auto &e : kExpected)
        if (layout == QLatin1String(e.layout))
            expected = &e;
    QVERIFY(expected);
    QCOMPARE(l.fieldCount(), int(expected->fields.size()));
    for (int i = 0; i < l.fieldCount(); ++i) {
        const auto &e = expected->fields[size_t(i)];
        QCOMPARE(l.field(i).name, QString::fromLatin1(e.name));
        QCOMPARE(l.field(i).offset, e.offset);
        QCOMPARE(l.field(i).capacity, e.capacity);
    }
}

void TestStore::layoutChosenByFileName()
{
    QCOMPARE(layouts::forFileName(QStringLiteral("/x/Clienti.arx")), &layouts::cliente());
    QCOMPARE(layouts::forFileName(QStringLiteral("Tariffario.arx")), &layouts::tariffa());
    QCOMPARE(layouts::forFileName(QStringLiteral("2024.ser")), &layouts::servizio());
    QCOMPARE(layouts::forFileName(QStringLiteral("2024.sca")), &layouts::scadenza());
    QCOMPARE(layouts::forFileName(QStringLiteral("2024.prt")), &layouts::protocollo());
    QCOMPARE(layouts::forFileName(QStringLiteral("Pratelia.ini")), nullptr);
    QCOMPARE(layouts::forFileName(QStringLiteral("Clienti.xls")), nullptr);
}

void TestStore::shortTextEncoding_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("stored");  // length byte and text bytes
    QTest::addColumn<QString>("readBack");
    QTest::newRow("plain") << "Rossi" << QByteArray("\x05Rossi", 6) << "Rossi";
    QTest::newRow("blanks around") << " Rossi " << QByteArray("\x05Rossi", 6) << "Rossi";
    QTest::newRow("tabs and newlines") << "\t\nRossi\r\n" << QByteArray("\x05Rossi", 6) << "Rossi";
    QTest::newRow("inner blanks kept") << "De  Luca" << QByteArray("\x08" "De  Luca", 9) << "De  Luca";
    QTest::newRow("euro") << QString::fromUtf8("10 €") << QByteArray("\x04" "10 \x80", 5) << QString::fromUtf8("10 €");
    QTest::newRow("accented") << QString::fromUtf8("Città") << QByteArray("\x05" "Citt\xE0", 6) << QString::fromUtf8("Città");
    QTest::newRow("outside code page") << QString::fromUtf8("Łódź") << QByteArray("\x04?\xF3" "d?", 5) << QString::fromUtf8("?ód?");
    QTest::newRow("outside BMP is one ?") << QString::fromUtf8("a😀b") << QByteArray("\x03" "a?b", 4) << "a?b";
    QTest::newRow("empty") << "" << QByteArray("\x00", 1) << "";
    QTest::newRow("only blanks") << "   " << QByteArray("\x00", 1) << "";
    QTest::newRow("60 into 50") << QString(60, u'x') << (QByteArray(1, char(50)) + QByteArray(50, 'x')) << QString(50, u'x');
}

void TestStore::shortTextEncoding()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, stored);
    QFETCH(QString, readBack);
    Record r(layouts::cliente());
    r.setText(u"Cognome", typed);
    const QByteArray field = fieldBytes(r, QStringLiteral("Cognome"));
    QCOMPARE(field.left(stored.size()), stored);
    QCOMPARE(r.text(u"Cognome"), readBack);
}

void TestStore::flagsAreTheKnownBytes()
{
    Record r(layouts::tariffa());
    r.setText(u"TarScontata", QString::fromUtf8("Sì"));
    QCOMPARE(r.bytes().mid(2533, 3), QByteArray("\x02\x53\xEC", 3));
    r.setText(u"TarScontata", QStringLiteral("No"));
    QCOMPARE(r.bytes().mid(2533, 3), QByteArray("\x02\x4E\x6F", 3));
    Record s(layouts::scadenza());
    s.setText(u"DaConfermare", QString::fromUtf8("Sì"));
    QCOMPARE(s.bytes().mid(2312, 3), QByteArray("\x02\x53\xEC", 3));
    QCOMPARE(s.text(u"DaConfermare"), QString::fromUtf8("Sì"));
}

void TestStore::damagedLengthByteReadsWholeFieldOnly()
{
    // Sesso has capacity 1; a length byte of 200 must not read into DataNasc.
    QByteArray bytes(layouts::cliente().recordSize(), '\0');
    bytes[119] = char(200);
    bytes[120] = 'M';
    bytes[121] = char(10);
    bytes.replace(122, 10, "01/02/1990");
    Record r(layouts::cliente(), bytes);
    QCOMPARE(r.text(u"Sesso"), QStringLiteral("M"));
    QCOMPARE(r.text(u"DataNasc"), QStringLiteral("01/02/1990"));
    // The last field of the record too: nothing past the record is read.
    QByteArray last(layouts::cliente().recordSize(), 'z');
    last[3792] = char(255);
    Record l(layouts::cliente(), last);
    QCOMPARE(l.text(u"Desc03"), QString(250, u'z'));
}

void TestStore::bytesAfterTheTextAreIgnored()
{
    QByteArray bytes(layouts::cliente().recordSize(), '\xFF');
    bytes[0] = 3;
    bytes.replace(1, 3, "Ada");
    QCOMPARE(Record(layouts::cliente(), bytes).text(u"Cognome"), QStringLiteral("Ada"));
}

void TestStore::fileSizeGivesRecordCount()
{
    TempProgramFolder home;
    home.write(QStringLiteral("Clienti.arx"), QByteArray());
    QCOMPARE(countRecords(ArchivePath(QStringLiteral("Clienti.arx")), layouts::cliente()), 0);
    home.write(QStringLiteral("Clienti.arx"), QByteArray(8086, '\0'));
    QCOMPARE(countRecords(ArchivePath(QStringLiteral("Clienti.arx")), layouts::cliente()), 2);
}

void TestStore::firstSaveIntoMissingArchiveIsRecordOne()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    QVERIFY(!QFile::exists(path));
    QCOMPARE(appendRecord(path, clientNamed(QStringLiteral("Rossi"))), 1);
    QCOMPARE(QFileInfo(path).size(), qint64(4043));
    QCOMPARE(appendRecord(path, clientNamed(QStringLiteral("Verdi"))), 2);
    QCOMPARE(readRecord(path, layouts::cliente(), 2).text(u"Cognome"), QStringLiteral("Verdi"));
}

void TestStore::updateLeavesOtherRecordsIdentical()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    for (const char *n : {"Uno", "Due", "Tre", "Quattro", "Cinque"})
        appendRecord(path, clientNamed(QString::fromLatin1(n)));
    const QByteArray before = home.read(QStringLiteral("Clienti.arx"));
    updateRecord(path, clientNamed(QStringLiteral("Terzo")), 3);
    const QByteArray after = home.read(QStringLiteral("Clienti.arx"));
    QCOMPARE(after.size(), before.size());
    const int rs = 4043;
    for (int i : {0, 1, 3, 4})
        QCOMPARE(after.mid(i * rs, rs), before.mid(i * rs, rs));
    QCOMPARE(readRecord(path, layouts::cliente(), 3).text(u"Cognome"), QStringLiteral("Terzo"));
}

void TestStore::incompleteTrailingRecordIsNotRead()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, clientNamed(QStringLiteral("Rossi")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(100, 'x'));
    f.close();
    QStringList seen;
    scanArchive(path, layouts::cliente(), [&](const RecordView &r, int) {
        seen << r.text(u"Cognome");
        return true;
    });
    QCOMPARE(seen, QStringList{QStringLiteral("Rossi")});
    QCOMPARE(countRecords(path, layouts::cliente()), 1);
}

void TestStore::appendOverIncompleteTailKeepsAlignment()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, clientNamed(QStringLiteral("Rossi")));
    QFile f(path);
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(100, 'x'));
    f.close();
    QCOMPARE(appendRecord(path, clientNamed(QStringLiteral("Verdi"))), 2);
    QCOMPARE(QFileInfo(path).size(), qint64(2 * 4043));
    QCOMPARE(readRecord(path, layouts::cliente(), 2).text(u"Cognome"), QStringLiteral("Verdi"));
}

void TestStore::scanReadsInBlocksAndStops()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    for (int i = 1; i <= 7; ++i)
        appendRecord(path, clientNamed(QString::number(i)));
    RecordFile f;
    f.openOrCreate(path, layouts::cliente(), RecordFile::Access::ReadOnly);
    QList<int> numbers;
    f.scan([&](const RecordView &r, int n) {
        numbers << n;
        return r.text(u"Cognome") != u"5";
    }, 3);
    QCOMPARE(numbers, (QList<int>{1, 2, 3, 4, 5}));
    QCOMPARE(f.position(), 5);
}

void TestStore::existingArchiveThatCannotOpenIsNotReplaced()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, clientNamed(QStringLiteral("Rossi")));
    const QByteArray before = home.read(QStringLiteral("Clienti.arx"));
    FaultyFileSystem fs;
    fs.failAt(IoStep::Open, 1, true);
    QVERIFY_THROWS_EXCEPTION(ArchiveError, appendRecord(path, clientNamed(QStringLiteral("Verdi"))));
    fs.reset();
    QCOMPARE(home.read(QStringLiteral("Clienti.arx")), before);
}

void TestStore::failuresReachTheCaller_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("append");
    for (IoStep s : {IoStep::Open, IoStep::Size, IoStep::Write, IoStep::Flush, IoStep::Close,
                     IoStep::Lock}) {
        QTest::addRow("append, %s", ioStepName(s)) << int(s) << true;
        if (s != IoStep::Lock)
            QTest::addRow("update, %s", ioStepName(s)) << int(s) << false;
    }
}

void TestStore::failuresReachTheCaller()
{
    QFETCH(int, step);
    QFETCH(bool, append);
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    for (const char *n : {"Uno", "Due", "Tre"})
        appendRecord(path, clientNamed(QString::fromLatin1(n)));
    const QByteArray before = home.read(QStringLiteral("Clienti.arx"));
    {
        FaultyFileSystem fs;
        fs.failAt(IoStep(step));
        bool threw = false;
        try {
            if (append)
                appendRecord(path, clientNamed(QStringLiteral("Nuovo")));
            else
                updateRecord(path, clientNamed(QStringLiteral("Nuovo")), 2);
        } catch (const ArchiveError &e) {
            threw = true;
            QCOMPARE(int(e.step()), step);
        }
        QVERIFY(fs.triggered());
        QVERIFY(threw);
    }
    const QByteArray after = home.read(QStringLiteral("Clienti.arx"));
    const IoStep s = IoStep(step);
    if (s == IoStep::Flush || s == IoStep::Close) {
        // The record reached the file; every other record is as it was.
        QCOMPARE(after.left(4043), before.left(4043));
        QCOMPARE(after.mid(2 * 4043, 4043), before.mid(2 * 4043, 4043));
    } else {
        QCOMPARE(after, before);
    }
}

void TestStore::failedAppendLeavesNoPartialRecord()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, clientNamed(QStringLiteral("Uno")));
    const QByteArray before = home.read(QStringLiteral("Clienti.arx"));
    {
        FaultyFileSystem fs;
        fs.failAt(IoStep::Write);
        fs.shortWrite(1000);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, appendRecord(path, clientNamed(QStringLiteral("Due"))));
    }
    QCOMPARE(home.read(QStringLiteral("Clienti.arx")), before);
    // A half-written update touches its own record only.
    appendRecord(path, clientNamed(QStringLiteral("Due")));
    appendRecord(path, clientNamed(QStringLiteral("Tre")));
    const QByteArray three = home.read(QStringLiteral("Clienti.arx"));
    {
        FaultyFileSystem fs;
        fs.failAt(IoStep::Write);
        fs.shortWrite(1000);
        QVERIFY_THROWS_EXCEPTION(ArchiveError, updateRecord(path, clientNamed(QStringLiteral("Nuovo")), 2));
    }
    const QByteArray after = home.read(QStringLiteral("Clienti.arx"));
    QCOMPARE(after.size(), three.size());
    QCOMPARE(after.left(4043), three.left(4043));
    QCOMPARE(after.mid(2 * 4043), three.mid(2 * 4043));
}

void TestStore::readingPastTheEndFails()
{
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    appendRecord(path, clientNamed(QStringLiteral("Uno")));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, readRecord(path, layouts::cliente(), 2));
    QVERIFY_THROWS_EXCEPTION(ArchiveError, readRecord(path, layouts::cliente(), 0));
    RecordFile f;
    f.openOrCreate(path, layouts::cliente());
    f.seek(1);
    QVERIFY(f.atEnd());
    QVERIFY_THROWS_EXCEPTION(ArchiveError, f.read());
}

namespace {

// Writes `blocks` blocks of 64 KiB of `fill` front to back, as the export
// and the document copy do.
std::function<bool(FileHandle &)> blockWriter(char fill, int blocks = 3)
{
    return [fill, blocks](FileHandle &f) {
        const QByteArray block(64 * 1024, fill);
        for (int i = 0; i < blocks; ++i)
            if (!f.write(block.constData(), block.size()))
                return false;
        return true;
    };
}

QByteArray blocksOf(char fill, int blocks = 3)
{
    return QByteArray(64 * 1024 * blocks, fill);
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

} // namespace

void TestStore::replacedFileIsNeverWrittenThroughALink_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("planted"); // "link", "link to nothing" or "file"
    for (const char *what : {"link", "link to nothing", "file"})
        QTest::addRow("%s", what) << QStringLiteral("Pratelia.ini") << QString::fromLatin1(what);
    // The temporary name has nothing of the target's: a name as long as a
    // file name can be still leaves no room for a suffix.
    QTest::newRow("link, name of 255 bytes") << QString(251, u'a') + QStringLiteral(".pdf")
                                             << QStringLiteral("link");
    QTest::newRow("file, name of 255 bytes") << QString(251, u'a') + QStringLiteral(".pdf")
                                             << QStringLiteral("file");
}

void TestStore::replacedFileIsNeverWrittenThroughALink()
{
    QFETCH(QString, name);
    QFETCH(QString, planted);
    TempProgramFolder home;
    OutsideFile outside;
    const QString target = home.file(name);
    if (planted == u"file")
        home.write(name, "vecchio");
    else
        QVERIFY(outside.plantLink(target, planted == u"link to nothing"));

    QVERIFY(replaceFile(target, blockWriter('a')));
    QCOMPARE(outside.content(), outside.original());
    QVERIFY(!QFile::exists(outside.missingPath()));
    QVERIFY(isPlainFile(target));
    QCOMPARE(home.read(name), blocksOf('a'));
    QCOMPARE(filesIn(home.path()), QStringList{name}); // no temporary file left
    // And again, over the plain file now there.
    QVERIFY(writeWholeFile(target, "di nuovo"));
    QCOMPARE(home.read(name), QByteArray("di nuovo"));
    QCOMPARE(outside.content(), outside.original());
    QCOMPARE(filesIn(home.path()), QStringList{name});
}

void TestStore::takenTemporaryNamesAreSkipped_data()
{
    QTest::addColumn<int>("taken");
    QTest::addColumn<bool>("written");
    QTest::newRow("first name taken") << 1 << true;
    QTest::newRow("three names taken") << 3 << true;
    QTest::newRow("every name taken") << 1000 << false;
}

void TestStore::takenTemporaryNamesAreSkipped()
{
    // Someone sharing the folder has put links under the names the
    // temporary file would get: each is left as it is, never written
    // through, and the next name is tried, up to a limit.
    QFETCH(int, taken);
    QFETCH(bool, written);
    TempProgramFolder home;
    OutsideFile outside;
    home.write(QStringLiteral("Clienti.xls"), "vecchio");
    const QString target = home.file(QStringLiteral("Clienti.xls"));
    QStringList names;
    bool ok = false;
    {
        FaultyFileSystem fs;
        fs.takeNextCreatedNames(taken, outside.path());
        ok = replaceFile(target, blockWriter('x'));
        names = fs.takenNames();
    }
    QCOMPARE(ok, written);
    QCOMPARE(outside.content(), outside.original());
    QCOMPARE(home.read(QStringLiteral("Clienti.xls")), written ? blocksOf('x') : QByteArray("vecchio"));
    QVERIFY(isPlainFile(target));
    if (written)
        QCOMPARE(names.size(), taken);
    else
        QVERIFY(names.size() > 3 && names.size() < 100); // it gives up
    // The planted links stay where they are; nothing else is left.
    QStringList expected{QStringLiteral("Clienti.xls")};
    for (const QString &n : names) {
        QVERIFY(isLink(n));
        QCOMPARE(QFileInfo(n).symLinkTarget(), outside.path());
        QCOMPARE(QFileInfo(n).path(), home.path()); // beside the target
        QVERIFY(QFileInfo(n).fileName().size() <= 16);
        expected << QFileInfo(n).fileName();
    }
    expected.sort();
    QCOMPARE(filesIn(home.path()), expected);
}

void TestStore::failedReplaceKeepsTheOldFile_data()
{
    QTest::addColumn<int>("step"); // -1: the writer gives up, -2: it throws
    QTest::addColumn<int>("nth");
    QTest::newRow("writer gives up") << -1 << 0;
    QTest::newRow("writer throws") << -2 << 0;
    QTest::newRow("temporary file cannot be created") << int(IoStep::Open) << 1;
    QTest::newRow("first block") << int(IoStep::Write) << 1;
    QTest::newRow("last block") << int(IoStep::Write) << 3;
    QTest::newRow("flush") << int(IoStep::Flush) << 1;
    QTest::newRow("close") << int(IoStep::Close) << 1;
    QTest::newRow("rename") << int(IoStep::Rename) << 1;
}

void TestStore::failedReplaceKeepsTheOldFile()
{
    QFETCH(int, step);
    QFETCH(int, nth);
    TempProgramFolder home;
    home.write(QStringLiteral("Clienti.xls"), "esportazione precedente");
    const QString target = home.file(QStringLiteral("Clienti.xls"));
    {
        FaultyFileSystem fs;
        if (step >= 0) {
            fs.failAt(IoStep(step), nth);
            QVERIFY(!replaceFile(target, blockWriter('x')));
            QVERIFY(fs.triggered());
        } else if (step == -1) {
            QVERIFY(!replaceFile(target, [](FileHandle &f) {
                f.write("mezzo", 5);
                return false;
            }));
        } else {
            QVERIFY_THROWS_EXCEPTION(std::runtime_error, replaceFile(target, [](FileHandle &f) -> bool {
                f.write("mezzo", 5);
                throw std::runtime_error("memoria esaurita");
            }));
        }
    }
    QCOMPARE(home.read(QStringLiteral("Clienti.xls")), QByteArray("esportazione precedente"));
    QCOMPARE(filesIn(home.path()), QStringList{QStringLiteral("Clienti.xls")});
    // Nothing is in the way of the next attempt.
    QVERIFY(replaceFile(target, blockWriter('y')));
    QCOMPARE(home.read(QStringLiteral("Clienti.xls")), blocksOf('y'));
}

void TestStore::archiveUnderALinkIsNeverOpened_data()
{
    QTest::addColumn<bool>("toMissing");
    QTest::newRow("link to an archive elsewhere") << false;
    QTest::newRow("link to nothing") << true;
}

void TestStore::archiveUnderALinkIsNeverOpened()
{
    // "Clienti.arx" turned into a link by someone sharing the folder: every
    // save and every read fails with the archive error; the file the link
    // points at is neither read nor written (nor created), and the link is
    // not replaced.
    QFETCH(bool, toMissing);
    OutsideFile outside(clientNamed(QStringLiteral("Altrove")).bytes()
                        + clientNamed(QStringLiteral("Lontano")).bytes());
    TempProgramFolder home;
    const QString path = ArchivePath(QStringLiteral("Clienti.arx"));
    QVERIFY(outside.plantLink(path, toMissing));
    auto failsToOpen = [](const std::function<void()> &op) {
        try {
            op();
        } catch (const ArchiveError &e) {
            return e.step() == IoStep::Open;
        }
        return false;
    };
    const Record fresh = clientNamed(QStringLiteral("Nuovo"));
    QVERIFY(failsToOpen([&] { appendRecord(path, fresh); }));
    QVERIFY(failsToOpen([&] { updateRecord(path, fresh, 1); }));
    QVERIFY(failsToOpen([&] { countRecords(path, layouts::cliente()); }));
    QVERIFY(failsToOpen([&] { readRecord(path, layouts::cliente(), 1); }));
    QVERIFY(failsToOpen([&] {
        scanArchive(path, layouts::cliente(), [](const RecordView &, int) { return true; });
    }));
    QCOMPARE(outside.content(), outside.original());
    QVERIFY(!QFile::exists(outside.missingPath()));
    QVERIFY(isLink(path));
    // Once the link is taken away, the same save creates the archive here.
    QVERIFY(QFile::remove(path));
    QCOMPARE(appendRecord(path, fresh), 1);
    QVERIFY(isPlainFile(path));
    QCOMPARE(outside.content(), outside.original());
}

void TestStore::onlyChosenFilesAreReadThroughALink()
{
    // A document the user picks in the file chooser may be a link anywhere
    // on the disk; the program's own files never are.
    TempProgramFolder home;
    OutsideFile outside;
    const QString link = home.file(QStringLiteral("offerta.pdf"));
    QVERIFY(outside.plantLink(link));
    FileSystem &fs = FileSystem::current();
    for (OpenMode mode : {OpenMode::ReadOnly, OpenMode::ReadWrite, OpenMode::WriteTruncate,
                          OpenMode::CreateNew}) {
        OpenFailure failure = OpenFailure::None;
        QVERIFY(!fs.open(link, mode, &failure));
        QCOMPARE(failure, mode == OpenMode::CreateNew ? OpenFailure::Exists : OpenFailure::Other);
    }
    QCOMPARE(outside.content(), outside.original());
    auto chosen = fs.open(link, OpenMode::ReadChosen);
    QVERIFY(chosen);
    QByteArray data(100, '\0');
    qint64 got = 0;
    QVERIFY(chosen->readAt(0, data.data(), data.size(), got));
    QCOMPARE(data.left(got), outside.original());
    QByteArray notFound;
    bool missing = false;
    QVERIFY(!readWholeFile(home.file(QStringLiteral("nessuno.ini")), notFound, &missing));
    QVERIFY(missing);
    QVERIFY(!readWholeFile(link, notFound, &missing));
    QVERIFY(!missing);
}

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
