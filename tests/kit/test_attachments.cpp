// The choose-and-copy step of every "Sfoglia...": what a chosen file's name
// becomes in the card, which names cannot be stored (and are told), and the
// attachments folder that is never a link planted in the program folder.
#include "support/tempfolder.h"

#include "kit/attachments.h"
#include "platform/testing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::kit;
using namespace pratelia::testing;

class TestAttachments : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void chosenNames_data();
    void chosenNames();
    void plantedFolderLinkIsNotFollowed();
};

void TestAttachments::chosenNames_data()
{
    QTest::addColumn<QString>("file");   // the chosen file's name on disk
    QTest::addColumn<QString>("stored"); // what the card stores; empty: refused
    QTest::newRow("plain") << "offerta.pdf" << "offerta.pdf";
    QTest::newRow("accents in Windows-1252") << QString::fromUtf8("perché è così.pdf")
                                             << QString::fromUtf8("perché è così.pdf");
    // An accent stored as a mark after its letter is copied under the
    // composed name, which is the name the archive can keep.
    QTest::newRow("combining accent") << QString::fromUtf8("caffe\u0300.pdf") << QString::fromUtf8("caffè.pdf");
    QTest::newRow("Polish") << QString::fromUtf8("Łódź.pdf") << "";
    QTest::newRow("Romanian") << QString::fromUtf8("Brașov.pdf") << "";
    QTest::newRow("Cyrillic") << QString::fromUtf8("договор.pdf") << "";
    QTest::newRow("colon") << "fattura 12:2024.pdf" << "";
    QTest::newRow("backslash") << "fattura\\2024.pdf" << "";
    QTest::newRow("250 characters") << QString(246, u'a') + ".pdf" << QString(246, u'a') + ".pdf";
    QTest::newRow("251 characters") << QString(247, u'a') + ".pdf" << "";
    QTest::newRow("255 characters") << QString(251, u'a') + ".pdf" << "";
}

void TestAttachments::chosenNames()
{
    QFETCH(QString, file);
    QFETCH(QString, stored);
    TempProgramFolder home;
    TestPlatform platform;
    QTemporaryDir elsewhere;
    const QString source = elsewhere.filePath(file);
    {
        QFile f(source);
        QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(source));
        f.write("documento");
    }
    QWidget card;
    platform.dialogs.chooseNext(source);
    const auto name = chooseAttachment(&card, QuestionBreaks::LineFeedFirst);
    if (stored.isEmpty()) {
        // Nothing is stored that would not name the copy, and the user is
        // told why.
        QVERIFY(!name);
        QCOMPARE(platform.dialogs.shown.size(), 1);
        QCOMPARE(platform.dialogs.last()->kind, MessageKind::Warning);
        QVERIFY(platform.dialogs.lastText().startsWith(QStringLiteral("Attenzione: il nome del file")));
        QVERIFY(QDir(attachmentsFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
        return;
    }
    QVERIFY(name);
    QCOMPARE(*name, stored);
    QVERIFY(platform.dialogs.shown.isEmpty());
    // The stored name names the copy, and nothing else is left there.
    QCOMPARE(QDir(attachmentsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{stored});
    QFile copy(attachmentPath(stored));
    QVERIFY(copy.open(QIODevice::ReadOnly));
    QCOMPARE(copy.readAll(), QByteArray("documento"));
}

void TestAttachments::plantedFolderLinkIsNotFollowed()
{
    // Someone on the network put a link named "Documenti_Allegati" into the
    // program folder, pointing elsewhere: nothing is copied through it.
    TempProgramFolder home;
    TestPlatform platform;
    QTemporaryDir elsewhere, target;
    const QString source = elsewhere.filePath(QStringLiteral("offerta.pdf"));
    {
        QFile f(source);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("documento");
    }
    QVERIFY(QFile::link(target.path(), home.file(QStringLiteral("Documenti_Allegati"))));
    QWidget card;
    platform.dialogs.chooseNext(source);
    QVERIFY(!chooseAttachment(&card, QuestionBreaks::LineFeedFirst));
    QCOMPARE(platform.dialogs.lastText(), attachmentCopyFailedText());
    QVERIFY(QDir(target.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

QTEST_MAIN(TestAttachments)
#include "test_attachments.moc"
