// Start-up: which windows exist, which one shows first, and the way from
// the password to an application and back.
#include "support/tempfolder.h"

#include "app/avvio.h"
#include "app/flow.h"
#include "kit/windows.h"
#include "app/password.h"
#include "app/startup.h"
#include "platform/testing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::app;
using namespace pratelia::testing;

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void onlyThePasswordWindowShowsFirst();
    void applicationsComeAndGoThroughTheMenu_data();
    void applicationsComeAndGoThroughTheMenu();
    void serviceRegisterThroughItsYearMenu();
};

void TestStartup::onlyThePasswordWindowShowsFirst()
{
    TempProgramFolder home;
    TestPlatform platform;
    Program program;
    program.start();
    QVERIFY(QTest::qWaitForWindowExposed(program.password()));
    QCOMPARE(program.password()->windowTitle(), QStringLiteral(" Pratelia - Chiavedaccesso"));
    QTRY_COMPARE(QApplication::focusWidget(), program.password()->findChild<QWidget *>(QStringLiteral("txtPassword")));
    QTRY_VERIFY(kit::WindowCatalogue::instance().window(QStringLiteral("TfrmAnagrafica")));
    const QWidgetList visible = [] {
        QWidgetList list;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->isVisible())
                list << w;
        return list;
    }();
    QCOMPARE(visible, QWidgetList({program.password()}));
    QCOMPARE(program.changeWindow()->windowTitle(), QStringLiteral(" Cambia password"));
    QVERIFY(platform.dialogs.shown.isEmpty());
    // No archive is touched at start.
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestStartup::applicationsComeAndGoThroughTheMenu_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("caption");
    QTest::newRow("client card") << "btnAnagrafica" << "TfrmAnagrafica" << " Pratelia - Anagrafica Clienti";
    QTest::newRow("fee card") << "imgTariffario" << "TfrmTariffario" << " Pratelia - Tariffario Servizi";
    QTest::newRow("service year menu") << "btnRegistro" << "TfrmMenuServizi" << " Pratelia - Registro Servizi";
}

void TestStartup::applicationsComeAndGoThroughTheMenu()
{
    QFETCH(QString, button);
    QFETCH(QString, window);
    QFETCH(QString, caption);
    TempProgramFolder home;
    home.write(QStringLiteral("unins000.dll"),
               "[Accesso]\r\nValore=" + ScramblePassword(QStringLiteral("PRATELIA")).toLatin1() + "\r\n");
    TestPlatform platform;
    int ended = 0;
    setEndProgram([&] { ++ended; });
    Program program;
    program.start();
    program.createApplications();
    QWidget *app = kit::WindowCatalogue::instance().window(window);
    QVERIFY(app);
    QCOMPARE(app->windowTitle(), caption);
    QVERIFY(!app->isVisible());

    auto *field = program.password()->findChild<QLineEdit *>(QStringLiteral("txtPassword"));
    QTest::keyClicks(field, QStringLiteral("Pratelia"));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(program.menu()->isVisible());

    for (int round = 0; round < 2; ++round) {
        program.menu()->findChild<QAbstractButton *>(button)->click();
        QVERIFY(app->isVisible());
        QVERIFY(!program.menu()->isVisible());
        QVERIFY(!app->close()); // title bar: back to the menu, the window kept
        QVERIFY(program.menu()->isVisible());
        QVERIFY(!app->isVisible());
    }
    QCOMPARE(ended, 0);
    program.menu()->close();
    QCOMPARE(ended, 1);
    setEndProgram({});
}

void TestStartup::serviceRegisterThroughItsYearMenu()
{
    // Main menu, year menu, Apri, the card on that year; leaving the card
    // goes back to the main menu, not to the year menu.
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2025, 2, 3));
    Program program;
    program.createApplications();
    program.menu()->show();
    program.menu()->findChild<QAbstractButton *>(QStringLiteral("imgRegistro"))->click();
    QWidget *yearMenu = kit::WindowCatalogue::instance().window(QStringLiteral("TfrmMenuServizi"));
    QWidget *card = kit::WindowCatalogue::instance().window(QStringLiteral("TfrmServizi"));
    QVERIFY(yearMenu && card);
    QVERIFY(yearMenu->isVisible());
    QVERIFY(platform.dialogs.shown.isEmpty()); // no longer "not available"
    yearMenu->findChild<QAbstractButton *>(QStringLiteral("btnApriPreventivi"))->click();
    QVERIFY(card->isVisible());
    QVERIFY(!yearMenu->isVisible());
    QCOMPARE(card->windowTitle(), QStringLiteral(" Pratelia - Registro Servizi anno 2025"));
    QCOMPARE(card->findChild<QLabel *>(QStringLiteral("lblFile"))->text(), home.file(QStringLiteral("2025.ser")));
    card->findChild<QAbstractButton *>(QStringLiteral("cmdEsci"))->click();
    QVERIFY(program.menu()->isVisible());
    QVERIFY(!card->isVisible());
    QVERIFY(!yearMenu->isVisible());
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
