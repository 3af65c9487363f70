#include "attachments.h"

#include "binding.h"
#include "conventions.h"
#include "windows.h"

#include "platform/platform.h"
#include "platform/texts.h"
#include "store/codepage.h"
#include "store/fileio.h"
#include "store/record.h"
#include "store/values.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::kit {

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
    // The source was picked in the file chooser: it may be a link anywhere.
    auto in = FileSystem::current().open(from, OpenMode::ReadChosen);
    if (!in)
        return false;
    QByteArray block(1 << 20, Qt::Uninitialized);
    const bool ok = replaceFile(to, [&](FileHandle &out) {
        for (qint64 offset = 0;;) {
            qint64 got = 0;
            if (!in->readAt(offset, block.data(), block.size(), got))
                return false;
            if (got <= 0)
                return true;
            if (!out.write(block.constData(), got))
                return false;
            offset += got;
        }
    });
    in->close(); // read whole by then: a failing close does no harm
    return ok;
}

namespace {

// Whether the chosen file is the attached document itself; a link planted
// under the document's name is not (it is replaced by the copy).
bool sameFile(const QString &chosen, const QString &target)
{
    if (QFileInfo(target).isSymLink())
        return false;
    const QString ca = QFileInfo(chosen).canonicalFilePath();
    return !ca.isEmpty() && ca == QFileInfo(target).canonicalFilePath();
}

} // namespace

QString storedAttachmentName(const QString &fileName)
{
    // Stored trimmed and composed, as the archive keeps it: the copy takes
    // this name, so that the card names the file that is in the folder.
    return trimText(fileName).normalized(QString::NormalizationForm_C);
}

QString attachmentNameProblem(const QString &name)
{
    const QString twoBreaks = lineBreak() + lineBreak();
    bool control = false;
    for (QChar c : name)
        control = control || c.unicode() < 0x20 || c.unicode() == 0x7F;
    if (name.isEmpty() || control || !codepage::representable(name)
        || attachmentPath(name).isEmpty())
        return QStringLiteral("Attenzione: il nome del file \"") + name
               + QStringLiteral("\" contiene caratteri che l'archivio non può conservare.")
               + twoBreaks
               + QStringLiteral("Rinominare il file usando lettere, cifre e segni comuni, quindi "
                                "allegarlo di nuovo.");
    if (name.size() > kAttachmentNameCapacity)
        return QStringLiteral("Attenzione: il nome del file è troppo lungo per essere conservato in "
                              "archivio (al massimo %1 caratteri).")
                   .arg(kAttachmentNameCapacity)
               + twoBreaks
               + QStringLiteral("Rinominare il file con un nome più breve, quindi allegarlo di nuovo.");
    return QString();
}

QString attachmentCopyFailedText()
{
    return QStringLiteral("Attenzione: non è stato possibile copiare il file nella cartella dei "
                          "documenti allegati.")
           + lineBreak() + lineBreak()
           + QStringLiteral("Accertarsi che il file sia leggibile e di possedere i privilegi di "
                            "scrittura nella cartella di installazione del programma.");
}

namespace {

// The attachments folder, made if missing; false when it cannot be made or
// is not a folder of its own (a link planted under its name is never
// followed).
bool attachmentsFolderReady()
{
    const QString folder = attachmentsFolder();
    const QFileInfo info(folder);
    if (info.isSymLink())
        return false;
    if (!info.exists() && !QDir().mkpath(folder))
        return false;
    const QFileInfo made(folder);
    return made.isDir() && !made.isSymLink();
}

} // namespace

