// The real alert sound: it plays through Qt Multimedia, and a missing or
// unplayable file, or a machine that cannot decode it, only loses the
// sound (no message, no crash, and stopping it afterwards is harmless).
#include "platform/platform.h"

#include <QApplication>
#include <QMediaFormat>
#include <QMediaPlayer>
#include <QTemporaryDir>
#include <QtTest>

using namespace pratelia;

class TestSound : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingOrUnplayableFile_data();
    void missingOrUnplayableFile();
};

void TestSound::missingOrUnplayableFile_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no file at all
    QTest::newRow("missing") << QByteArray();
    QTest::newRow("not a sound") << QByteArray("ID3 questo non è un suono");
}

void TestSound::missingOrUnplayableFile()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Avviso.mp3"));
    if (!content.isEmpty()) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    platform::sound().play(file);
    auto *player = qApp->findChild<QMediaPlayer *>();
    const bool decodes = !QMediaFormat().supportedFileFormats(QMediaFormat::Decode).isEmpty();
    // Where the media framework decodes nothing (its plug-ins missing) no
    // player is made at all, since making one there crashes: the sound is
    // simply lost.
    QCOMPARE(player != nullptr, decodes);
    platform::sound().stop();
    if (!player)
        return;
    QCOMPARE(player->source(), QUrl::fromLocalFile(file));
    QCOMPARE(player->loops(), 1);
    QTRY_VERIFY_WITH_TIMEOUT(player->playbackState() == QMediaPlayer::StoppedState
                                 || player->error() != QMediaPlayer::NoError,
                             5000);
    platform::sound().stop();
    QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
}

QTEST_MAIN(TestSound)
#include "test_sound.moc"
