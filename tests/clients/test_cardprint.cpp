// The print command of the real client card: every control the print reads
// exists on the card, and what is on the screen reaches the paper.
#include "report/pdftext.h"
#include "support/tempfolder.h"

#include "clients/anagrafica.h"
#include "platform/testing.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

class TestCardPrint : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void printsWhatTheCardShows();
};

void TestCardPrint::printsWhatTheCardShows()
{
    TempProgramFolder home;
    TestPlatform platform;
    platform.printing.outputFolder = home.path();
    clients::TfrmAnagrafica card;
    card.show();
    const QList<QPair<QString, QString>> values = {
        {"txtCognome", "Rossi"}, {"txtNome", "Mario"}, {"txtCodFisc", "RSSMRA80A01H501U"},
        {"txtComuneRes", "Bologna"}, {"txtIban", "IT60X0542811101000000123456"},
        {"txtNote", QString::fromUtf8("Cliente storico, città di Forlì")},
    };
    for (const auto &[name, value] : values) {
        auto *field = card.findChild<QLineEdit *>(name);
        QVERIFY2(field, qPrintable(name));
        field->setText(value);
    }
    auto *print = card.findChild<QAbstractButton *>(QStringLiteral("cmdStampa"));
    QVERIFY(print);
    print->click();
    QCOMPARE(platform.printing.files.size(), 1);
    QVERIFY(platform.dialogs.shown.isEmpty());
    const QString text = pdfPages(platform.printing.files.first()).join(u'\n');
    for (const auto &[name, value] : values)
        QVERIFY2(text.contains(value), qPrintable(name + QStringLiteral(": ") + text));
    // Printing reads the screen only: no archive is made.
    QVERIFY(!QFile::exists(home.file(QStringLiteral("Clienti.arx"))));
}

QTEST_MAIN(TestCardPrint)
#include "test_cardprint.moc"