std::optional<QString> chooseAttachment(QWidget *parent, QuestionBreaks breaks)
{
    const QString chosen = platform::dialogs().chooseFile(
        parent, QStringLiteral("Selezionare il file da allegare:"), QString(),
        QStringLiteral("Tutti i file (*.*)"));
    if (chosen.isEmpty())
        return std::nullopt;
    const QString name = storedAttachmentName(QFileInfo(chosen).fileName());
    if (const QString problem = attachmentNameProblem(name); !problem.isEmpty()) {
        platform::dialogs().warning(problem, parent);
        return std::nullopt;
    }
    const QString target = attachmentPath(name);
    if (!attachmentsFolderReady()) {
        platform::dialogs().warning(attachmentCopyFailedText(), parent);
        return std::nullopt;
    }
    if (sameFile(chosen, target))
        return name; // chosen from the attachments folder itself
    const QFileInfo existing(target);
    if (existing.exists() || existing.isSymLink()) {
        const QString twoBreaks = breaks == QuestionBreaks::CarriageReturnFirst
                                      ? QStringLiteral("\r\n\r\n")
                                      : lineBreak() + lineBreak();
        // No keeps the document that is there, and the field keeps what
        // it named before: the new name would stand for another document.
        if (!platform::dialogs().question(
                QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un "
                               "file con lo stesso nome.")
                    + twoBreaks + QStringLiteral("Si vuole sovrascrivere il file esistente?"),
                parent))
            return std::nullopt;
    }
    if (!copyDocument(chosen, target)) {
        platform::dialogs().warning(attachmentCopyFailedText(), parent);
        return std::nullopt;
    }
    return name;
}

namespace {


// The attach window: three documents, each with its name, a button to
// choose it, one to open it, one to remove it, and its description.
class TfrmAllegaCartella : public DialogWindow {
public:
    TfrmAllegaCartella(QWidget *card, const QString &mode)
        : DialogWindow(QStringLiteral("TfrmAllegaCartella"), QStringLiteral(" Allega file"),
                       QSize(640, 470), card),
          m_card(card)
    {
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(14, 12, 14, 12);
        outer->setSpacing(10);
        auto *memory = new QLabel(mode, this);
        memory->setObjectName(QStringLiteral("lblMemory"));
        memory->hide();

        for (int i = 1; i <= 3; ++i)
            outer->addWidget(buildRow(i));
        outer->addStretch(1);

        auto *apply = dialogButton(this, QStringLiteral("btnApplica"),
                                 QStringLiteral("Applica e chiudi"), QSize(130, 30));
        auto *cancel = dialogButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                  QSize(130, 30));
        auto *closing = new QHBoxLayout;
        closing->addStretch(1);
        closing->addWidget(apply);
        closing->addWidget(cancel);
        outer->addLayout(closing);
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

    QString cardValue(const QString &prefix, int i) const
    {
        return trimText(controlText(m_card, prefix + suffix(i)));
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
        grid->addWidget(captionFor(file, QStringLiteral("Nome %1° file allegato:").arg(i), box),
                        0, 0, 1, 4);
        grid->addWidget(file, 1, 0);

        auto *browse = dialogButton(box, QStringLiteral("btnSfoglia") + n,
                                  QStringLiteral("Sfoglia..."), QSize(84, 0));
        auto *open = dialogButton(box, QStringLiteral("btnApri") + n, QStringLiteral("Apri"),
                                QSize(84, 0));
        open->setEnabled(false);
        auto *remove = new CommandButton(QStringLiteral("imgCancella") + n,
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
            captionFor(desc, QStringLiteral("Descrizione %1° file allegato:").arg(i), box), 2, 0,
            1, 4);
        grid->addWidget(desc, 3, 0, 1, 4);
        grid->setColumnStretch(0, 1);

        connect(file, &QLineEdit::textChanged, open,
                [open](const QString &t) { open->setEnabled(!trimText(t).isEmpty()); });
        connect(browse, &QPushButton::clicked, this, [this, file] {
            if (const auto name = chooseAttachment(this, QuestionBreaks::CarriageReturnFirst))
                file->setText(*name);
        });
        connect(open, &QPushButton::clicked, this, [file] {
            const QString path = attachmentPath(file->text());
            if (!path.isEmpty())
                platform::openPath(path);
        });
        connect(remove, &QAbstractButton::clicked, file, &QLineEdit::clear);
        return box;
    }

    void applyAndClose()
    {
        for (int i = 1; i <= 3; ++i) {
            setControlText(m_card, QStringLiteral("lblFile") + suffix(i),
                           trimText(edit(QStringLiteral("txtFile"), i)->text()));
            setControlText(m_card, QStringLiteral("lblDesc") + suffix(i),
                           trimText(edit(QStringLiteral("txtDesc"), i)->text()));
        }
        closeWith(QDialog::Accepted);
    }

    QWidget *m_card;
};

} // namespace

void showAttachWindow(QWidget *card, const QString &mode)
{
    TfrmAllegaCartella window(card, mode);
    window.centre();
    window.exec();
}

} // namespace pratelia::kit
