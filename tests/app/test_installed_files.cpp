// The manual, the password store, the alert sound, the icon and the
// desktop entry that the build makes for the program folder, and what the
// help pages (which the manual prints) say about the cards.
#include "kit/help.h"
#include "app/password.h"
#include "clients/anagrafica.h"
#include "desktopentry.h"
#include "fees/tariffario.h"
#include "platform/inifile.h"
#include "platform/testing.h"
#include "support/tempfolder.h"

#include <QAudioOutput>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMediaPlayer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <functional>
#include <memory>

using namespace pratelia;
using namespace pratelia::app;

namespace {
QString asset(const char *name)
{
    return QStringLiteral(PRATELIA_ASSETS "/") + QLatin1String(name);
}

// The manual's text as pdftotext lays it out, within the printed area of
// each A4 page (inside the 18 mm margins, above the page footer): a line
// broken by a page is drawn, clipped, on both pages, and only the area
// shows which page it belongs to. Blanks are squeezed and ligatures undone;
// empty when pdftotext is missing.
QString manualText()
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return {};
    QProcess p;
    p.start(tool, {QStringLiteral("-layout"), QStringLiteral("-x"), QStringLiteral("0"), QStringLiteral("-y"),
                   QStringLiteral("51"), QStringLiteral("-W"), QStringLiteral("595"), QStringLiteral("-H"),
                   QStringLiteral("710"), asset("Guida.pdf"), QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QString text = QString::fromUtf8(p.readAllStandardOutput());
    // Typographic ligatures come out as single characters.
    const QList<QPair<QString, QString>> ligatures{{QStringLiteral("ﬃ"), QStringLiteral("ffi")},
                                                   {QStringLiteral("ﬄ"), QStringLiteral("ffl")},
                                                   {QStringLiteral("ﬀ"), QStringLiteral("ff")},
                                                   {QStringLiteral("ﬁ"), QStringLiteral("fi")},
                                                   {QStringLiteral("ﬂ"), QStringLiteral("fl")}};
    for (const auto &[from, to] : ligatures)
        text.replace(from, to);
    return text.simplified();
}

// An Exec line read back as the desktop entry rules say: the escapes of a
// string value first, then the field codes (only %% is expected here), then
// the quoting. Any break of the rules makes it fail.
QString unescapeString(const QString &value, bool &ok)
{
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] != u'\\') {
            out += value[i];
            continue;
        }
        if (++i == value.size()) {
            ok = false;
            return {};
        }
        switch (value[i].unicode()) {
        case u's': out += u' '; break;
        case u'n': out += u'\n'; break;
        case u't': out += u'\t'; break;
        case u'r': out += u'\r'; break;
        case u'\\': out += u'\\'; break;
        default: ok = false; return {};
        }
    }
    return out;
}

QStringList execArguments(const QString &value, bool &ok)
{
    QString line = unescapeString(value, ok);
    QString codes;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'%') {
            if (i + 1 < line.size() && line[i + 1] == u'%') {
                codes += u'%';
                ++i;
                continue;
            }
            ok = false; // a field code: the entry must not ask for one
            return {};
        }
        codes += line[i];
    }
    const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QStringList args;
    QString current;
    bool inArgument = false;
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QChar c = codes[i];
        if (c == u' ') {
            if (inArgument)
                args << current;
            current.clear();
            inArgument = false;
        } else if (c == u'"') {
            inArgument = true;
            for (++i;; ++i) {
                if (i >= codes.size()) {
                    ok = false; // unterminated quote
                    return {};
                }
                if (codes[i] == u'"')
                    break;
                if (codes[i] == u'\\') {
                    if (i + 1 >= codes.size() || !QStringLiteral("\"`$\\").contains(codes[i + 1])) {
                        ok = false;
                        return {};
                    }
                    ++i;
                } else if (QStringLiteral("\"`$").contains(codes[i])) {
                    ok = false; // must be escaped inside quotes
                    return {};
                }
                current += codes[i];
            }
        } else if (reserved.contains(c)) {
            ok = false; // reserved characters only inside quotes
            return {};
        } else {
            inArgument = true;
            current += c;
        }
    }
    if (inArgument)
        args << current;
    return args;
}

// The value of a key in the [Desktop Entry] group, as written.
QString entryValue(const QString &entry, const QString &key)
{
    for (const QString &line : entry.split(u'\n')) {
        if (line.startsWith(key + u'='))
            return line.mid(key.size() + 1);
    }
    return QStringLiteral("<missing>");
}

