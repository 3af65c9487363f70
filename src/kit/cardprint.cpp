#include "cardprint.h"

#include "binding.h"
#include "conventions.h"
#include "windows.h"

#include "store/record.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace pratelia::kit {

QString printedValue(const QWidget *card, const PrintRow &row)
{
    QString value;
    for (const QString &part : row.parts) {
        if (part.startsWith(u'\'') && part.endsWith(u'\'') && part.size() >= 2)
            value += part.mid(1, part.size() - 2);
        else {
            bool found = false;
            value += trimText(controlText(card, part, &found));
            // A row naming a control the card lacks is a mistake in the
            // row, not an empty value.
            if (!found)
                throw report::UnknownField(card ? card->objectName() : QString(), part);
        }
    }
    return value;
}

namespace {

QString number(qsizetype k)
{
    return QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
}

QString valueField(const CardPrint &print, qsizetype k)
{
    if (print.numberedFields)
        return QStringLiteral("txtCampo") + number(k + 1);
    for (const QString &part : print.rows[k].parts)
        if (!part.startsWith(u'\''))
            return part;
    return QStringLiteral("txtCampo") + number(k + 1);
}

} // namespace

report::Report cardReport(const QWidget *card, const CardPrint &print)
{
    QList<report::CardRow> rows;
    for (qsizetype k = 0; k < print.rows.size(); ++k)
        rows.append({print.numberedFields ? QStringLiteral("titCampo") + number(k + 1) : QString(),
                     print.rows[k].caption, valueField(print, k)});
    report::Report r(report::cardTemplate(print.reportName, print.title, rows));
    r.setOrientation(QPageLayout::Portrait);
    for (qsizetype k = 0; k < print.rows.size(); ++k)
        r.setText(valueField(print, k), printedValue(card, print.rows[k]));
    r.setText(QStringLiteral("txtCalce"), report::printedOnText());
    return r;
}

void printCard(QWidget *card, const CardPrint &print)
{
    cardReport(card, print).print(card);
}

namespace {

class CardPrintWindow : public DialogWindow {
public:
    CardPrintWindow(QWidget *card, const QString &windowName, const QString &intro,
                    const CardPrint &print)
        : DialogWindow(windowName, QStringLiteral(" Stampa scheda"), QSize(380, 170), card),
          m_card(card), m_print(print)
    {
        auto *picture = new QLabel(this);
        picture->setObjectName(QStringLiteral("imgStampa"));
        picture->setPixmap(commandIcon(QStringLiteral("stampa")).pixmap(56, 56));
        auto *text = new QLabel(intro, this);
        text->setWordWrap(true);
        auto *stampa = new QPushButton(QStringLiteral("Stampa"), this);
        stampa->setObjectName(QStringLiteral("btnStampa"));
        auto *annulla = new QPushButton(QStringLiteral("Annulla"), this);
        annulla->setObjectName(QStringLiteral("btnAnnulla"));
        for (QPushButton *b : {stampa, annulla}) {
            b->setCursor(Qt::PointingHandCursor);
            b->setMinimumWidth(100);
            b->setAutoDefault(false);
        }
        stampa->setDefault(true);

        auto *top = new QHBoxLayout;
        top->setSpacing(16);
        top->addWidget(picture, 0, Qt::AlignTop);
        top->addWidget(text, 1);
        auto *buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(stampa);
        buttons->addWidget(annulla);
        auto *outer = new QVBoxLayout(this);
        outer->setContentsMargins(20, 18, 20, 16);
        outer->addLayout(top);
        outer->addStretch();
        outer->addLayout(buttons);

        connect(stampa, &QPushButton::clicked, this, [this] {
            printCard(m_card, m_print);
            closeWith(QDialog::Accepted);
        });
        connect(annulla, &QPushButton::clicked, this, [this] { closeWith(QDialog::Rejected); });
    }

private:
    QWidget *m_card;
    CardPrint m_print;
};

} // namespace

void showCardPrintWindow(QWidget *card, const QString &windowName, const QString &intro,
                         const CardPrint &print)
{
    CardPrintWindow w(card, windowName, intro, print);
    w.centre(card);
    w.exec();
}

} // namespace pratelia::kit
