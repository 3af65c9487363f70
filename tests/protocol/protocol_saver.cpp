// Another copy of the program at the protocol card, for the test of
// several copies saving new cards into one archive at once: it opens the
// year, presses New and fills the card, says it is ready, waits for the
// word to go, and saves; then New and Save again, `count` times in all.
//   protocol_saver FOLDER YEAR NAME COUNT
// prints one line per save: the record number and the number stored.
#include "platform/testing.h"
#include "protocol/protocolcard.h"
#include "protocol/protocolwindows.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRadioButton>
#include <QThread>
#include <cstdio>

using namespace pratelia;

int main(int argc, char **argv)
{
    if (argc != 5)
        return 2;
    qputenv("PRATELIA_HOME", argv[1]);
    QApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    const int count = QString::fromLatin1(argv[4]).toInt();
    testing::TestPlatform platform; // every question answered Yes
    protocol::TfrmProtocollo card;
    kit::openYear(&card, protocol::yearArchive(), QString::fromLatin1(argv[2]));
    for (int k = 0; k < count; ++k) {
        card.newProtocolCard();
        card.setText(QStringLiteral("txtCategoria"), QStringLiteral("Prova"));
        card.setText(QStringLiteral("txtOggetto"), name + QStringLiteral(" scheda %1").arg(k));
        card.findChild<QRadioButton *>(QStringLiteral("optInterna"))->setChecked(true);
        if (k == 0) {
            // Every copy has its number proposed before any of them saves.
            QFile ready(folder.filePath(QStringLiteral("ready-") + name));
            if (!ready.open(QIODevice::WriteOnly))
                return 3;
            ready.close();
            while (!folder.exists(QStringLiteral("go")))
                QThread::msleep(5);
        }
        const QString proposed = card.text(QStringLiteral("txtNumero"));
        card.saveProtocolCard();
        std::printf("%s %s %s\n", qPrintable(card.text(QStringLiteral("lblPosizione"))),
                    qPrintable(proposed), qPrintable(card.text(QStringLiteral("txtNumero"))));
    }
    std::fflush(stdout);
    return 0;
}
