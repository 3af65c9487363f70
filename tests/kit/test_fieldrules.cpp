// What an edit field lets in: the key filters, and the same rules for text
// that is pasted or dropped: characters the filter would swallow are left
// out, an amount that could not be read is refused, the typing limit holds,
// upper-casing and trimming apply.
#include "support/windows.h"

#include "kit/fieldrules.h"

#include <QApplication>
#include <QClipboard>
#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::kit;

class TestFieldRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keyFilters_data();
    void keyFilters();
    void acceptEdit_data();
    void acceptEdit();
    void pasteIntoFields_data();
    void pasteIntoFields();
    void typedKeysStillFiltered();
};

void TestFieldRules::keyFilters_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("digits");
    QTest::addColumn<bool>("amount");
    QTest::newRow("digit") << int(Qt::Key_5) << "5" << true << true;
    QTest::newRow("comma") << int(Qt::Key_Comma) << "," << false << true;
    QTest::newRow("letter") << int(Qt::Key_A) << "a" << false << false;
    QTest::newRow("dot") << int(Qt::Key_Period) << "." << false << false;
    QTest::newRow("backspace") << int(Qt::Key_Backspace) << "\b" << true << true;
    QTest::newRow("delete") << int(Qt::Key_Delete) << "" << true << true;
    QTest::newRow("left") << int(Qt::Key_Left) << "" << true << true;
    QTest::newRow("right") << int(Qt::Key_Right) << "" << true << true;
    QTest::newRow("tab") << int(Qt::Key_Tab) << "\t" << false << false;
    QTest::newRow("home") << int(Qt::Key_Home) << "" << false << false;
    QTest::newRow("end") << int(Qt::Key_End) << "" << false << false;
    QTest::newRow("superscript two") << int(Qt::Key_twosuperior) << QString::fromUtf8("²") << false << false;
}

void TestFieldRules::keyFilters()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(bool, digits);
    QFETCH(bool, amount);
    QCOMPARE(digitsKeyPasses(key, text), digits);
    QCOMPARE(amountKeyPasses(key, text), amount);
}

void TestFieldRules::acceptEdit_data()
{
    QTest::addColumn<unsigned>("input");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("at");
    const unsigned d = DigitsOnly, a = Amount, up = UpperTyped | TrimTyped;
    QTest::newRow("digit typed") << d << 0 << "12" << "123" << 3 << false << true << "123" << 3;
    QTest::newRow("letters pasted among digits") << d << 0 << "" << "1a2b" << 4 << false << true << "12" << 2;
    QTest::newRow("letters pasted in the middle") << d << 0 << "15" << "1x9y5" << 4 << false << true << "195" << 2;
    QTest::newRow("only letters pasted changes nothing") << d << 0 << "7" << "abc" << 3 << false << true << "7" << 1;
    QTest::newRow("non-ASCII digits left out") << d << 0 << "" << QString::fromUtf8("1٣2") << 3 << false << true << "12" << 2;
    QTest::newRow("same digit typed beside itself") << d << 0 << "11" << "111" << 2 << false << true << "111" << 2;
    QTest::newRow("amount keeps digits and comma") << a << 0 << "" << "€ 12,5 abc" << 10 << false << true << "12,5" << 4;
    QTest::newRow("second comma typed") << a << 0 << "12,5" << "12,5," << 5 << true << true << "12,5," << 5;
    QTest::newRow("second comma pasted") << a << 0 << "12,5" << "12,5," << 5 << false << false << "" << 0;
    QTest::newRow("two commas pasted") << a << 0 << "" << "1,2,3" << 5 << false << false << "" << 0;
    QTest::newRow("dot left out of an amount") << a << 0 << "" << "1.500,00" << 8 << false << true << "1500,00" << 7;
    QTest::newRow("comma alone may start an amount") << a << 0 << "" << "," << 1 << false << true << "," << 1;
    QTest::newRow("deleting is always fine") << a << 0 << "12,50" << "1,50" << 1 << false << true << "1,50" << 1;
    QTest::newRow("paste cut to the typing limit")
        << unsigned(Plain) << 5 << "abc" << "abc12345" << 8 << false << true << "abc12" << 5;
    QTest::newRow("longer loaded text takes no more")
        << unsigned(Plain) << 5 << "abcdefgh" << "abcdefghi" << 9 << false << true << "abcdefgh" << 8;
    QTest::newRow("longer loaded text can be shortened")
        << unsigned(Plain) << 5 << "abcdefgh" << "abcdefg" << 7 << false << true << "abcdefg" << 7;
    QTest::newRow("upper-cased and trimmed") << up << 0 << "" << " rssmra80a " << 11 << false << true << "RSSMRA80A" << 9;
    QTest::newRow("only a-z change") << up << 0 << "" << QString::fromUtf8("àb") << 2 << false << true << QString::fromUtf8("àB") << 2;
    QTest::newRow("leading blank typed goes") << unsigned(TrimTyped) << 0 << "ab" << " ab" << 1 << false << true << "ab" << 0;
}

