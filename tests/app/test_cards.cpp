// What holds for every card of the program, run over the registered cards:
// a picture of its own for every command, and a mail link that keeps the
// typed address in the link's path, so that nothing typed there can add a
// subject, a body or a hidden recipient.
#include "support/cards.h"
#include "support/tempfolder.h"
#include "support/windows.h"

#include "kit/conventions.h"
#include "platform/testing.h"

#include <QtTest>

using namespace pratelia;
using namespace pratelia::testing;

class TestCards : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyCommandHasItsPicture_data();
    void everyCommandHasItsPicture();
    void mailLinkKeepsTheAddressInItsPath_data();
    void mailLinkKeepsTheAddressInItsPath();
};

namespace {
void addCardRows()
{
    QTest::addColumn<int>("card");
    for (int c = 0; c < registeredCards().size(); ++c)
        QTest::newRow(qPrintable(registeredCards()[c].name)) << c;
}
} // namespace

void TestCards::everyCommandHasItsPicture_data()
{
    addCardRows();
}

void TestCards::everyCommandHasItsPicture()
{
    QFETCH(int, card);
    TempProgramFolder home;
    TestPlatform platform;
    const auto window = registeredCards()[card].make();
    for (const kit::CardCommand &c : window->desc().commands)
        if (c.place != kit::CommandPlace::Button)
            QVERIFY2(kit::hasPicture(c.picture), qPrintable(c.name + QStringLiteral(": ") + c.picture));
}

void TestCards::mailLinkKeepsTheAddressInItsPath_data()
{
    addCardRows();
}

void TestCards::mailLinkKeepsTheAddressInItsPath()
{
    QFETCH(int, card);
    TempProgramFolder home;
    TestPlatform platform;
    const auto window = registeredCards()[card].make();
    const QString field = window->desc().mailField;
    if (field.isEmpty())
        QSKIP("this card has no mail link");
    window->setText(field, QStringLiteral("a@b.it?subject=Ciao&bcc=x@y.it"));
    press(window.get(), QStringLiteral("btnEmail"));
    QCOMPARE(platform.shell.opened.size(), 1);
    const QUrl link = platform.shell.opened.first();
    QCOMPARE(link.scheme(), QStringLiteral("mailto"));
    QVERIFY(!link.hasQuery());
    QVERIFY(!link.toString(QUrl::FullyEncoded).contains(u'?'));
    QCOMPARE(link.path(), QStringLiteral("a@b.it?subject=Ciao&bcc=x@y.it"));
}

QTEST_MAIN(TestCards)
#include "test_cards.moc"
