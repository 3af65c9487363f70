// The access password: scrambling, the store and the two windows.
#include "support/faultyfs.h"
#include "support/tempfolder.h"

#include "app/avvio.h"
#include "app/flow.h"
#include "app/password.h"
#include "platform/testing.h"
#include "store/codepage.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace pratelia;
using namespace pratelia::app;
using namespace pratelia::testing;

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
const QString kOldWrong = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. E' necessario reinserire "
    "entrambi i valori.");
const QString kReadFailed = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. Si consiglia di "
    "reinstallare il software.");
const QString kChangeFailed = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. Si consiglia di "
    "reinstallare il software.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");

// A store with other content around the value, as an installation may have.
QByteArray storeWith(const QByteArray &value)
{
    return "; Pratelia\r\n[Installazione]\r\nVersione=1.0\r\n\r\n[Accesso]\r\nValore=" + value + "\r\n";
}

// The password window, the main menu and the change window wired together,
// over a temporary program folder and the test platform.
struct Fixture {
    TempProgramFolder home;
    TestPlatform platform;
    int ended = 0;
    TfrmAvvio menu;
    TfrmCambiaPassword change;
    TfrmPassword password;

    Fixture()
    {
        setEndProgram([this] { ++ended; });
        password.setMainMenu(&menu);
        password.setChangeWindow(&change);
        password.show();
        QVERIFY(QTest::qWaitForWindowExposed(&password));
    }
    ~Fixture() { setEndProgram({}); }

    void store(const QString &plain) const
    {
        home.write(QStringLiteral("unins000.dll"), storeWith(ScramblePassword(plain).toLatin1()));
    }
    QLineEdit *txt(const char *name)
    {
        if (auto *e = password.findChild<QLineEdit *>(QLatin1String(name)))
            return e;
        return change.findChild<QLineEdit *>(QLatin1String(name));
    }
    QPushButton *passwordButton(const char *name) { return password.findChild<QPushButton *>(QLatin1String(name)); }
    QPushButton *changeButton(const char *name) { return change.findChild<QPushButton *>(QLatin1String(name)); }

    // Types into a field; what the keyboard simulation cannot type goes in
    // as the user's input method would put it.
    static void type(QLineEdit *f, const QString &text)
    {
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(f, text);
        else
            f->insert(text);
    }
    void typeLogin(const QString &text)
    {
        QLineEdit *f = txt("txtPassword");
        f->clear();
        type(f, text);
    }
    void openChange()
    {
        passwordButton("btnCambiaPassword")->click();
        QVERIFY(QTest::qWaitForWindowExposed(&change));
    }
    void fillChange(const QString &old, const QString &fresh, const QString &confirm)
    {
        for (auto [name, text] : {std::pair{"txtPasswordOld", old}, std::pair{"txtPasswordNew", fresh},
                                  std::pair{"txtConferma", confirm}}) {
            QLineEdit *f = txt(name);
            f->clear();
            type(f, text);
        }
    }
};

} // namespace

class TestPassword : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void scrambleKnownValues_data();
    void scrambleKnownValues();
    void roundTrip_data();
    void roundTrip();
    void unscrambleOddAndMalformed_data();
    void unscrambleOddAndMalformed();
    void storedForm_data();
    void storedForm();

    void login_data();
    void login();
    void enterRunsOkOnlyForNonBlank();
    void okEnabledOnlyForNonBlank_data();
    void okEnabledOnlyForNonBlank();
    void unusableStore_data();
    void unusableStore();
    void unreadableStore();
    void exitEndsTheProgram();

    void changeRefused_data();
    void changeRefused();
    void changeRewritesOnlyTheValue();
    void changeWithoutStoreOrWithBrokenStore_data();
    void changeWithoutStoreOrWithBrokenStore();
    void changeWriteFailureKeepsOldPassword();
    void changeWindowEnterChainAndOk();
    void closingChangeWindowShowsEmptyPasswordWindow();
    void linkUnderTheOldTemporaryNameIsNotFollowed();
    void storeThatIsALinkIsNeverUsed();
};

