#include "clientfolder.h"

#include "kit/conventions.h"
#include "kit/windows.h"
#include "platform/platform.h"
#include "store/record.h"
#include "store/values.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::clients {

namespace {

// The row of a window's two closing commands, at the bottom right.
QHBoxLayout *closingRow(QPushButton *first, QPushButton *second)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(first);
    row->addWidget(second);
    return row;
}

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
        m_memory = kit::hiddenLabel(QStringLiteral("lblMemory"), this, recordNumber);

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

        auto *open = kit::dialogButton(this, QStringLiteral("btnApriCartella"),
                                QStringLiteral("Apri cartella"), QSize(130, 30));
        auto *close = kit::dialogButton(this, QStringLiteral("btnChiudi"), QStringLiteral("Chiudi"),
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

void showClientFolder(QWidget *card, const QString &recordNumber)
{
    TfrmCartella window(card, trimText(recordNumber));
    window.centre();
    window.exec();
}

} // namespace pratelia::clients
