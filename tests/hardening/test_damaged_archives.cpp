// Archives damaged the way an office meets them: cut short by a full disk,
// edited by hand, overwritten with other bytes. The store's readers and the
// companion's dump and verify read what is there, stop at the last complete
// record and never read outside a record.
#include "support/tempfolder.h"

#include "store/codepage.h"
#include "store/layout.h"
#include "store/record.h"
#include "store/recordfile.h"
#include "store/values.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

namespace {

const char *const kFiles[] = {"Clienti.arx", "Tariffario.arx", "2024.ser", "2024.sca", "2024.prt"};

// A sound record: every field holds a short text of its kind.
QByteArray soundRecord(const RecordLayout &l, int n)
{
    Record r(l);
    for (int i = 0; i < l.fieldCount(); ++i) {
        switch (l.field(i).kind) {
        case FieldKind::Flag: r.setText(i, QString::fromUtf8("Sì")); break;
        case FieldKind::Date:
        case FieldKind::OptionalDate: r.setText(i, QStringLiteral("0%1/02/2024").arg(n % 9 + 1)); break;
        case FieldKind::Money: r.setText(i, QStringLiteral("12,50")); break;
        case FieldKind::Text: r.setText(i, QStringLiteral("v%1").arg(n)); break;
        }
    }
    return r.bytes();
}

enum Damage { CutShort, RandomBytes, LengthsOverCapacity, HandEditedText, OneByte, BadFlagsAndDates };

QByteArray damaged(const RecordLayout &l, Damage d)
{
    const int rs = l.recordSize();
    switch (d) {
    case CutShort:
        return soundRecord(l, 1) + soundRecord(l, 2) + soundRecord(l, 3).left(rs / 2);
    case RandomBytes: {
        QRandomGenerator gen(rs);
        QByteArray b(3 * rs + 17, '\0');
        for (char &c : b)
            c = char(gen.bounded(256));
        return b;
    }
    case LengthsOverCapacity: {
        QByteArray b(2 * rs, 'A');
        for (int rec = 0; rec < 2; ++rec)
            for (const Field &f : l.fields())
                b[rec * rs + f.offset] = char(255);
        return b;
    }
    case HandEditedText: {
        QByteArray b;
        while (b.size() < 2 * rs + 100)
            b += "Rossi;Mario;RSSMRA80A01H501U;\"Via Roma, 1\";Sì\r\n";
        return b;
    }
    case OneByte:
        return QByteArray(1, '\x05');
    case BadFlagsAndDates: {
        Record r(l, soundRecord(l, 1));
        for (int i = 0; i < l.fieldCount(); ++i) {
            if (l.field(i).kind == FieldKind::Flag)
                r.setText(i, QStringLiteral("si"));
            else if (l.field(i).kind == FieldKind::Date)
                r.setText(i, QStringLiteral("31/02/2024"));
            else if (l.field(i).kind == FieldKind::OptionalDate)
                r.setText(i, QStringLiteral("2024-01-05"));
            else if (l.field(i).kind == FieldKind::Money)
                r.setText(i, QStringLiteral("12.50 euro"));
        }
        // A flag saved by an editor in UTF-8: three bytes for two characters.
        QByteArray b = r.bytes();
        for (const Field &f : l.fields())
            if (f.kind == FieldKind::Flag)
                b.replace(f.offset, 3, QByteArray("\x02S\xC3", 3));
        return soundRecord(l, 1) + b;
    }
    }
    return {};
}

bool hasFlagsOrDates(const RecordLayout &l)
{
    for (const Field &f : l.fields())
        if (f.kind == FieldKind::Flag || f.kind == FieldKind::Date || f.kind == FieldKind::OptionalDate)
            return true;
    return false;
}

// A program folder holding one damaged archive.
struct DamagedFolder {
    DamagedFolder(const QString &name, int damage)
        : fileName(name), l(*layouts::forFileName(name)), bytes(damaged(l, Damage(damage))),
          complete(int(bytes.size() / l.recordSize()))
    {
        home.write(fileName, bytes);
    }
    TempProgramFolder home;
    const QString fileName;
    const RecordLayout &l;
    const QByteArray bytes;
    const int complete;
};

} // namespace

class TestDamagedArchives : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readersStopAtLastCompleteRecord_data();
    void readersStopAtLastCompleteRecord();
    void verifyNamesEachDamage_data();
    void verifyNamesEachDamage();
    void writingAfterDamageKeepsEveryCompleteRecord_data();
    void writingAfterDamageKeepsEveryCompleteRecord();
};

static void addDamageRows()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<int>("damage");
    const std::pair<const char *, Damage> kinds[] = {
        {"cut short", CutShort}, {"random bytes", RandomBytes},
        {"lengths over capacity", LengthsOverCapacity}, {"hand-edited text", HandEditedText},
        {"one byte", OneByte}, {"bad flags and dates", BadFlagsAndDates}};
    for (const char *file : kFiles)
        for (const auto &[name, d] : kinds)
            QTest::addRow("%s, %s", file, name) << QString::fromLatin1(file) << int(d);
}

void TestDamagedArchives::readersStopAtLastCompleteRecord_data()
{
    addDamageRows();
}