void TestPassword::scrambleKnownValues_data()
{
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("hex");
    // Worked by hand from the key register: k starts at 4E2B, so the first
    // byte is the code XOR 4E; after "A" (0F) k is F567, so "B" gives 42 XOR F5.
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("one letter") << QStringLiteral("A") << QStringLiteral("0F");
    QTest::newRow("two letters") << QStringLiteral("AB") << QStringLiteral("0FB7");
    QTest::newRow("accented, by its code page byte C8") << QStringLiteral("È") << QStringLiteral("86");
    QTest::newRow("euro sign, byte 80") << QStringLiteral("€") << QStringLiteral("CE");
}

void TestPassword::scrambleKnownValues()
{
    QFETCH(QString, plain);
    QFETCH(QString, hex);
    QCOMPARE(ScramblePassword(plain), hex);
    bool ok = false;
    QCOMPARE(UnscramblePassword(hex, &ok), plain);
    QVERIFY(ok);
}

void TestPassword::roundTrip_data()
{
    QTest::addColumn<QString>("plain");
    QTest::newRow("first access") << QStringLiteral("PRATELIA");
    QTest::newRow("digits and symbols") << QStringLiteral("2024!#$%&/()=?^*+");
    QTest::newRow("accents and blanks inside") << QStringLiteral("CAFFÈ CON ZÙCCHERO àéìòù");
    QTest::newRow("255 characters") << QString(255, u'Z');
    QByteArray bytes;
    for (int code = 0x80; code < 0x100; ++code)
        if (code != 0x81 && code != 0x8D && code != 0x8F && code != 0x90 && code != 0x9D)
            bytes += char(code);
    QTest::newRow("upper half of the code page") << codepage::decode(bytes);
}

void TestPassword::roundTrip()
{
    QFETCH(QString, plain);
    const QString hex = ScramblePassword(plain);
    QCOMPARE(hex.size(), 2 * plain.size());
    QCOMPARE(hex, hex.toUpper());
    bool ok = false;
    QCOMPARE(UnscramblePassword(hex, &ok), plain);
    QVERIFY(ok);
    QCOMPARE(UnscramblePassword(hex.toLower(), &ok), plain);
}

void TestPassword::unscrambleOddAndMalformed_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("plain");
    QTest::newRow("odd digit ignored") << QStringLiteral("0FB7C") << true << QStringLiteral("AB");
    QTest::newRow("one digit only") << QStringLiteral("0") << true << QString();
    QTest::newRow("not hex") << QStringLiteral("0FZ7") << false << QString();
    QTest::newRow("sign in a pair") << QStringLiteral("+F") << false << QString();
    QTest::newRow("blank in a pair") << QStringLiteral("0F B7") << false << QString();
    QTest::newRow("more than 255 pairs") << (ScramblePassword(QString(255, u'Q')) + QStringLiteral("ABCD"))
                                        << true << QString(255, u'Q');
}

void TestPassword::unscrambleOddAndMalformed()
{
    QFETCH(QString, hex);
    QFETCH(bool, ok);
    QFETCH(QString, plain);
    bool gotOk = !ok;
    const QString got = UnscramblePassword(hex, &gotOk);
    QCOMPARE(gotOk, ok);
    if (ok)
        QCOMPARE(got, plain);
}

void TestPassword::storedForm_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("lower case") << QStringLiteral("pratelia") << QStringLiteral("PRATELIA");
    QTest::newRow("blanks around") << QStringLiteral("  Ab c\t") << QStringLiteral("AB C");
    QTest::newRow("accents keep their case") << QStringLiteral("àÈz") << QStringLiteral("àÈZ");
    QTest::newRow("only blanks") << QStringLiteral("   ") << QString();
}

void TestPassword::storedForm()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(passwordForm(typed), stored);
}

