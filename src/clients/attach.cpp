#include "attach.h"

#include "app/kit/conventions.h"
#include "app/kit/windows.h"
#include "platform/platform.h"
#include "store/fileio.h"
#include "store/record.h"
#include "store/values.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::clients {

QString attachmentsFolder()
{
    return ArchivePath(QStringLiteral("Documenti_Allegati"));
}

QString attachmentPath(const QString &storedName)
{
    const QString name = trimText(storedName);
    // A stored name is a bare file name. Anything that could name another
    // folder (separators, a drive, the folder itself or its parent) is not
    // one, whoever wrote it into the archive.
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")
        || name.contains(u'/') || name.contains(u'\\') || name.contains(u':'))
        return QString();
    return attachmentsFolder() + u'/' + name;
}

bool copyDocument(const QString &from, const QString &to)
{
    FileSystem &fs = FileSystem::current();
    auto in = fs.open(from, OpenMode::ReadOnly);
    if (!in)
        return false;
    const QFileInfo target(to);
    const QString temp = target.absolutePath() + QStringLiteral("/.~") + target.fileName()
                         + QStringLiteral(".tmp");
    auto out = fs.open(temp, OpenMode::WriteTruncate);
    if (!out) {
        in->close();
        return false;
    }
    QByteArray block(1 << 20, Qt::Uninitialized);
    qint64 offset = 0;
    bool ok = true;
    for (;;) {
        qint64 got = 0;
        if (!in->readAt(offset, block.data(), block.size(), got)) {
            ok = false;
            break;
        }
        if (got <= 0)
            break;
        if (!out->write(block.constData(), got)) {
            ok = false;
            break;
        }
        offset += got;
    }
    ok = out->flush() && ok;
    ok = out->close() && ok;
    in->close();
    if (ok)
        ok = fs.rename(temp, to);
    if (!ok)
        fs.remove(temp);
    return ok;
}

namespace {

bool sameFile(const QString &a, const QString &b)
{
    const QString ca = QFileInfo(a).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(b).canonicalFilePath();
}

QLabel *hiddenLabel(QWidget *parent, const QString &name, const QString &text = QString())
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(name);
    l->hide();
    return l;
}

// A push button of these windows: hand cursor, no default button (Enter in
// a field must not press it).
QPushButton *pushButton(QWidget *parent, const QString &name, const QString &text, QSize minimum)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setCursor(Qt::PointingHandCursor);
    b->setAutoDefault(false);
    b->setMinimumSize(minimum);
    return b;
}

// The row of a window's two closing commands, at the bottom right.
QHBoxLayout *closingRow(QPushButton *first, QPushButton *second)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    row->addWidget(second);
    return row;
}

// The attach window: three documents, each with its name, a button to
// choose it, one to open it, one to remove it, and its description.
class TfrmAllegaCartella : public kit::DialogWindow {
public:
    TfrmAllegaCartella(QWidget *card, const QString &mode)
        : kit::DialogWindow(QStringLiteral("TfrmAllegaCartella"), QStringLiteral(" Allega file"),
                            QSize(640, 470), card),
          m_card(card)
    {
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(14, 12, 14, 12);
        outer->setSpacing(10);
        hiddenLabel(this, QStringLiteral("lblMemory"), mode);

        for (int i = 1; i <= 3; ++i)
            outer->addWidget(buildRow(i));
        outer->addStretch(1);

        auto *apply = pushButton(this, QStringLiteral("btnApplica"),
                                 QStringLiteral("Applica e chiudi"), QSize(130, 30));
        auto *cancel = pushButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                  QSize(130, 30));
        outer->addLayout(closingRow(apply, cancel));
        connect(apply, &QPushButton::clicked, this, [this] { applyAndClose(); });
        connect(cancel, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });

        // What the card holds now.
        for (int i = 1; i <= 3; ++i) {
            edit(QStringLiteral("txtFile"), i)->setText(cardValue(QStringLiteral("lblFile"), i));
            edit(QStringLiteral("txtDesc"), i)->setText(cardValue(QStringLiteral("lblDesc"), i));
            edit(QStringLiteral("txtDesc"), i)->setCursorPosition(0);
        }
    }