// The card controls a user types into, by their object names.
QList<QWidget *> editControls(QWidget *card)
{
    QList<QWidget *> out;
    for (QWidget *w : card->findChildren<QWidget *>()) {
        if (!w->objectName().startsWith(QLatin1String("txt")))
            continue;
        auto *combo = qobject_cast<QComboBox *>(w);
        if (qobject_cast<QLineEdit *>(w) && !qobject_cast<QComboBox *>(w->parentWidget()))
            out << w;
        else if (combo && combo->isEditable())
            out << w;
    }
    return out;
}

QString controlText(QWidget *w)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return static_cast<QComboBox *>(w)->currentText();
}

void setControlText(QWidget *w, const QString &text)
{
    if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(text);
    else
        static_cast<QComboBox *>(w)->setEditText(text);
}

// A card window of the program, with its New and Save commands.
struct CardUnderTest {
    std::unique_ptr<QWidget> window;
    std::function<void()> newCard;
    std::function<void()> save;
};

CardUnderTest makeCard(const QString &which)
{
    CardUnderTest c;
    if (which == u"clienti") {
        auto *card = new clients::TfrmAnagrafica;
        c.window.reset(card);
        c.newCard = [card] { card->newCard(); };
        c.save = [card] { card->save(); };
    } else {
        auto *card = new fees::TfrmTariffario;
        c.window.reset(card);
        c.newCard = [card] { card->newCard(); };
        c.save = [card] { card->save(); };
    }
    return c;
}

// The captions a help page names after "obbligatori i campi", each in «».
QStringList mandatoryInHelp(const QString &body)
{
    const qsizetype at = body.indexOf(QStringLiteral("obbligatori i campi"));
    if (at < 0)
        return {QStringLiteral("<no list of mandatory fields>")};
    QStringList names;
    bool inside = false;
    QString name;
    for (qsizetype i = at; i < body.size(); ++i) {
        const QChar c = body[i];
        if (c == u'«') {
            inside = true;
            name.clear();
        } else if (c == u'»') {
            inside = false;
            names << name;
        } else if (inside) {
            name += c;
        } else if (c == u'.' || c == u';') {
            break;
        }
    }
    return names;
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
    void desktopEntryStartsTheFolder_data();
    void desktopEntryStartsTheFolder();
    void helpNamesTheFieldsTheCardRequires_data();
    void helpNamesTheFieldsTheCardRequires();
    void helpNamesOnlyFieldsTheCardHas_data();
    void helpNamesOnlyFieldsTheCardHas();
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
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext is not installed");
    // Lines are broken differently in the PDF: compare with blanks squeezed.
    const QString text = manualText();
    QVERIFY(!text.isEmpty());
    // Every paragraph of every page, so that the manual says what the
    // windows' help says.
    for (int i = int(kit::HelpPage::Generale); i <= int(kit::HelpPage::RiepProtocollo); ++i) {
        const auto page = kit::HelpPage(i);
        QVERIFY2(text.contains(kit::helpTitle(page)), qPrintable(kit::helpTitle(page)));
        for (const QString &paragraph : kit::helpBody(page).split(QStringLiteral("\r\n\r\n")))
            QVERIFY2(text.contains(paragraph.simplified()), qPrintable(paragraph));
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

void TestInstalledFiles::desktopEntryStartsTheFolder_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << "/home/studio/Pratelia";
    QTest::newRow("blanks") << "/home/studio/Studio Rossi e  Bianchi";
    QTest::newRow("double quotes") << "/srv/\"Pratelia\" nuova";
    QTest::newRow("backslashes") << "/srv/a\\b\\\\c\\";
    QTest::newRow("percent, like a field code") << "/srv/100% %f %%u";
    QTest::newRow("dollar") << "/srv/$HOME/${PATH}";
    QTest::newRow("backquotes") << "/srv/`rm -rf ~`";
    QTest::newRow("shell characters") << "/srv/l'ufficio; a&b | (c) <d> *?#~";
    QTest::newRow("everything at once") << "/srv/ \"\\$%`\\\"$`% ";
    QTest::newRow("line breaks and tab") << "/srv/a\tb\nc\rd";
    QTest::newRow("accents and euro") << "/srv/Forlì €uro";
}

void TestInstalledFiles::desktopEntryStartsTheFolder()
{
    QFETCH(QString, folder);
    // What the installation runs, with the folder passed as an argument.
    QTemporaryDir out;
    const QString file = out.filePath(QStringLiteral("pratelia.desktop"));
    QProcess tool;
    tool.start(QStringLiteral(PRATELIA_ASSETS_TOOL), {QStringLiteral("--desktop-entry"), folder, file});
    QVERIFY(tool.waitForFinished(30000));
    QCOMPARE(tool.exitCode(), 0);
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    const QString entry = QString::fromUtf8(bytes);
    QCOMPARE(entry.toUtf8(), bytes); // UTF-8 throughout
    QCOMPARE(entry, app::desktopEntry(folder));

    bool ok = true;
    const QStringList argv = execArguments(entryValue(entry, QStringLiteral("Exec")), ok);
    QVERIFY2(ok, qPrintable(entryValue(entry, QStringLiteral("Exec"))));
    QCOMPARE(argv, QStringList{folder + QStringLiteral("/pratelia")});
    QCOMPARE(unescapeString(entryValue(entry, QStringLiteral("Path")), ok), folder);
    QCOMPARE(unescapeString(entryValue(entry, QStringLiteral("Icon")), ok), folder + QStringLiteral("/pratelia.png"));
    QVERIFY(ok);
    // Every line of the entry is one key (a line break in the folder name
    // must not start another).
    QCOMPARE(entry.count(u'\n'), 12);

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess v;
        v.start(validator, {file});
        QVERIFY(v.waitForFinished(30000));
        QVERIFY2(v.exitCode() == 0, v.readAllStandardOutput().constData());
    }
}