void TestPassword::login_data()
{
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("exact") << QStringLiteral("PRATELIA") << QStringLiteral("PRATELIA") << true;
    QTest::newRow("lower case") << QStringLiteral("PRATELIA") << QStringLiteral("pratelia") << true;
    QTest::newRow("mixed case and blanks") << QStringLiteral("PRATELIA") << QStringLiteral("  PraTelia ") << true;
    QTest::newRow("wrong") << QStringLiteral("PRATELIA") << QStringLiteral("pratelio") << false;
    QTest::newRow("longer") << QStringLiteral("PRATELIA") << QStringLiteral("pratelia1") << false;
    QTest::newRow("blank inside counts") << QStringLiteral("PRATELIA") << QStringLiteral("prate lia") << false;
    QTest::newRow("accent in the case it was set") << QStringLiteral("àB") << QStringLiteral("àb") << true;
    QTest::newRow("accent in the other case") << QStringLiteral("àB") << QStringLiteral("Àb") << false;
    // A store written by hand in lower case does not lock everyone out.
    QTest::newRow("store in lower case") << QStringLiteral("pratelia") << QStringLiteral("Pratelia") << true;
}

void TestPassword::login()
{
    QFETCH(QString, set);
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    Fixture f;
    f.store(set);
    f.typeLogin(typed);
    QVERIFY(f.passwordButton("cmdOK")->isEnabled());
    f.passwordButton("cmdOK")->click();
    if (accepted) {
        QVERIFY(f.platform.dialogs.shown.isEmpty());
        QVERIFY(f.menu.isVisible());
        QVERIFY(!f.password.isVisible());
        QCOMPARE(f.txt("txtPassword")->text(), typed); // stays in the hidden field
        // The stored password kept in the hidden working label never
        // reaches assistive tools.
        auto *memory = f.password.findChild<QLabel *>(QStringLiteral("lblMemory"));
        QCOMPARE(memory->text(), passwordForm(set));
        QAccessibleInterface *ai = QAccessible::queryAccessibleInterface(memory);
        QVERIFY(ai);
        QVERIFY(!ai->text(QAccessible::Name).contains(passwordForm(set)));
        QVERIFY(!ai->text(QAccessible::Description).contains(passwordForm(set)));
    } else {
        QCOMPARE(f.platform.dialogs.lastText(), kWrong);
        QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
        QVERIFY(!f.menu.isVisible());
        QVERIFY(f.password.isVisible());
        QVERIFY(f.txt("txtPassword")->text().isEmpty());
        QVERIFY(!f.passwordButton("cmdOK")->isEnabled());
        QTRY_VERIFY(f.txt("txtPassword")->hasFocus());
        // No limit on attempts: the right one still works afterwards.
        f.typeLogin(set);
        f.passwordButton("cmdOK")->click();
        QVERIFY(f.menu.isVisible());
    }
}

void TestPassword::enterRunsOkOnlyForNonBlank()
{
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    QLineEdit *field = f.txt("txtPassword");
    QTRY_VERIFY(field->hasFocus());
    QTest::keyClicks(field, QStringLiteral("   "));
    QTest::keyClick(field, Qt::Key_Return);
    QVERIFY(f.platform.dialogs.shown.isEmpty());
    QVERIFY(!f.menu.isVisible());
    f.typeLogin(QStringLiteral("sbagliata"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
    QCOMPARE(f.platform.dialogs.lastText(), kWrong);
    f.typeLogin(QStringLiteral("pratelia"));
    QTest::keyClick(field, Qt::Key_Enter);
    QVERIFY(f.menu.isVisible());
    QCOMPARE(f.platform.dialogs.shown.size(), 1);
}

void TestPassword::okEnabledOnlyForNonBlank_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("empty") << QString() << false;
    QTest::newRow("blanks") << QStringLiteral("    ") << false;
    QTest::newRow("one letter") << QStringLiteral("a") << true;
    QTest::newRow("letter among blanks") << QStringLiteral("  a  ") << true;
}

void TestPassword::okEnabledOnlyForNonBlank()
{
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    Fixture f;
    QPushButton *ok = f.passwordButton("cmdOK");
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(f.txt("txtPassword"), text);
    QCOMPARE(ok->isEnabled(), enabled);
    // Pasted or programmatic changes count too; clearing disables again.
    f.txt("txtPassword")->clear();
    QVERIFY(!ok->isEnabled());
    f.txt("txtPassword")->setText(text);
    QCOMPARE(ok->isEnabled(), enabled);
}

void TestPassword::unusableStore_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: no store at all
    QTest::addColumn<QString>("message");
    QTest::newRow("missing store") << QByteArray() << kWrong;
    QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=0F\r\n") << kWrong;
    QTest::newRow("empty value") << storeWith("") << kWrong;
    QTest::newRow("malformed hex") << storeWith("0FXY") << kReadFailed;
}

