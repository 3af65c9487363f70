// The templates of the program's prints: the list print of the search and
// summary windows and the one-page card print.
#include "report.h"

#include <QPainter>
#include <QPainterPath>

namespace pratelia::report {

namespace {

const QColor kSlateGrey(0x70, 0x80, 0x90);
const QColor kDarkOrange(0xC4, 0x5C, 0x10);
const QColor kTeal(0x00, 0x80, 0x80);
const QColor kRule(0xB0, 0xB0, 0xB0);

Item text(const QString &name, const QRectF &rect, const TextStyle &style, const QString &content = {})
{
    Item item;
    item.kind = ItemKind::Text;
    item.name = name;
    item.rect = rect;
    item.style = style;
    item.text = content;
    return item;
}

Item line(const QString &name, const QPointF &from, double length, const QColor &color, double width)
{
    Item item;
    item.kind = ItemKind::Line;
    item.name = name;
    item.rect = QRectF(from, QSizeF(length, 0));
    item.lineColor = color;
    item.lineWidth = width;
    return item;
}

TextStyle style(double points, const QColor &color, const QColor &background = {},
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter, bool bold = false)
{
    TextStyle s;
    s.pointSize = points;
    s.color = color;
    s.background = background;
    s.alignment = alignment;
    s.bold = bold;
    return s;
}

// The office's mark in the corner of a printed card: a teal tile with a
// white P and an orange underline.
QImage logoPicture()
{
    QImage image(390, 298, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(4, 4, 382, 290), 36, 36);
    p.fillPath(tile, kTeal);
    p.fillRect(QRectF(70, 236, 250, 18), kDarkOrange);
    QFont font;
    font.setFamilies({QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setPixelSize(200);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 4, 382, 236), Qt::AlignCenter, QStringLiteral("P"));
    p.end();
    return image;
}

} // namespace

Template listTemplate()
{
    Template t;
    t.name = QStringLiteral("Riepilogo");
    t.orientation = QPageLayout::Landscape;

    Band title{QStringLiteral("Titolo"), BandKind::PageHeader, 44, {}};
    Item heading = text(QStringLiteral("txtTitolo"), QRectF(0, 0, 0, 30),
                        style(14, Qt::white, kSlateGrey, Qt::AlignCenter, true));
    heading.toRightEdge = true;
    title.items << heading;

    Band data{QStringLiteral("Dati"), BandKind::Body, 10, {}};
    TextStyle mono = style(8, Qt::black);
    mono.families = QStringList{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                                QStringLiteral("DejaVu Sans Mono")};
    mono.fixedPitch = true;
    mono.stripe = QColor(0xEE, 0xF1, 0xF4);
    Item body = text(QStringLiteral("txtRiepilogo"), QRectF(0, 0, 0, 0), mono);
    body.toRightEdge = true;
    body.grows = true;
    body.lineHeight = 12.822;
    data.items << body;

    Band footer{QStringLiteral("Calce"), BandKind::PageFooter, 28, {}};
    Item rule = line(QStringLiteral("linCalce"), QPointF(0, 6), 0, kSlateGrey, 1);
    rule.toRightEdge = true;
    Item printed = text(QStringLiteral("txtCalce"), QRectF(0, 10, 0, 18), style(9, Qt::black),
                        QStringLiteral("Stampa eseguita in data [DATE]"));
    printed.toRightEdge = true;
    printed.expands = true;
    Item page = text(QStringLiteral("txtPagina"), QRectF(0, 10, 0, 18),
                     style(9, Qt::black, {}, Qt::AlignRight | Qt::AlignVCenter),
                     QStringLiteral("Pagina [PAGE] di [PAGES]"));
    page.toRightEdge = true;
    page.expands = true;
    footer.items << rule << printed << page;

    t.bands << title << data << footer;
    return t;
}

bool printList(const QString &title, const QStringList &lines, QWidget *parent)
{
    Template t = listTemplate();
    t.name = title;
    Report r(std::move(t));
    r.setText(QStringLiteral("txtTitolo"), title);
    r.setText(QStringLiteral("txtRiepilogo"), lines.join(QLatin1Char('\n')));
    return r.print(parent);
}

Template cardTemplate(const QString &reportName, const QString &title, const QList<CardRow> &rows)
{
    Template t;
    t.name = reportName;
    t.orientation = QPageLayout::Portrait;

    Band header{QStringLiteral("Intestazione"), BandKind::PageHeader, 79.4, {}};
    Item logo;
    logo.kind = ItemKind::Picture;
    logo.name = QStringLiteral("imgLogo");
    logo.rect = QRectF(11.3, 11.3, 64.3, 49.1);
    logo.picture = logoPicture();
    header.items << logo
                 << text(QStringLiteral("txtTitolo"), QRectF(86.9, 11.3, 623.6, 34.0),
                         style(16, Qt::white, kDarkOrange, Qt::AlignCenter, true), title)
                 << line(QStringLiteral("linSepara01"), QPointF(86.9, 60.5), 623.6, kDarkOrange, 2);
    t.bands << header;

    for (qsizetype k = 0; k < rows.size(); ++k) {
        const CardRow &row = rows[k];
        const QString number = QStringLiteral("%1").arg(k + 1, 2, 10, QLatin1Char('0'));
        Band band{QStringLiteral("Riga") + number, BandKind::Body, 37.8, {}};
        const QString captionName = row.captionField.isEmpty()
            ? QStringLiteral("tit") + row.valueField.mid(3)
            : row.captionField;
        band.items << text(captionName, QRectF(11.3, 11.3, 196.5, 22.7), style(9, Qt::white, kTeal), row.caption)
                   << text(row.valueField, QRectF(226.8, 11.3, 483.8, 22.7), style(10, Qt::black))
                   << line(QStringLiteral("linRiga") + number, QPointF(226.8, 34.0), 483.8, kRule, 0.5);
        t.bands << band;
    }

    Band footer{QStringLiteral("Calce"), BandKind::PageFooter, 45.3, {}};
    footer.items << line(QStringLiteral("linSepara02"), QPointF(11.3, 0), 699.2, kDarkOrange, 2)
                 << text(QStringLiteral("txtCalce"), QRectF(11.3, 15.1, 699.2, 22.7),
                         style(10, Qt::white, kDarkOrange, Qt::AlignCenter));
    t.bands << footer;
    return t;
}

} // namespace pratelia::report
