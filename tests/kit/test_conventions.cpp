// The input conventions every card shares: Enter chain, focus frames and
// the status line.
#include "kit/conventions.h"
#include "kit/windows.h"

#include <QtTest>

using namespace pratelia::kit;

namespace {
struct Card {
    QWidget window;
    QWidget *background = new QWidget(&window);
    QLineEdit *a = new QLineEdit(&window);
    QLineEdit *b = new QLineEdit(&window);
    QLineEdit *c = new QLineEdit(&window);
    QLabel *status = new QLabel(&window);
    CommandButton *save = new CommandButton(QStringLiteral("cmdSalva"), QStringLiteral("Salva"),
                                            QStringLiteral("salva"),
                                            QStringLiteral("Salva la scheda corrente in archivio."), &window);
    InputConventions *conv;
    Card()
    {
        a->setObjectName(QStringLiteral("txtCognome"));
        b->setObjectName(QStringLiteral("txtNome"));
        c->setObjectName(QStringLiteral("txtNote"));
        a->setGeometry(10, 10, 100, 20);
        b->setGeometry(10, 40, 100, 20);
        c->setGeometry(10, 70, 100, 20);
        save->setGeometry(200, 10, 60, 60);
        background->setGeometry(0, 100, 300, 100);
        conv = new InputConventions(&window, status, QStringLiteral("Pronto per salvare una nuova scheda..."));
        conv->addFocusFrames();
        conv->addCommandHints();
        conv->addClearOnHover(background);
    }
};

void pressEnter(QWidget *w)
{
    QTest::keyClick(w, Qt::Key_Return);
}
} // namespace

class TestConventions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void enterChain_data();
    void enterChain();
    void focusFrameFollowsFocus();
    void statusLine();
};

void TestConventions::enterChain_data()
{
    QTest::addColumn<bool>("wraps");
    QTest::newRow("wraps") << true;
    QTest::newRow("stops at the last") << false;
}

void TestConventions::enterChain()
{
    QFETCH(bool, wraps);
    Card card;
    card.conv->setEnterChain({card.a, card.b, card.c}, wraps);
    card.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card.window));
    card.a->setFocus();
    pressEnter(card.a);
    QVERIFY(card.b->hasFocus());
    pressEnter(card.b);
    QVERIFY(card.c->hasFocus());
    pressEnter(card.c);
    QCOMPARE(card.a->hasFocus(), wraps);
    QCOMPARE(card.c->hasFocus(), !wraps);
}

void TestConventions::focusFrameFollowsFocus()
{
    Card card;
    card.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card.window));
    auto *frameA = card.window.findChild<FocusFrame *>(QStringLiteral("effCognome"));
    auto *frameB = card.window.findChild<FocusFrame *>(QStringLiteral("effNome"));
    QVERIFY(frameA && frameB);
    card.a->setFocus();
    QTRY_VERIFY(frameA->isVisible());
    QVERIFY(!frameB->isVisible());
    QCOMPARE(frameA->geometry(), card.a->geometry().adjusted(-4, -4, 4, 4));
    card.b->setFocus();
    QTRY_VERIFY(frameB->isVisible());
    QVERIFY(!frameA->isVisible());
}

void TestConventions::statusLine()
{
    Card card;
    QCOMPARE(card.status->text(), QStringLiteral("Pronto per salvare una nuova scheda..."));
    card.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&card.window));
    // Appearing under a pointer that has not moved keeps the text at rest.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(card.background, &enter);
    QCOMPARE(card.status->text(), QStringLiteral("Pronto per salvare una nuova scheda..."));
    // A command under the mouse writes its description.
    QEvent hover(QEvent::Enter);
    QCoreApplication::sendEvent(card.save, &hover);
    QCOMPARE(card.status->text(), QStringLiteral("Salva la scheda corrente in archivio."));
    QCOMPARE(card.save->accessibleName(), QStringLiteral("Salva"));
    QCOMPARE(card.save->accessibleDescription(), QStringLiteral("Salva la scheda corrente in archivio."));
    QCOMPARE(card.save->cursor().shape(), Qt::PointingHandCursor);
    // Having reached a command the pointer has moved: the background clears.
    QEvent back(QEvent::Enter);
    QCoreApplication::sendEvent(card.background, &back);
    QCOMPARE(card.status->text(), QString());
}

QTEST_MAIN(TestConventions)
#include "test_conventions.moc"