void TestPassword::unusableStore()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Fixture f;
    if (!content.isEmpty())
        f.home.write(QStringLiteral("unins000.dll"), content);
    f.typeLogin(QStringLiteral("a"));
    f.passwordButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), message);
    QVERIFY(!f.menu.isVisible());
    QVERIFY(f.password.isVisible());
    if (message == kReadFailed) // the window stays as it is
        QCOMPARE(f.txt("txtPassword")->text(), QStringLiteral("a"));
}

void TestPassword::unreadableStore()
{
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    const QByteArray before = f.home.read(QStringLiteral("unins000.dll"));
    FaultyFileSystem faulty;
    faulty.failAt(IoStep::Read, 1, true);
    f.typeLogin(QStringLiteral("pratelia"));
    f.passwordButton("cmdOK")->click();
    QVERIFY(faulty.triggered());
    QCOMPARE(f.platform.dialogs.lastText(), kReadFailed);
    QVERIFY(!f.menu.isVisible());
    QCOMPARE(f.txt("txtPassword")->text(), QStringLiteral("pratelia"));

    f.openChange();
    f.fillChange(QStringLiteral("pratelia"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    f.changeButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kChangeFailed);
    QVERIFY(f.change.isVisible());
    faulty.reset();
    QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), before);
}

void TestPassword::exitEndsTheProgram()
{
    Fixture f;
    f.passwordButton("cmdEsci")->click();
    QCOMPARE(f.ended, 1);
    QVERIFY(!f.password.isVisible());
    // The title bar cannot close it.
    Fixture g;
    QVERIFY(!g.password.close());
    QVERIFY(g.password.isVisible());
    QCOMPARE(g.ended, 0);
}

void TestPassword::changeRefused_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirm");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("emptied"); // fields emptied, the first gets the focus
    const QStringList oldOnly{QStringLiteral("txtPasswordOld")};
    const QStringList newAndConfirm{QStringLiteral("txtPasswordNew"), QStringLiteral("txtConferma")};
    QTest::newRow("wrong old") << "vecchia" << "nuova" << "nuova" << kOldWrong << oldOnly;
    QTest::newRow("confirmation differs") << "pratelia" << "nuova" << "nuove" << kNotConfirmed << newAndConfirm;
    QTest::newRow("confirmation differs in case only") << "pratelia" << "Nuova" << "nuova" << kNotConfirmed
                                                       << newAndConfirm;
    QTest::newRow("too long") << "pratelia" << QString(256, u'x') << QString(256, u'x')
                              << QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri.")
                              << newAndConfirm;
    const QString cyrillic = QStringLiteral("пароль");
    QTest::newRow("outside the code page") << "pratelia" << cyrillic << cyrillic
                                           << newPasswordProblem(cyrillic) << newAndConfirm;
}

void TestPassword::changeRefused()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirm);
    QFETCH(QString, message);
    QFETCH(QStringList, emptied);
    QVERIFY(!message.isEmpty());
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    const QByteArray before = f.home.read(QStringLiteral("unins000.dll"));
    f.openChange();
    f.fillChange(old, fresh, confirm);
    f.changeButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), message);
    QCOMPARE(f.platform.dialogs.last()->kind, MessageKind::Plain);
    QVERIFY(f.change.isVisible());
    QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), before);
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QCOMPARE(f.txt(name)->text().isEmpty(), emptied.contains(QLatin1String(name)));
    QVERIFY(!f.changeButton("cmdOK")->isEnabled());
    QTRY_VERIFY(f.txt(emptied.first().toLatin1().constData())->hasFocus());
}

