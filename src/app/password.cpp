#include "password.h"

#include "kit/conventions.h"
#include "flow.h"
#include "platform/inifile.h"
#include "platform/platform.h"
#include "store/codepage.h"
#include "store/values.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace pratelia::app {

namespace {

constexpr quint16 kStart = 0x4E2B;
constexpr quint16 kMultiplier = 0x7A59;
constexpr quint16 kAddend = 0x1F3D;
constexpr int kMaxLength = 255;

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

quint16 nextKey(quint8 scrambled, quint16 key)
{
    return quint16((quint16(scrambled + key) * quint32(kMultiplier) + kAddend) & 0xFFFF);
}

const QString kSection = QStringLiteral("Accesso");
const QString kKey = QStringLiteral("Valore");

QString readFailedText()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di lettura della "
                          "password. Si consiglia di reinstallare il software.");
}

QString changeFailedText()
{
    return QStringLiteral("Attenzione: si è verificato un errore durante la procedura di modifica della "
                          "password. Si consiglia di reinstallare il software.");
}

QPushButton *dialogButton(const QString &name, const QString &text, const QString &icon, QWidget *parent)
{
    auto *b = new QPushButton(kit::commandIcon(icon), text, parent);
    b->setObjectName(name);
    b->setIconSize(QSize(20, 20));
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

const char *kDialogStyle =
    "QDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f8fb, stop:1 #e4eaf1); }"
    "QLineEdit { border: 1px solid #9aa8b8; border-radius: 3px; padding: 3px 6px; background: white;"
    "  font-size: 11pt; }"
    "QPushButton { padding: 5px 12px; border: 1px solid #8d9bab; border-radius: 4px;"
    "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde4ec); }"
    "QPushButton:hover { background: #eef4fb; }"
    "QPushButton:focus { border: 2px solid #2f7cd6; }"
    "QPushButton:disabled { color: #9aa5b1; }";

// The hidden working storage of the password windows. It holds the stored
// password in clear, so assistive tools get a fixed name instead of its text.
QLabel *memoryLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QStringLiteral("lblMemory"));
    label->setAccessibleName(QStringLiteral("Memoria di lavoro"));
    label->hide();
    return label;
}

// The password windows are shown without blocking the others; both carry
// the key picture at their left.
void dressPasswordDialog(QDialog *dialog, int pictureSize, int top)
{
    dialog->setModal(false);
    dialog->setWindowModality(Qt::NonModal);
    dialog->setStyleSheet(QString::fromLatin1(kDialogStyle));
    auto *picture = new QLabel(dialog);
    picture->setObjectName(QStringLiteral("imgChiave"));
    picture->setPixmap(kit::commandIcon(QStringLiteral("chiave"))
                           .pixmap(QSize(pictureSize, pictureSize), dialog->devicePixelRatioF()));
    picture->setGeometry(24, top, pictureSize, pictureSize);
}

// A thin line above the row of buttons.
void separator(QWidget *parent, int y)
{
    auto *line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setStyleSheet(QStringLiteral("color: #c3ccd6;"));
    line->setGeometry(16, y, parent->width() - 32, 2);
}

QLineEdit *maskedField(const QString &name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

// Key releases too count as changes (a key that changes nothing still
// re-evaluates the OK command).
class KeyReleaseHook : public QObject {
public:
    KeyReleaseHook(QObject *parent, std::function<void()> f) : QObject(parent), m_f(std::move(f)) {}

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::KeyRelease)
            m_f();
        return false;
    }

private:
    std::function<void()> m_f;
};

void watchChanges(QLineEdit *field, QObject *owner, const std::function<void()> &f)
{
    QObject::connect(field, &QLineEdit::textChanged, owner, f);
    field->installEventFilter(new KeyReleaseHook(field, f));
}


} // namespace

QString ScramblePassword(QStringView text)
{
    const QByteArray bytes = codepage::encode(text.left(kMaxLength));
    QString hex;
    hex.reserve(bytes.size() * 2);
    quint16 key = kStart;
    for (char c : bytes) {
        const quint8 b = quint8(quint8(c) ^ (key >> 8));
        hex += QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
        key = nextKey(b, key);
    }
    return hex;
}

QString UnscramblePassword(QStringView hex, bool *ok)
{
    if (ok)
        *ok = true;
    const qsizetype pairs = qMin<qsizetype>(hex.size() / 2, kMaxLength);
    QByteArray plain;
    plain.reserve(pairs);
    quint16 key = kStart;
    for (qsizetype i = 0; i < pairs; ++i) {
        if (!isHexDigit(hex[i * 2]) || !isHexDigit(hex[i * 2 + 1])) {
            if (ok)
                *ok = false;
            return {};
        }
        const quint8 b = quint8(hex.mid(i * 2, 2).toUInt(nullptr, 16));
        plain += char(b ^ (key >> 8));
        key = nextKey(b, key);
    }
    return codepage::decode(plain);
}