private:
    static QString suffix(int i) { return QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0')); }

    QLineEdit *edit(const QString &prefix, int i) const
    {
        return findChild<QLineEdit *>(prefix + suffix(i));
    }

    QLabel *cardLabel(const QString &prefix, int i) const
    {
        return m_card ? m_card->findChild<QLabel *>(prefix + suffix(i)) : nullptr;
    }

    QString cardValue(const QString &prefix, int i) const
    {
        QLabel *l = cardLabel(prefix, i);
        return l ? trimText(l->text()) : QString();
    }

    QWidget *buildRow(int i)
    {
        const QString n = suffix(i);
        auto *box = new QGroupBox(QStringLiteral("Documento %1").arg(i), this);
        auto *grid = new QGridLayout(box);
        grid->setContentsMargins(10, 8, 10, 8);
        grid->setHorizontalSpacing(8);
        grid->setVerticalSpacing(6);

        auto *file = new QLineEdit(box);
        file->setObjectName(QStringLiteral("txtFile") + n);
        file->setReadOnly(true);
        file->setStyleSheet(QStringLiteral("QLineEdit { background: #f2f2f2; }"));
        grid->addWidget(kit::captionFor(file, QStringLiteral("Nome %1° file allegato:").arg(i), box),
                        0, 0, 1, 4);
        grid->addWidget(file, 1, 0);

        auto *browse = pushButton(box, QStringLiteral("btnSfoglia") + n,
                                  QStringLiteral("Sfoglia..."), QSize(84, 0));
        auto *open = pushButton(box, QStringLiteral("btnApri") + n, QStringLiteral("Apri"),
                                QSize(84, 0));
        open->setEnabled(false);
        auto *remove = new kit::CommandButton(QStringLiteral("imgCancella") + n,
                                              QStringLiteral("Rimuovi"), QStringLiteral("cancella"),
                                              QStringLiteral("Rimuove il file allegato dalla scheda."),
                                              box);
        remove->setToolButtonStyle(Qt::ToolButtonIconOnly);
        remove->setIconSize(QSize(18, 18));
        remove->setFixedSize(28, 26);
        remove->setToolTip(QStringLiteral("Rimuovi il file allegato"));
        grid->addWidget(browse, 1, 1);
        grid->addWidget(open, 1, 2);
        grid->addWidget(remove, 1, 3);

        auto *desc = new QLineEdit(box);
        desc->setObjectName(QStringLiteral("txtDesc") + n);
        grid->addWidget(
            kit::captionFor(desc, QStringLiteral("Descrizione %1° file allegato:").arg(i), box), 2,
            0, 1, 4);
        grid->addWidget(desc, 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);

        connect(file, &QLineEdit::textChanged, open,
                [open](const QString &t) { open->setEnabled(!trimText(t).isEmpty()); });
        connect(browse, &QPushButton::clicked, this, [this, file] { chooseDocument(file); });
        connect(open, &QPushButton::clicked, this, [file] {
            const QString path = attachmentPath(file->text());
            if (!path.isEmpty())
                platform::openPath(path);
        });
        connect(remove, &QAbstractButton::clicked, file, &QLineEdit::clear);
        return box;
    }

    void chooseDocument(QLineEdit *field)
    {
        const QString chosen = platform::dialogs().chooseFile(
            this, QStringLiteral("Selezionare il file da allegare:"), QString(),
            QStringLiteral("Tutti i file (*.*)"));
        if (chosen.isEmpty())
            return;
        const QString name = QFileInfo(chosen).fileName();
        const QString target = attachmentPath(name);
        if (target.isEmpty())
            return;
        field->setText(name);
        if (!QDir().mkpath(attachmentsFolder()))
            return;
        if (sameFile(chosen, target))
            return; // chosen from the attachments folder itself
        if (QFileInfo::exists(target)) {
            const QString twoBreaks = QStringLiteral("\r\n\r\n");
            if (!platform::dialogs().question(
                    QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un "
                                   "file con lo stesso nome.")
                        + twoBreaks + QStringLiteral("Si vuole sovrascrivere il file esistente?"),
                    this))
                return;
        }
        copyDocument(chosen, target); // a failed copy is not reported
    }

    void applyAndClose()
    {
        for (int i = 1; i <= 3; ++i) {
            if (QLabel *l = cardLabel(QStringLiteral("lblFile"), i))
                l->setText(trimText(edit(QStringLiteral("txtFile"), i)->text()));
            if (QLabel *l = cardLabel(QStringLiteral("lblDesc"), i))
                l->setText(trimText(edit(QStringLiteral("txtDesc"), i)->text()));
        }
        closeWith(QDialog::Accepted);
    }

    QWidget *m_card;
};