void TestPassword::changeRewritesOnlyTheValue()
{
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    f.openChange();
    // The same password may be set again; here a new one, with blanks
    // around it and in lower case.
    f.fillChange(QStringLiteral(" Pratelia"), QStringLiteral("  studio rossi "), QStringLiteral("studio rossi"));
    f.changeButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kChanged);
    const QByteArray after = f.home.read(QStringLiteral("unins000.dll"));
    QVERIFY2(after.contains("; Pratelia\r\n"), after.constData());
    QVERIFY2(after.contains("[Installazione]\r\nVersione=1.0\r\n"), after.constData());
    QVERIFY2(after.contains("[Accesso]\r\nValore=" + ScramblePassword(QStringLiteral("STUDIO ROSSI")).toLatin1()
                            + "\r\n"),
             after.constData());
    QVERIFY(!after.contains(ScramblePassword(QStringLiteral("PRATELIA")).toLatin1()));
    QVERIFY(!f.change.isVisible());
    QVERIFY(f.password.isVisible());

    // Only the new password opens the menu now.
    f.typeLogin(QStringLiteral("pratelia"));
    f.passwordButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kWrong);
    f.typeLogin(QStringLiteral("Studio Rossi"));
    f.passwordButton("cmdOK")->click();
    QVERIFY(f.menu.isVisible());
}

void TestPassword::changeWithoutStoreOrWithBrokenStore_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing store") << QByteArray() << kOldWrong;
    QTest::newRow("odd last digit") << storeWith("0FB") << QString();
    QTest::newRow("not hex") << storeWith("ZZ") << kChangeFailed;
}

void TestPassword::changeWithoutStoreOrWithBrokenStore()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    Fixture f;
    if (!content.isEmpty())
        f.home.write(QStringLiteral("unins000.dll"), content);
    f.openChange();
    f.fillChange(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("b"));
    f.changeButton("cmdOK")->click();
    if (message.isEmpty()) {
        // An odd last digit is ignored: "0FB" reads as "A".
        QCOMPARE(f.platform.dialogs.lastText(), kChanged);
        return;
    }
    QCOMPARE(f.platform.dialogs.lastText(), message);
    QVERIFY(f.change.isVisible());
    // The program never creates the store, nor touches it when refusing.
    if (content.isEmpty())
        QVERIFY(!QFile::exists(f.home.file(QStringLiteral("unins000.dll"))));
    else
        QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), content);
}

