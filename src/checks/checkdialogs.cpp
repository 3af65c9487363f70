#include "checkdialogs.h"

#include "kit/conventions.h"
#include "platform/platform.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace pratelia::checks {

namespace {

constexpr QSize kDialogSize(580, 146);

// Replaces what the user typed by its trimmed upper-case form, keeping the
// cursor on the character it was on.
void trimAndUpperCaseWhileTyping(QLineEdit *field)
{
    QObject::connect(field, &QLineEdit::textEdited, field, [field](const QString &typed) {
        const QString clean = upperLatin(typed).trimmed();
        if (clean == typed)
            return;
        qsizetype leading = 0;
        while (leading < typed.size() && typed[leading].isSpace())
            ++leading;
        const qsizetype pos = qBound<qsizetype>(0, field->cursorPosition() - leading, clean.size());
        field->setText(clean);
        field->setCursorPosition(int(pos));
    });
}

} // namespace

CheckDialog::CheckDialog(const Setup &setup, const QString &text, QWidget *opener)
    : kit::DialogWindow(QLatin1String(setup.windowName), QString::fromUtf8(setup.caption),
                        kDialogSize, opener),
      m_checkFn(setup.check),
      m_title(new QLabel(QString::fromUtf8(setup.title), this)),
      m_field(new QLineEdit(this)),
      m_check(new QPushButton(QStringLiteral("Controlla"), this)),
      m_close(new QPushButton(QStringLiteral("Chiudi"), this))
{
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    m_title->setWordWrap(true);
    m_title->setBuddy(m_field);

    m_field->setObjectName(QLatin1String(setup.fieldName));
    // A text handed over by a card may be longer than the field allows (a
    // card's tax code field holds 16 digits where a VAT number has 11). It
    // is shown and checked whole, so that the check answers for what the
    // card holds and not for a cut of it; the limit comes back once the
    // user has shortened the text to fit.
    const int limit = setup.maxLength;
    m_field->setMaxLength(std::max<int>(limit, int(text.size())));
    if (text.size() > limit) {
        connect(m_field, &QLineEdit::textChanged, this, [this, limit](const QString &now) {
            if (now.size() <= limit && m_field->maxLength() != limit)
                m_field->setMaxLength(limit);
        });
    }
    m_field->setAccessibleName(m_title->text());
    QFont big = m_field->font();
    if (big.pointSizeF() > 0)
        big.setPointSizeF(big.pointSizeF() * 1.35);
    big.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    m_field->setFont(big);
    m_field->setMinimumHeight(34);
    m_field->setTextMargins(4, 0, 4, 0);
    m_field->setText(text);
    if (setup.digitsOnly)
        kit::InputConventions::installDigitsFilter(m_field);
    if (setup.trimUpperCase)
        trimAndUpperCaseWhileTyping(m_field);
    // Enter in the field leads to "Controlla"; Enter there presses it.
    m_field->installEventFilter(this);

    m_check->setObjectName(QStringLiteral("btnControlla"));
    m_close->setObjectName(QStringLiteral("btnChiudi"));
    for (QPushButton *b : {m_check, m_close}) {
        b->setAutoDefault(true);
        b->setMinimumWidth(110);
        b->setCursor(Qt::PointingHandCursor);
    }
    connect(m_check, &QPushButton::clicked, this, &CheckDialog::runCheck);
    connect(m_close, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgControllo"));
    picture->setPixmap(kit::commandIcon(QStringLiteral("controlla")).pixmap(QSize(44, 44)));
    picture->setAlignment(Qt::AlignTop | Qt::AlignHCenter);
    picture->setFixedWidth(56);

    auto *entry = new QVBoxLayout;
    entry->setSpacing(10);
    entry->addWidget(m_title);
    entry->addWidget(m_field);

    auto *top = new QHBoxLayout;
    top->setSpacing(14);
    top->addWidget(picture);
    top->addLayout(entry, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_check);
    buttons->addWidget(m_close);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 22, 16);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addLayout(buttons);

    setTabOrder(m_field, m_check);
    setTabOrder(m_check, m_close);
    m_field->setFocus(Qt::OtherFocusReason);
}

void CheckDialog::runCheck()
{
    const Verdict verdict = m_checkFn(m_field->text());
    platform::dialogs().message(verdict.kind, verdict.text, this);
    if (verdict.keepsDialogOpen()) {
        m_field->setFocus(Qt::OtherFocusReason);
        return;
    }
    closeWith(verdict.outcome == Outcome::Valid ? QDialog::Accepted : QDialog::Rejected);
}

bool CheckDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_field && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            m_check->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return kit::DialogWindow::eventFilter(watched, event);
}

TfrmCodFisc::TfrmCodFisc(const QString &text, QWidget *opener)
    : CheckDialog({"TfrmCodFisc", " Controllo codice fiscale",
                   "Immettere il codice fiscale e premere il pulsante di controllo.", "txtCodFisc",
                   16, false, true, &checkTaxCode},
                  text, opener)
{
}

TfrmPartitaIva::TfrmPartitaIva(const QString &text, QWidget *opener)
    : CheckDialog({"TfrmPartitaIva", " Controllo partita IVA",
                   "Immettere il numero di partita IVA e premere il pulsante di controllo.",
                   "txtPartitaIva", 11, true, false, &checkVatNumber},
                  text, opener)
{
}

TfrmIban::TfrmIban(const QString &text, QWidget *opener)
    : CheckDialog({"TfrmIban", " Controllo IBAN",
                   "Immettere l'IBAN e premere il pulsante di controllo.", "txtIban", 27, false,
                   true, &checkIban},
                  text, opener)
{
}

TfrmCarta::TfrmCarta(const QString &text, QWidget *opener)
    : CheckDialog({"TfrmCarta", " Controllo carta di credito",
                   "Immettere il numero di carta di credito e premere il pulsante di controllo.",
                   "txtNumero", 30, true, true, &checkCard},
                  text, opener)
{
}

} // namespace pratelia::checks