void TestFieldRules::acceptEdit()
{
    QFETCH(unsigned, input);
    QFETCH(int, limit);
    QFETCH(QString, before);
    QFETCH(QString, after);
    QFETCH(int, cursor);
    QFETCH(bool, typed);
    QFETCH(bool, accepted);
    QFETCH(QString, text);
    QFETCH(int, at);
    const auto result = kit::acceptEdit(FieldRules{input, limit}, before, after, cursor, typed);
    QCOMPARE(result.has_value(), accepted);
    if (result) {
        QCOMPARE(result->text, text);
        QCOMPARE(result->cursor, at);
    }
}

void TestFieldRules::pasteIntoFields_data()
{
    QTest::addColumn<unsigned>("input");
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("expected"); // pasted over what the field held
    QTest::addColumn<QString>("dropped");  // dropped into the empty field
    QTest::newRow("notice days") << unsigned(DigitsOnly) << "1" << "abc" << "1" << "";
    QTest::newRow("digits among letters") << unsigned(DigitsOnly) << "" << "a1b2c3" << "123" << "123";
    QTest::newRow("amount with letters") << unsigned(Amount) << "0,00" << "EUR 12,50" << "12,50" << "12,50";
    QTest::newRow("amount unreadable") << unsigned(Amount) << "0,00" << "1,2,3" << "0,00" << "";
    QTest::newRow("tax code") << unsigned(UpperTyped | TrimTyped) << "" << "  rssmra80a01h501u "
                              << "RSSMRA80A01H501U" << "RSSMRA80A01H501U";
    // Filtered before the field's length cuts it.
    QTest::newRow("digits beyond the length") << unsigned(DigitsOnly) << "" << "a1b2c3d4" << "123" << "123";
}

void TestFieldRules::pasteIntoFields()
{
    // Every way a text gets in: Ctrl+V, Shift+Insert, the context menu's
    // Paste and a drop (which inserts the text).
    QFETCH(unsigned, input);
    QFETCH(QString, held);
    QFETCH(QString, pasted);
    QFETCH(QString, expected);
    QFETCH(QString, dropped);
    QWidget window;
    auto *field = new QLineEdit(&window);
    field->setObjectName(QStringLiteral("txtCampo"));
    field->setMaxLength(input & DigitsOnly ? 3 : 16);
    installFieldRules(field, FieldRules{input, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const std::function<void()> ways[] = {
        [&] { testing::paste(&window, QStringLiteral("txtCampo"), pasted); },
        [&] {
            field->selectAll();
            QApplication::clipboard()->setText(pasted);
            QTest::keyClick(field, Qt::Key_Insert, Qt::ShiftModifier);
        },
        [&] {
            // The context menu's Paste.
            field->selectAll();
            QApplication::clipboard()->setText(pasted);
            QTimer::singleShot(0, [] {
                if (QWidget *menu = QApplication::activePopupWidget()) {
                    const QString shortcut = QLatin1Char('\t')
                        + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
                    for (QAction *a : menu->actions())
                        if (a->text().endsWith(shortcut))
                            a->trigger();
                    menu->close();
                }
            });
            QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), field->mapToGlobal(QPoint(5, 5)));
            QApplication::sendEvent(field, &event);
            QTRY_VERIFY(!QApplication::activePopupWidget());
        },
        [&] {
            // A drop: the text goes in where it is dropped.
            field->clear();
            QMimeData data;
            data.setText(pasted);
            const QPoint at(field->width() - 2, 5);
            QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(field, &enter);
            QDragMoveEvent move(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(field, &move);
            QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(field, &drop);
        },
    };
    const char *const names[] = {"Ctrl+V", "Shift+Insert", "context menu", "drop"};
    for (int i = 0; i < 4; ++i) {
        field->setText(held);
        field->setFocus();
        ways[i]();
        QVERIFY2(field->text() == (i == 3 ? dropped : expected),
                 qPrintable(QString::fromLatin1(names[i]) + QStringLiteral(": ") + field->text()));
    }
}

void TestFieldRules::typedKeysStillFiltered()
{
    QWidget window;
    auto *field = new QLineEdit(&window);
    installFieldRules(field, FieldRules{Amount, 0});
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    field->setFocus();
    QTest::keyClicks(field, "1a2,5");
    QCOMPARE(field->text(), QStringLiteral("12,5"));
    // Leaving the field normalises the amount.
    field->clearFocus();
    QCOMPARE(field->text(), QStringLiteral("12,50"));
    // Typed wrong, it is put right there too, as it always was.
    field->setFocus();
    QTest::keyClicks(field, ",0");
    QCOMPARE(field->text(), QStringLiteral("12,50,0"));
    field->clearFocus();
    QCOMPARE(field->text(), QStringLiteral("0,00"));
    field->setText(QStringLiteral("7"));
    field->setFocus();
    field->clearFocus();
    QCOMPARE(field->text(), QStringLiteral("7,00"));
}

QTEST_MAIN(TestFieldRules)
#include "test_fieldrules.moc"