QString blankTrimmed(QStringView typed)
{
    qsizetype from = 0, to = typed.size();
    while (from < to && typed[from].unicode() <= 0x20)
        ++from;
    while (to > from && typed[to - 1].unicode() <= 0x20)
        --to;
    return typed.mid(from, to - from).toString();
}

QString passwordForm(QStringView typed)
{
    QString s = blankTrimmed(typed);
    for (QChar &c : s)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 32);
    return s;
}

QString newPasswordProblem(QStringView stored)
{
    if (stored.size() > kMaxLength)
        return QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri.");
    if (!codepage::representable(stored))
        return QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi. Si possono "
                              "usare lettere (anche accentate), cifre, spazi e i simboli comuni.");
    return {};
}

QString passwordStorePath()
{
    return ArchivePath(QStringLiteral("unins000.dll"));
}

bool readStoredPassword(QString &password)
{
    password.clear();
    IniFile ini;
    switch (ini.load(passwordStorePath())) {
    case IniFile::LoadResult::Failed: return false;
    case IniFile::LoadResult::Missing: return true;
    case IniFile::LoadResult::Ok: break;
    }
    bool ok = false;
    const QString plain = UnscramblePassword(ini.value(kSection, kKey).trimmed(), &ok);
    if (!ok)
        return false;
    password = passwordForm(plain);
    return true;
}

bool writeStoredPassword(const QString &scrambled)
{
    return writeIniValue(passwordStorePath(), kSection, kKey, scrambled.trimmed());
}

// ---------------------------------------------------------------------------

TfrmPassword::TfrmPassword(QWidget *parent)
    : DialogWindow(QStringLiteral("TfrmPassword"), QStringLiteral(" Pratelia - Chiavedaccesso"),
                   QSize(470, 196), parent)
{
    dressPasswordDialog(this, 72, 22);

    auto *line = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    line->setObjectName(QStringLiteral("lblRigo05"));
    QFont lf = line->font();
    lf.setPointSize(11);
    lf.setBold(true);
    line->setFont(lf);
    line->setStyleSheet(QStringLiteral("color: #1f3f66;"));
    line->setGeometry(120, 24, 330, 24);

    m_password = maskedField(QStringLiteral("txtPassword"), this);
    m_password->setGeometry(120, 58, 326, 32);
    line->setBuddy(m_password);
    m_password->setAccessibleName(QStringLiteral("Password"));
    m_password->setAccessibleDescription(line->text());

    m_ok = dialogButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("ok"), this);
    m_ok->setGeometry(236, 140, 100, 34);
    m_ok->setEnabled(false);
    auto *exit = dialogButton(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), QStringLiteral("esci"), this);
    exit->setGeometry(346, 140, 100, 34);
    auto *change = dialogButton(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"),
                                QStringLiteral("chiave"), this);
    change->setGeometry(24, 140, 170, 34);
    separator(this, 118);

    m_memory = memoryLabel(this);

    (new kit::InputConventions(this, nullptr, QString()))->addFocusFrame(m_password);

    watchChanges(m_password, this, [this] { updateOk(); });
    connect(m_password, &QLineEdit::returnPressed, this, [this] {
        if (!passwordForm(m_password->text()).isEmpty())
            confirm();
    });
    connect(m_ok, &QPushButton::clicked, this, &TfrmPassword::confirm);
    connect(exit, &QPushButton::clicked, this, [this] {
        closeWith();
        endProgram();
    });
    connect(change, &QPushButton::clicked, this, &TfrmPassword::openChange);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, exit);
    setTabOrder(exit, change);
}

void TfrmPassword::setChangeWindow(TfrmCambiaPassword *w)
{
    m_change = w;
    connect(w, &QDialog::finished, this, &TfrmPassword::showEmpty);
}

void TfrmPassword::showEvent(QShowEvent *event)
{
    DialogWindow::showEvent(event);
    m_password->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, m_password, [f = m_password] { f->setFocus(Qt::OtherFocusReason); });
}

void TfrmPassword::updateOk()
{
    m_ok->setEnabled(!passwordForm(m_password->text()).isEmpty());
}

