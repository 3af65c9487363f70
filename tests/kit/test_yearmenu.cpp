// The year choice of the yearly archives: which years open, the archive a
// year names, the year menu window with its mode word, and the date picker.
#include "support/tempfolder.h"
#include "support/windows.h"

#include "kit/datepicker.h"
#include "kit/yearmenu.h"
#include "platform/testing.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::kit;
using namespace pratelia::testing;

namespace {

// A card the year menu opens: its archive path, caption and year label.
struct FakeCard : FullScreenWindow {
    QLabel *file = new QLabel(this);
    QLabel *year = new QLabel(this);
    QLineEdit *date = new QLineEdit(this);
    FakeCard() : FullScreenWindow(QStringLiteral("TfrmServizi"), QStringLiteral(" prima"))
    {
        file->setObjectName(QStringLiteral("lblFile"));
        year->setObjectName(QStringLiteral("lblAnno"));
        date->setObjectName(QStringLiteral("txtDataEsp"));
    }
};

const YearArchive kServices{QStringLiteral(".ser"), QStringLiteral("TfrmServizi"),
                            QStringLiteral(" Pratelia - Registro Servizi anno "),
                            QStringLiteral("lblAnno")};

YearMenuSpec serviceMenu()
{
    YearMenuSpec s;
    s.objectName = QStringLiteral("TfrmMenuServizi");
    s.caption = QStringLiteral(" Pratelia - Registro Servizi");
    s.picture = QStringLiteral("registro");
    s.heading = QStringLiteral("Archivio servizi:");
    s.archive = kServices;
    s.modeWord = QStringLiteral("servizi");
    return s;
}

} // namespace

class TestYearMenu : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void years_data();
    void years();
    void yearlyArchiveNames_data();
    void yearlyArchiveNames();
    void menuOpensTheYearOnTheCard_data();
    void menuOpensTheYearOnTheCard();
    void leavingWithoutAYear();
    void pastingIntoTheYear();
    void pickerOpensOnToday_data();
    void pickerOpensOnToday();
};

void TestYearMenu::years_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::newRow("this year") << "2025" << true;
    QTest::newRow("year one") << "0001" << true;
    QTest::newRow("three digits") << "202" << false;
    QTest::newRow("five digits") << "20245" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("path") << "../." << false;
    QTest::newRow("blank inside") << "20 4" << false;
    QTest::newRow("other digits") << QString::fromUtf8("٢٠٢٤") << false;
}

void TestYearMenu::years()
{
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QCOMPARE(isValidYear(text), valid);
    TempProgramFolder home;
    FakeCard card;
    QCOMPARE(openYear(&card, kServices, text), valid);
    QCOMPARE(card.file->text(), valid ? home.file(text + QStringLiteral(".ser")) : QString());
}

void TestYearMenu::yearlyArchiveNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("yearly");
    QTest::newRow("2024") << "2024.ser" << true;
    QTest::newRow("0001") << "0001.ser" << true;
    QTest::newRow("upper-case extension") << "2024.SER" << true;
    QTest::newRow("other extension") << "2024.sca" << false;
    QTest::newRow("three digits") << "024.ser" << false;
    QTest::newRow("letters") << "anno.ser" << false;
}

void TestYearMenu::yearlyArchiveNames()
{
    QFETCH(QString, name);
    QFETCH(bool, yearly);
    QCOMPARE(isYearlyArchiveName(name, QStringLiteral(".ser")), yearly);
}

void TestYearMenu::menuOpensTheYearOnTheCard_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("opens");
    QTest::newRow("proposed year") << QString() << true;
    QTest::newRow("0001") << "0001" << true;
    QTest::newRow("one digit deleted") << "202" << false;
}

