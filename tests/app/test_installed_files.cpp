// The manual, the password store, the alert sound and the icon that the
// build makes for the program folder.
#include "app/kit/help.h"
#include "app/password.h"
#include "platform/inifile.h"

#include <QAudioOutput>
#include <QImage>
#include <QMediaPlayer>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::app;

namespace {
QString asset(const char *name)
{
    return QStringLiteral(PRATELIA_ASSETS "/") + QLatin1String(name);
}
} // namespace

class TestInstalledFiles : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { qputenv("QT_MEDIA_BACKEND", "ffmpeg"); }
    void storeHoldsTheFirstAccessPasswordTheGuideNames();
    void manualHoldsEveryHelpPage();
    void alertSoundIsPlayable();
    void iconIsAnImage();
};

void TestInstalledFiles::storeHoldsTheFirstAccessPasswordTheGuideNames()
{
    bool found = false;
    const QString hex = readIniValue(asset("unins000.dll"), QStringLiteral("Accesso"), QStringLiteral("Valore"), &found);
    QVERIFY(found);
    bool ok = false;
    const QString password = UnscramblePassword(hex, &ok);
    QVERIFY(ok);
    QVERIFY(!password.isEmpty());
    QCOMPARE(password, passwordForm(password)); // stored as the program stores it
    const QString general = kit::helpBody(kit::HelpPage::Generale);
    QVERIFY2(general.contains(QLatin1Char(' ') + password.toLower() + QLatin1Char(' ')), qPrintable(password));
}

void TestInstalledFiles::manualHoldsEveryHelpPage()
{
    QFile pdf(asset("Guida.pdf"));
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        QSKIP("pdftotext is not installed");
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), asset("Guida.pdf"), QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    QCOMPARE(p.exitCode(), 0);
    // Lines are broken differently in the PDF: compare with blanks squeezed.
    QString text = QString::fromUtf8(p.readAllStandardOutput()).simplified();
    // Typographic ligatures come out as single characters.
    const QList<QPair<QString, QString>> ligatures{{QStringLiteral("ﬃ"), QStringLiteral("ffi")},
                                                   {QStringLiteral("ﬄ"), QStringLiteral("ffl")},
                                                   {QStringLiteral("ﬀ"), QStringLiteral("ff")},
                                                   {QStringLiteral("ﬁ"), QStringLiteral("fi")},
                                                   {QStringLiteral("ﬂ"), QStringLiteral("fl")}};
    for (const auto &[from, to] : ligatures)
        text.replace(from, to);
    for (int i = int(kit::HelpPage::Generale); i <= int(kit::HelpPage::RiepProtocollo); ++i) {
        const auto page = kit::HelpPage(i);
        QVERIFY2(text.contains(kit::helpTitle(page)), qPrintable(kit::helpTitle(page)));
        const QString firstWords = kit::helpBody(page).section(QLatin1Char(' '), 0, 7);
        QVERIFY2(text.contains(firstWords.simplified()), qPrintable(firstWords));
    }
}

void TestInstalledFiles::alertSoundIsPlayable()
{
    QVERIFY(QFile::exists(asset("Avviso.mp3")));
    QMediaPlayer player;
    QAudioOutput output;
    player.setAudioOutput(&output);
    output.setVolume(0);
    player.setSource(QUrl::fromLocalFile(asset("Avviso.mp3")));
    QTRY_VERIFY_WITH_TIMEOUT(player.mediaStatus() == QMediaPlayer::LoadedMedia
                                 || player.mediaStatus() == QMediaPlayer::InvalidMedia,
                             10000);
    QCOMPARE(player.mediaStatus(), QMediaPlayer::LoadedMedia);
    QCOMPARE(player.error(), QMediaPlayer::NoError);
    // A short chime: under two seconds, more than a blip.
    QVERIFY2(player.duration() > 300 && player.duration() < 2000, qPrintable(QString::number(player.duration())));
}

void TestInstalledFiles::iconIsAnImage()
{
    const QImage icon(asset("pratelia.png"));
    QCOMPARE(icon.size(), QSize(256, 256));
    QVERIFY(icon.hasAlphaChannel());
}

QTEST_MAIN(TestInstalledFiles)
#include "test_installed_files.moc"