void TestDamagedArchives::readersStopAtLastCompleteRecord()
{
    QFETCH(QString, fileName);
    QFETCH(int, damage);
    const DamagedFolder f(fileName, damage);
    const RecordLayout &l = f.l;
    const QByteArray &bytes = f.bytes;
    const TempProgramFolder &home = f.home;
    const int complete = f.complete;

    // The store, as every list and card reads.
    int seen = 0;
    scanArchive(ArchivePath(fileName), l, [&](const RecordView &r, int n) {
        [&] {
            QCOMPARE(n, ++seen);
            for (int i = 0; i < l.fieldCount(); ++i) {
                const QString text = r.text(i);
                QVERIFY(text.size() <= l.field(i).capacity);
                // Only the field's own bytes: a text never holds the next
                // field's length byte followed by its text.
                const int length = std::min(r.lengthByte(i), l.field(i).capacity);
                QCOMPARE(text, trimText(codepage::decode(r.bytes() + l.field(i).offset + 1, length)));
            }
        }();
        return !QTest::currentTestFailed();
    });
    QCOMPARE(seen, complete);
    QCOMPARE(countRecords(ArchivePath(fileName), l), complete);

    // The companion's dump: one JSON line per complete record.
    const CliResult r = runCli({QStringLiteral("dump"), home.file(fileName)});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), complete);
    for (int n = 0; n < lines.size(); ++n) {
        QJsonParseError error;
        const QJsonObject o = QJsonDocument::fromJson(lines[n].toUtf8(), &error).object();
        QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(lines[n]));
        QCOMPARE(o.size(), l.fieldCount() + 1);
        QCOMPARE(o.value(QStringLiteral("N")).toInt(), n + 1);
        const QByteArray record = bytes.mid(qsizetype(n) * l.recordSize(), l.recordSize());
        const RecordView view(&l, record.constData());
        for (int i = 0; i < l.fieldCount(); ++i)
            QCOMPARE(o.value(l.field(i).name).toString(), view.text(i));
    }
    // The file is read, never changed.
    QCOMPARE(home.read(fileName), bytes);
}

void TestDamagedArchives::verifyNamesEachDamage_data()
{
    addDamageRows();
}

void TestDamagedArchives::verifyNamesEachDamage()
{
    QFETCH(QString, fileName);
    QFETCH(int, damage);
    const DamagedFolder f(fileName, damage);
    const RecordLayout &l = f.l;
    const QByteArray &bytes = f.bytes;
    const TempProgramFolder &home = f.home;
    const int complete = f.complete;
    const CliResult r = runCli({QStringLiteral("verify"), home.path()});
    QVERIFY2(r.exitCode == 0 || r.exitCode == 1, qPrintable(r.err));
    QVERIFY2(r.out.startsWith(QStringLiteral("%1: %2 sched").arg(fileName).arg(complete)), qPrintable(r.out));
    const qint64 tail = bytes.size() % l.recordSize();
    QCOMPARE(r.out.contains(QStringLiteral("ultima scheda incompleta (%1 byte").arg(tail)), tail != 0);
    switch (Damage(damage)) {
    case LengthsOverCapacity:
        QCOMPARE(r.exitCode, 1);
        for (int n = 1; n <= 2; ++n)
            for (const Field &f : l.fields())
                QVERIFY2(r.out.contains(QStringLiteral("scheda %1, campo %2: byte di lunghezza 255 oltre la capacità %3\n")
                                            .arg(n).arg(f.name).arg(f.capacity)),
                         qPrintable(f.name));
        break;
    case BadFlagsAndDates:
        QCOMPARE(r.exitCode, hasFlagsOrDates(l) ? 1 : 0);
        QVERIFY(!r.out.contains(QStringLiteral("scheda 1,")));
        for (const Field &f : l.fields())
            if (f.kind != FieldKind::Text && f.kind != FieldKind::Money)
                QVERIFY2(r.out.contains(QStringLiteral("scheda 2, campo %1: ").arg(f.name)), qPrintable(f.name));
        break;
    case CutShort:
    case HandEditedText:
    case OneByte:
    case RandomBytes:
        QCOMPARE(r.exitCode, 1);
        break;
    }
    QCOMPARE(home.read(fileName), bytes);
}

void TestDamagedArchives::writingAfterDamageKeepsEveryCompleteRecord_data()
{
    addDamageRows();
}

void TestDamagedArchives::writingAfterDamageKeepsEveryCompleteRecord()
{
    QFETCH(QString, fileName);
    QFETCH(int, damage);
    const DamagedFolder f(fileName, damage);
    const RecordLayout &l = f.l;
    const QByteArray &bytes = f.bytes;
    const TempProgramFolder &home = f.home;
    const int complete = f.complete;
    const int rs = l.recordSize();
    const Record added(l, soundRecord(l, 7));
    QCOMPARE(appendRecord(ArchivePath(fileName), added), complete + 1);
    if (complete > 0)
        updateRecord(ArchivePath(fileName), added, 1);
    const QByteArray after = home.read(fileName);
    QCOMPARE(after.size(), qsizetype(complete + 1) * rs);
    if (complete > 0)
        QCOMPARE(after.left(rs), added.bytes());
    QCOMPARE(after.mid(rs, (complete - 1) * rs), bytes.mid(rs, (complete - 1) * rs));
    QCOMPARE(after.right(rs), added.bytes());
}

QTEST_GUILESS_MAIN(TestDamagedArchives)
#include "test_damaged_archives.moc"
