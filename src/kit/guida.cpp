#include "guida.h"

#include "conventions.h"
#include "links.h"
#include "store/values.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace pratelia::kit {

TfrmGuida::TfrmGuida(QWidget *opener)
    : DialogWindow(QStringLiteral("TfrmGuida"), QStringLiteral(" Guida all'utilizzo del software"),
                   QSize(670, 572), opener)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("imgGuida"));
    picture->setPixmap(commandIcon(QStringLiteral("guida")).pixmap(QSize(56, 56), devicePixelRatioF()));
    picture->setGeometry(22, 16, 56, 56);

    m_title = new QLabel(QStringLiteral("Argomento della guida."), this);
    m_title->setObjectName(QStringLiteral("lblTitolo"));
    m_title->setFont(QFont(QStringLiteral("Arial"), 16));
    m_title->setStyleSheet(QStringLiteral("color: #1f3f66;"));
    m_title->setGeometry(92, 16, 560, 56);
    m_title->setWordWrap(true);

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtGuida"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont body(QStringLiteral("Verdana"), 12);
    body.setBold(true);
    m_text->setFont(body);
    m_text->setGeometry(22, 88, 625, 350);
    m_text->setAccessibleName(QStringLiteral("Testo della guida"));
    m_text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: #fbfbf7; color: #26323f; "
                                         "border: 1px solid #b8c4d0; padding: 6px; }"));

    auto *pdf = pictureButton(QStringLiteral("imgPDF"), QStringLiteral("pdf"),
                              QStringLiteral("Guida in formato PDF"), 40, this);
    pdf->setGeometry(22, 456, 48, 48);
    m_link = new LinkButton(QStringLiteral("lnkWeb"), QStringLiteral("Visualizza guida in formato PDF"), this);
    m_link->adjustSize();
    m_link->move(76, 480 - m_link->height() / 2);
    m_link->follow(pdf);
    connect(m_link, &LinkButton::activated, this, &TfrmGuida::openManual);

    auto *close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    close->setCursor(Qt::PointingHandCursor);
    close->setGeometry(537, 516, 110, 36);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, [this] { closeWith(); });

    setStyleSheet(QStringLiteral(
        "QDialog { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6f8fb, stop:1 #e2e9f1); }"
        "QPushButton { padding: 5px 18px; border: 1px solid #8d9bab; border-radius: 4px;"
        "  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dde4ec); }"
        "QPushButton:focus { border: 2px solid #2f7cd6; }"));

    setTabOrder(m_text, m_link);
    setTabOrder(m_link, pdf);
    setTabOrder(pdf, close);
}

void TfrmGuida::setPage(HelpPage page)
{
    m_title->setText(helpTitle(page));
    // The page's paragraphs are separated by CR LF pairs; the text box wants
    // plain line feeds.
    QString text = helpBody(page);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_text->setPlainText(text);
    m_text->moveCursor(QTextCursor::Start);
}

QString TfrmGuida::manualPath()
{
    return ArchivePath(QStringLiteral("Guida.pdf"));
}

void TfrmGuida::openManual()
{
    // A missing manual is the shell's to report.
    OpenWithShell(QUrl::fromLocalFile(manualPath()));
}

void showHelp(QWidget *opener, HelpPage page)
{
    TfrmGuida help(opener);
    help.setPage(page);
    help.centre();
    help.exec();
}

} // namespace pratelia::kit