void TestPassword::changeWriteFailureKeepsOldPassword()
{
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    const QByteArray before = f.home.read(QStringLiteral("unins000.dll"));
    f.openChange();
    f.fillChange(QStringLiteral("pratelia"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    FaultyFileSystem faulty;
    faulty.failAt(IoStep::Write, 1, true);
    f.changeButton("cmdOK")->click();
    QVERIFY(faulty.triggered());
    QCOMPARE(f.platform.dialogs.lastText(), kChangeFailed);
    QVERIFY(f.change.isVisible());
    QCOMPARE(f.home.read(QStringLiteral("unins000.dll")), before);
}

void TestPassword::changeWindowEnterChainAndOk()
{
    Fixture f;
    f.openChange();
    QLineEdit *old = f.txt("txtPasswordOld");
    QLineEdit *fresh = f.txt("txtPasswordNew");
    QLineEdit *confirm = f.txt("txtConferma");
    QTRY_VERIFY(old->hasFocus());
    QPushButton *ok = f.changeButton("cmdOK");
    QTest::keyClicks(old, QStringLiteral("a"));
    QTest::keyClick(old, Qt::Key_Return);
    QVERIFY(fresh->hasFocus());
    QTest::keyClicks(fresh, QStringLiteral("b"));
    QVERIFY(!ok->isEnabled());
    QTest::keyClick(fresh, Qt::Key_Return);
    QVERIFY(confirm->hasFocus());
    QTest::keyClicks(confirm, QStringLiteral("  "));
    QVERIFY(!ok->isEnabled());
    QTest::keyClicks(confirm, QStringLiteral("b"));
    QVERIFY(ok->isEnabled());
    QTest::keyClick(confirm, Qt::Key_Return);
    QVERIFY(old->hasFocus());
    QVERIFY(f.platform.dialogs.shown.isEmpty()); // Enter does not confirm
    // Captions reach the fields as accessible names.
    QCOMPARE(old->accessibleName(), QStringLiteral("Vecchia password"));
    QCOMPARE(confirm->accessibleName(), QStringLiteral("Conferma nuova password"));
    QVERIFY(f.change.findChild<QWidget *>(QStringLiteral("effPasswordOld")));
}

void TestPassword::closingChangeWindowShowsEmptyPasswordWindow()
{
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    f.typeLogin(QStringLiteral("sbagliata"));
    f.passwordButton("cmdOK")->click(); // fills lblMemory
    f.typeLogin(QStringLiteral("qualcosa"));
    f.openChange();
    QVERIFY(!f.password.isVisible());
    f.fillChange(QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("z"));
    f.changeButton("cmdEsci")->click();
    QVERIFY(!f.change.isVisible());
    QVERIFY(f.password.isVisible());
    QVERIFY(f.txt("txtPassword")->text().isEmpty());
    QVERIFY(f.password.findChild<QLabel *>(QStringLiteral("lblMemory"))->text().isEmpty());
    QTRY_VERIFY(f.txt("txtPassword")->hasFocus());
    // Opened again, the change window starts empty.
    f.openChange();
    for (const char *name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QVERIFY(f.txt(name)->text().isEmpty());
    QVERIFY(!f.changeButton("cmdOK")->isEnabled());
}

void TestPassword::linkUnderTheOldTemporaryNameIsNotFollowed()
{
    // "unins000.dll.new", once the name of the store's temporary file, put
    // in the shared folder as a link to a file elsewhere: changing the
    // password leaves that file as it was and the store a plain file.
    Fixture f;
    f.store(QStringLiteral("PRATELIA"));
    OutsideFile outside;
    const QString planted = f.home.file(QStringLiteral("unins000.dll.new"));
    QVERIFY(outside.plantLink(planted));
    const QString store = f.home.file(QStringLiteral("unins000.dll"));
    const struct {
        QString old, fresh;
    } changes[] = {{QStringLiteral("pratelia"), QStringLiteral("nuova")},
                   {QStringLiteral("nuova"), QStringLiteral("terza")}};
    for (const auto &c : changes) {
        f.openChange();
        f.fillChange(c.old, c.fresh, c.fresh);
        f.changeButton("cmdOK")->click();
        QCOMPARE(f.platform.dialogs.lastText(), kChanged);
        QCOMPARE(outside.content(), outside.original());
        QVERIFY(isPlainFile(store));
        QVERIFY(f.home.read(QStringLiteral("unins000.dll"))
                    .contains("[Accesso]\r\nValore=" + ScramblePassword(c.fresh.toUpper()).toLatin1()
                              + "\r\n"));
        QVERIFY(isLink(planted)); // not ours: left alone
    }
    f.typeLogin(QStringLiteral("terza"));
    f.passwordButton("cmdOK")->click();
    QVERIFY(f.menu.isVisible());
}

void TestPassword::storeThatIsALinkIsNeverUsed()
{
    // "unins000.dll" itself replaced by a link to a store elsewhere (whose
    // password is known to whoever put it there): it is neither read nor
    // written through nor replaced; the windows say the store cannot be
    // read. A store put back in its place works again.
    Fixture f;
    OutsideFile outside(storeWith(ScramblePassword(QStringLiteral("INTRUSO")).toLatin1()));
    const QString store = f.home.file(QStringLiteral("unins000.dll"));
    QVERIFY(outside.plantLink(store));

    f.typeLogin(QStringLiteral("intruso"));
    f.passwordButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kReadFailed);
    QVERIFY(!f.menu.isVisible());

    f.openChange();
    f.fillChange(QStringLiteral("intruso"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    f.changeButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kChangeFailed);
    QVERIFY(f.change.isVisible());
    QCOMPARE(outside.content(), outside.original());
    QVERIFY(isLink(store));

    QVERIFY(QFile::remove(store));
    f.store(QStringLiteral("PRATELIA"));
    f.fillChange(QStringLiteral("pratelia"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    f.changeButton("cmdOK")->click();
    QCOMPARE(f.platform.dialogs.lastText(), kChanged);
    QVERIFY(isPlainFile(store));
    QCOMPARE(outside.content(), outside.original());
}

QTEST_MAIN(TestPassword)
#include "test_password.moc"