void TestYearMenu::menuOpensTheYearOnTheCard()
{
    QFETCH(QString, typed);
    QFETCH(bool, opens);
    TempProgramFolder home;
    TestPlatform platform;
    platform.clock.setToday(QDate(2025, 3, 1));
    FakeCard card;
    FullScreenWindow mainMenu(QStringLiteral("TfrmAvvio"), QStringLiteral(" Pratelia"));
    WindowCatalogue::instance().add(QStringLiteral("TfrmServizi"), &card);
    WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), &mainMenu);
    YearMenuWindow menu(serviceMenu());
    menu.show();
    QApplication::setActiveWindow(&menu);
    QVERIFY(QTest::qWaitForWindowActive(&menu));
    QCOMPARE(menu.yearEdit()->text(), QStringLiteral("2025"));
    QCOMPARE(control<QLabel>(&menu, QStringLiteral("lblMemory"))->text(), QStringLiteral("avvio"));
    if (!typed.isEmpty())
        menu.yearEdit()->setText(typed);
    press(&menu, QStringLiteral("btnApriPreventivi"));
    const QString year = typed.isEmpty() ? QStringLiteral("2025") : typed;
    if (opens) {
        QVERIFY(platform.dialogs.shown.isEmpty());
        QCOMPARE(card.file->text(), home.file(year + QStringLiteral(".ser")));
        QCOMPARE(card.year->text(), year);
        QCOMPARE(card.windowTitle(), QStringLiteral(" Pratelia - Registro Servizi anno ") + year);
        QVERIFY(card.isVisible());
        QVERIFY(!menu.isVisible());
        QVERIFY(!QFile::exists(home.file(year + QStringLiteral(".ser")))); // nothing created
    } else {
        QCOMPARE(platform.dialogs.shown.size(), 1);
        QCOMPARE(platform.dialogs.last()->kind, MessageKind::Warning);
        QCOMPARE(platform.dialogs.lastText(), yearWarningText());
        QCOMPARE(card.file->text(), QString());
        QCOMPARE(card.windowTitle(), QStringLiteral(" prima"));
        QVERIFY(menu.isVisible());
        QCOMPARE(focusName(), QStringLiteral("txtAnnoPreventivi"));
    }
    WindowCatalogue::instance().clear();
}

void TestYearMenu::leavingWithoutAYear()
{
    TempProgramFolder home;
    TestPlatform platform;
    FakeCard card;
    card.file->setText(QStringLiteral("/percorso/2024.ser"));
    FullScreenWindow mainMenu(QStringLiteral("TfrmAvvio"), QStringLiteral(" Pratelia"));
    WindowCatalogue::instance().add(QStringLiteral("TfrmServizi"), &card);
    WindowCatalogue::instance().add(QStringLiteral("TfrmAvvio"), &mainMenu);
    YearMenuWindow menu(serviceMenu());
    menu.show();
    press(&menu, QStringLiteral("imgEsci"));
    QVERIFY(mainMenu.isVisible());
    QVERIFY(!card.isVisible());
    QCOMPARE(card.file->text(), QStringLiteral("/percorso/2024.ser"));
    // The close box does the same.
    menu.show();
    menu.close();
    QVERIFY(!menu.isVisible());
    QCOMPARE(card.file->text(), QStringLiteral("/percorso/2024.ser"));
    WindowCatalogue::instance().clear();
}

void TestYearMenu::pastingIntoTheYear()
{
    // What cannot be typed cannot be pasted either, and whatever the field
    // holds, only four digits open a year.
    TempProgramFolder home;
    TestPlatform platform;
    FakeCard card;
    WindowCatalogue::instance().add(QStringLiteral("TfrmServizi"), &card);
    YearMenuWindow menu(serviceMenu());
    menu.show();
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    paste(&menu, QStringLiteral("txtAnnoPreventivi"), QStringLiteral("../."));
    QCOMPARE(menu.yearEdit()->text(), QStringLiteral("2024"));
    paste(&menu, QStringLiteral("txtAnnoPreventivi"), QStringLiteral("20x2y5"));
    QCOMPARE(menu.yearEdit()->text(), QStringLiteral("2025"));
    menu.yearEdit()->setText(QStringLiteral("../."));
    press(&menu, QStringLiteral("btnApriPreventivi"));
    QCOMPARE(platform.dialogs.lastText(), yearWarningText());
    QCOMPARE(card.file->text(), QString());
    WindowCatalogue::instance().clear();
}

void TestYearMenu::pickerOpensOnToday_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("expected");
    QTest::newRow("Importa") << "dataesp" << "btnImportaData" << "10/05/2024";
    QTest::newRow("Annulla keeps the old date") << "dataesp" << "btnAnnulla" << "01/01/2020";
    QTest::newRow("unknown mode word writes nothing") << "DataEsp" << "btnImportaData" << "01/01/2020";
}

void TestYearMenu::pickerOpensOnToday()
{
    QFETCH(QString, mode);
    QFETCH(QString, button);
    QFETCH(QString, expected);
    TestPlatform platform;
    FakeCard card;
    card.date->setText(QStringLiteral("01/01/2020"));
    QDate shown;
    bool closed = true;
    onNextModal([&](QWidget *w) {
        shown = control<QCalendarWidget>(w, QStringLiteral("calAppuntamenti"))->selectedDate();
        press(w, button);
        closed = !w->isVisible();
        if (!closed)
            static_cast<DialogWindow *>(w)->closeWith();
    });
    showDatePicker(&card, mode);
    QCOMPARE(shown, QDate(2024, 5, 10)); // today, whatever the field holds
    QCOMPARE(card.date->text(), expected);
    QCOMPARE(closed, mode == QLatin1String("dataesp"));
}

QTEST_MAIN(TestYearMenu)
#include "test_yearmenu.moc"