void TfrmPassword::confirm()
{
    QString stored;
    if (!readStoredPassword(stored)) {
        platform::dialogs().plain(readFailedText(), this);
        return;
    }
    m_memory->setText(stored);
    const QString typed = passwordForm(m_password->text());
    if (!typed.isEmpty() && typed == stored) {
        if (m_menu)
            kit::showThenHide(m_menu, this);
        return;
    }
    platform::dialogs().plain(QStringLiteral("Attenzione: password errata."), this);
    m_password->clear();
    m_password->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::openChange()
{
    if (!m_change)
        return;
    m_change->centre();
    m_change->show();
    m_change->raise();
    m_change->activateWindow();
    hide();
}

void TfrmPassword::showEmpty()
{
    m_password->clear();
    m_memory->clear();
    centre();
    show();
    raise();
    activateWindow();
    m_password->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------

TfrmCambiaPassword::TfrmCambiaPassword(QWidget *parent)
    : DialogWindow(QStringLiteral("TfrmCambiaPassword"), QStringLiteral(" Cambia password"),
                   QSize(500, 268), parent)
{
    dressPasswordDialog(this, 64, 28);

    m_old = maskedField(QStringLiteral("txtPasswordOld"), this);
    m_new = maskedField(QStringLiteral("txtPasswordNew"), this);
    m_confirm = maskedField(QStringLiteral("txtConferma"), this);
    const QList<QPair<QLineEdit *, QString>> rows{{m_old, QStringLiteral("Vecchia password:")},
                                                  {m_new, QStringLiteral("Nuova password:")},
                                                  {m_confirm, QStringLiteral("Conferma nuova password:")}};
    int y = 30;
    for (const auto &[field, caption] : rows) {
        QLabel *label = kit::captionFor(field, caption, this);
        label->setGeometry(110, y, 180, 30);
        field->setGeometry(290, y, 180, 30);
        y += 48;
    }

    m_ok = dialogButton(QStringLiteral("cmdOK"), QStringLiteral("OK"), QStringLiteral("ok"), this);
    m_ok->setGeometry(260, 214, 100, 34);
    m_ok->setEnabled(false);
    auto *close = dialogButton(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), QStringLiteral("esci"), this);
    close->setGeometry(370, 214, 100, 34);
    separator(this, 192);

    m_memory = memoryLabel(this);

    auto *conventions = new kit::InputConventions(this, nullptr, QString());
    for (QLineEdit *f : {m_old, m_new, m_confirm}) {
        conventions->addFocusFrame(f);
        watchChanges(f, this, [this] { updateOk(); });
    }
    conventions->setEnterChain({m_old, m_new, m_confirm}, true);

    connect(m_ok, &QPushButton::clicked, this, &TfrmCambiaPassword::confirm);
    connect(close, &QPushButton::clicked, this, [this] { closeWith(); });
    setTabOrder(m_old, m_new);
    setTabOrder(m_new, m_confirm);
    setTabOrder(m_confirm, m_ok);
    setTabOrder(m_ok, close);
}

void TfrmCambiaPassword::showEvent(QShowEvent *event)
{
    DialogWindow::showEvent(event);
    for (QLineEdit *f : {m_old, m_new, m_confirm})
        f->clear();
    m_memory->clear();
    m_old->setFocus(Qt::OtherFocusReason);
    QTimer::singleShot(0, m_old, [f = m_old] { f->setFocus(Qt::OtherFocusReason); });
}

void TfrmCambiaPassword::updateOk()
{
    m_ok->setEnabled(!passwordForm(m_old->text()).isEmpty() && !passwordForm(m_new->text()).isEmpty()
                     && !passwordForm(m_confirm->text()).isEmpty());
}

void TfrmCambiaPassword::refuse(const QString &message, QLineEdit *first, QLineEdit *second)
{
    platform::dialogs().plain(message, this);
    first->clear();
    if (second)
        second->clear();
    first->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::confirm()
{
    QString stored;
    if (!readStoredPassword(stored)) {
        platform::dialogs().plain(changeFailedText(), this);
        return;
    }
    m_memory->setText(stored);
    const QString old = passwordForm(m_old->text());
    if (old.isEmpty() || old != stored) {
        refuse(QStringLiteral("Attenzione: vecchia password errata."), m_old);
        return;
    }
    // Compared as typed: a confirmation that differs only in letter case is
    // not a confirmation.
    const QString typedNew = passwordForm(m_new->text());
    if (blankTrimmed(m_new->text()) != blankTrimmed(m_confirm->text())) {
        refuse(QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. E' "
                              "necessario reinserire entrambi i valori."),
               m_new, m_confirm);
        return;
    }
    if (const QString problem = newPasswordProblem(typedNew); !problem.isEmpty()) {
        refuse(problem, m_new, m_confirm);
        return;
    }
    if (!writeStoredPassword(ScramblePassword(typedNew))) {
        platform::dialogs().plain(changeFailedText(), this);
        return;
    }
    platform::dialogs().plain(QStringLiteral("Modifica della password completata con successo."), this);
    closeWith(QDialog::Accepted);
}

} // namespace pratelia::app