// A picture of instructions: a drawn folder beside a short text.
QWidget *instructionPicture(QWidget *parent, const QString &name, const QString &text, bool disk)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setStyleSheet(QStringLiteral("QFrame#%1 { background: #fbf7e4; border: 1px solid "
                                        "#d8cc96; border-radius: 6px; }")
                             .arg(name));
    auto *row = new QHBoxLayout(frame);
    row->setContentsMargins(12, 10, 12, 10);
    row->setSpacing(14);

    QPixmap pm(56, 56);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        if (disk) {
            p.setBrush(QColor(0x4a, 0x6f, 0x96));
            p.setPen(Qt::NoPen);
            p.drawRoundedRect(QRectF(16, 4, 24, 44), 4, 4);
            p.setBrush(QColor(0xc9, 0xd3, 0xde));
            p.drawRect(QRectF(21, 48, 14, 6));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(21, 10, 14, 10));
        } else {
            p.setPen(QPen(QColor(0xb0, 0x85, 0x1c), 1.5));
            p.setBrush(QColor(0xf3, 0xc6, 0x4f));
            p.drawRoundedRect(QRectF(4, 12, 22, 10), 2, 2);
            p.setBrush(QColor(0xf7, 0xd3, 0x6b));
            p.drawRoundedRect(QRectF(4, 17, 48, 32), 3, 3);
        }
    }
    auto *picture = new QLabel(frame);
    picture->setPixmap(pm);
    picture->setFixedSize(56, 56);
    picture->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    auto *label = new QLabel(text, frame);
    label->setWordWrap(true);
    label->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
    row->addWidget(picture, 0, Qt::AlignTop);
    row->addWidget(label, 1);
    return frame;
}

// The client folder window: opens (creating it the first time) the folder
// of the client whose record number is in lblMemory.
class TfrmCartella : public kit::DialogWindow {
public:
    TfrmCartella(QWidget *card, const QString &recordNumber)
        : kit::DialogWindow(QStringLiteral("TfrmCartella"),
                            QStringLiteral(" Gestione cartella abbinata alla scheda corrente"),
                            QSize(560, 262), card)
    {
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(14, 14, 14, 12);
        outer->setSpacing(10);
        m_memory = hiddenLabel(this, QStringLiteral("lblMemory"), recordNumber);

        outer->addWidget(instructionPicture(
            this, QStringLiteral("imgIstruzioni1"),
            QStringLiteral("Alla scheda corrente è abbinata una cartella, nella quale si possono "
                           "conservare documenti e file di qualsiasi tipo riguardanti il cliente. "
                           "Per aprirla utilizzare il pulsante \"Apri cartella\" qui sotto."),
            false));
        outer->addWidget(instructionPicture(
            this, QStringLiteral("imgIstruzioni2"),
            QStringLiteral("La cartella si trova nella cartella di installazione del programma. "
                           "Copiando la cartella di installazione su un disco esterno o su una "
                           "chiavetta USB si ottiene una copia di sicurezza del programma e di "
                           "tutti i suoi archivi."),
            true));
        outer->addStretch(1);

        auto *open = pushButton(this, QStringLiteral("btnApriCartella"),
                                QStringLiteral("Apri cartella"), QSize(130, 30));
        auto *close = pushButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
                                 QSize(130, 30));
        outer->addLayout(closingRow(open, close));
        connect(open, &QPushButton::clicked, this, [this] { openFolder(); });
        connect(close, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
    }

private:
    void openFolder()
    {
        const QString number = trimText(m_memory->text());
        // Only a record number names a client's folder.
        if (!number.isEmpty() && IsAllDigits(number)) {
            const QString folder = ArchivePath(QStringLiteral("Cliente_") + number);
            QDir().mkpath(folder);
            platform::openPath(folder);
        }
        closeWith(QDialog::Accepted);
    }

    QLabel *m_memory;
};

} // namespace

void showAttachWindow(QWidget *card, const QString &mode)
{
    TfrmAllegaCartella window(card, mode);
    window.centre();
    window.exec();
}

void showClientFolder(QWidget *card, const QString &recordNumber)
{
    TfrmCartella window(card, trimText(recordNumber));
    window.centre();
    window.exec();
}

} // namespace pratelia::clients