void TestInstalledFiles::helpNamesTheFieldsTheCardRequires_data()
{
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("page");
    QTest::newRow("client card") << "clienti" << int(kit::HelpPage::Anagrafica);
    QTest::newRow("fee card") << "tariffario" << int(kit::HelpPage::Tariffario);
}

void TestInstalledFiles::helpNamesTheFieldsTheCardRequires()
{
    QFETCH(QString, card);
    QFETCH(int, page);
    testing::TempProgramFolder home;
    testing::TestPlatform platform;
    CardUnderTest c = makeCard(card);
    c.newCard();
    // A card that saves: what New proposes, every empty field filled in.
    const QList<QWidget *> controls = editControls(c.window.get());
    QVERIFY(controls.size() > 10);
    for (QWidget *w : controls) {
        if (controlText(w).trimmed().isEmpty())
            setControlText(w, QStringLiteral("1"));
    }
    c.save();
    QVERIFY(platform.dialogs.last());
    QCOMPARE(platform.dialogs.last()->kind, MessageKind::Information);
    // Emptied one at a time: the fields without which the card is refused.
    QStringList required;
    for (QWidget *w : controls) {
        const QString kept = controlText(w);
        setControlText(w, QString());
        platform.dialogs.clear();
        c.save();
        QVERIFY(platform.dialogs.last());
        if (platform.dialogs.last()->kind != MessageKind::Information)
            required << w->accessibleName();
        setControlText(w, kept);
    }
    required.sort();
    QStringList named = mandatoryInHelp(kit::helpBody(kit::HelpPage(page)));
    named.sort();
    QCOMPARE(named, required);
}

void TestInstalledFiles::helpNamesOnlyFieldsTheCardHas_data()
{
    // Words for fields that such a card might have: when the page uses one,
    // a caption of the card must hold it too.
    QTest::addColumn<QString>("card");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("word");
    const int clients = int(kit::HelpPage::Anagrafica), fees = int(kit::HelpPage::Tariffario);
    for (const char *word : {"fax", "sito", "web", "sede", "ragione sociale", "cellulare", "pec",
                             "iban", "titolo di studio", "luogo di rilascio", "ente"})
        QTest::newRow(qPrintable(QStringLiteral("client card: ") + QLatin1String(word)))
            << "clienti" << clients << QString::fromLatin1(word);
    for (const char *word : {"fax", "sito", "responsabile", "persona addetta", "spese accessorie",
                             "modulo"})
        QTest::newRow(qPrintable(QStringLiteral("fee card: ") + QLatin1String(word)))
            << "tariffario" << fees << QString::fromLatin1(word);
}

void TestInstalledFiles::helpNamesOnlyFieldsTheCardHas()
{
    QFETCH(QString, card);
    QFETCH(int, page);
    QFETCH(QString, word);
    testing::TempProgramFolder home;
    testing::TestPlatform platform;
    CardUnderTest c = makeCard(card);
    const QRegularExpression asWord(QStringLiteral("\\b") + QRegularExpression::escape(word) + QStringLiteral("\\b"),
                                    QRegularExpression::CaseInsensitiveOption);
    if (!asWord.match(kit::helpBody(kit::HelpPage(page))).hasMatch())
        return;
    QStringList captions;
    for (QWidget *w : editControls(c.window.get()))
        captions << w->accessibleName();
    QVERIFY2(asWord.match(captions.join(u'|')).hasMatch(),
             qPrintable(word + QStringLiteral(" is not on the card: ") + captions.join(u'|')));
}

QTEST_MAIN(TestInstalledFiles)
#include "test_installed_files.moc"
