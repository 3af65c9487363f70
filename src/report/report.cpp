#include "report.h"

#include "platform/platform.h"
#include "platform/texts.h"
#include "store/values.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPageSize>

#include <cmath>

namespace pratelia::report {

UnknownField::UnknownField(const QString &report, const QString &field)
    : std::logic_error(QStringLiteral("\"%1\" has no field named \"%2\"")
                           .arg(report, field)
                           .toStdString())
{
}

Report::Report(Template t) : m_template(std::move(t)) {}

Item *Report::find(const QString &field)
{
    for (Band &band : m_template.bands)
        for (Item &item : band.items)
            if (item.kind == ItemKind::Text && item.name == field)
                return &item;
    return nullptr;
}

const Item *Report::find(const QString &field) const
{
    return const_cast<Report *>(this)->find(field);
}

bool Report::hasField(const QString &field) const { return find(field) != nullptr; }

void Report::setText(const QString &field, const QString &text)
{
    Item *item = find(field);
    if (!item)
        throw UnknownField(m_template.name, field);
    item->text = text;
}

QString Report::text(const QString &field) const
{
    const Item *item = find(field);
    if (!item)
        throw UnknownField(m_template.name, field);
    return item->text;
}

QSizeF Report::printableSize() const
{
    const QPageLayout layout(QPageSize(QPageSize::A4), m_template.orientation,
                             m_template.marginsMm, QPageLayout::Millimeter);
    return layout.paintRect(QPageLayout::Millimeter).size() * kUnitsPerMm;
}

namespace {

// The item's rectangle on a page whose printable area is `width` wide,
// moved down to the band's place `top`.
QRectF placeRect(const Item &item, double top, double width)
{
    QRectF r = item.rect.translated(0, top);
    if (item.toRightEdge)
        r.setRight(width - item.rect.left());
    return r;
}

QString expand(const Item &item, const QString &text, int page, int pages, const QString &date)
{
    if (!item.expands)
        return text;
    QString t = text;
    t.replace(QLatin1String("[DATE]"), date);
    t.replace(QLatin1String("[PAGES]"), QString::number(pages));
    t.replace(QLatin1String("[PAGE]"), QString::number(page));
    return t;
}

const Item *growingItem(const Band &band)
{
    for (const Item &item : band.items)
        if (item.kind == ItemKind::Text && item.grows)
            return &item;
    return nullptr;
}

} // namespace

QList<Page> Report::prepare() const
{
    const QSizeF size = printableSize();
    double headerHeight = 0, footerHeight = 0;
    for (const Band &band : m_template.bands) {
        if (band.kind == BandKind::PageHeader)
            headerHeight += band.height;
        else if (band.kind == BandKind::PageFooter)
            footerHeight += band.height;
    }
    const double bodyTop = headerHeight;
    const double bodyBottom = size.height() - footerHeight;

    QList<Page> pages(1);
    double y = bodyTop;
    auto newPage = [&] {
        pages.append(Page());
        y = bodyTop;
    };
    auto place = [&](const Item &item, double top) {
        pages.last().append({&item, placeRect(item, top, size.width()), item.text});
    };

    for (const Band &band : m_template.bands) {
        if (band.kind != BandKind::Body)
            continue;
        const Item *grow = growingItem(band);
        if (!grow) {
            if (y + band.height > bodyBottom && y > bodyTop)
                newPage();
            for (const Item &item : band.items)
                place(item, y);
            y += band.height;
            continue;
        }
        // A growing band: the items above the growing field and the field's
        // first lines go where the band starts; the lines that do not fit
        // continue at the top of the next pages; the items below the field
        // follow its last line.
        QString body = grow->text;
        body.remove(QLatin1Char('\r'));
        const QStringList lines = body.isEmpty() ? QStringList() : body.split(QLatin1Char('\n'));
        const double above = grow->rect.top();
        const double below = std::max(0.0, band.height - grow->rect.bottom());
        const double lh = grow->lineHeight;
        if (y + above + lh > bodyBottom && y > bodyTop && !lines.isEmpty())
            newPage();
        for (const Item &item : band.items)
            if (&item != grow && item.rect.top() < grow->rect.bottom())
                place(item, y);
        y += above;
        qsizetype next = 0;
        while (next < lines.size()) {
            qsizetype fit = static_cast<qsizetype>(std::floor((bodyBottom - y) / lh + 1e-9));
            if (fit < 1) {
                if (y > bodyTop) {
                    newPage();
                    continue;
                }
                fit = 1; // a page that cannot hold one line still gets one
            }
            const qsizetype n = std::min(fit, lines.size() - next);
            PlacedItem piece{grow, placeRect(*grow, y, size.width()), lines.mid(next, n).join(QLatin1Char('\n')), next};
            piece.rect.setHeight(n * lh);
            pages.last().append(piece);
            y += n * lh;
            next += n;
        }
        // The space below the field only moves to a new page when something
        // is drawn in it: a blank margin never makes an empty page.
        QList<const Item *> after;
        for (const Item &item : band.items)
            if (&item != grow && item.rect.top() >= grow->rect.bottom())
                after << &item;
        if (!after.isEmpty() && y + below > bodyBottom + 1e-9 && y > bodyTop)
            newPage();
        const double shift = y - grow->rect.bottom();
        for (const Item *item : after)
            place(*item, shift);
        y += below;
    }

    // Page headers and footers, now that the number of pages is known.
    const QString date = formatDate(platform::clock().today());
    const int count = static_cast<int>(pages.size());
    for (int i = 0; i < count; ++i) {
        double top = 0;
        double bottom = size.height() - footerHeight;
        Page frame;
        for (const Band &band : m_template.bands) {
            if (band.kind == BandKind::Body)
                continue;
            double &at = band.kind == BandKind::PageHeader ? top : bottom;
            for (const Item &item : band.items)
                frame.append({&item, placeRect(item, at, size.width()),
                              expand(item, item.text, i + 1, count, date)});
            at += band.height;
        }
        pages[i] = frame + pages[i];
    }
    return pages;
}

namespace {

QFont fontFor(const TextStyle &style, double scale)
{
    QFont font;
    font.setFamilies(style.families);
    font.setPointSizeF(style.pointSize * scale);
    font.setBold(style.bold);
    // A hair of letter spacing (a tenth of a device pixel) turns ligatures
    // off, so that the text of a printed PDF can be searched and copied
    // ("ufficio", not "u\uFB03cio").
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.1);
    if (style.fixedPitch) {
        font.setFixedPitch(true);
        font.setStyleHint(QFont::TypeWriter);
    } else {
        font.setStyleHint(QFont::SansSerif);
    }
    return font;
}

class Painter {
public:
    // `extent`: the units the pages reach. A device whose printable area is
    // smaller (a printer that keeps wider margins than asked for) gets the
    // pages shrunk to fit rather than cut.
    Painter(QPainter &p, const QPaintDevice &device, const QSizeF &extent)
        : m_p(p), m_sx(device.logicalDpiX() / kUnitsPerInch), m_sy(device.logicalDpiY() / kUnitsPerInch)
    {
        double shrink = 1;
        if (extent.width() * m_sx > device.width())
            shrink = device.width() / (extent.width() * m_sx);
        if (extent.height() * m_sy > device.height())
            shrink = std::min(shrink, device.height() / (extent.height() * m_sy));
        m_sx *= shrink;
        m_sy *= shrink;
        m_fontScale = shrink;
    }
    double fontScale() const { return m_fontScale; }

    QRectF toDevice(const QRectF &r) const
    {
        return {r.left() * m_sx, r.top() * m_sy, r.width() * m_sx, r.height() * m_sy};
    }

    void draw(const PlacedItem &placed)
    {
        const Item &item = *placed.item;
        const QRectF rect = toDevice(placed.rect);
        switch (item.kind) {
        case ItemKind::Line: {
            QPen pen(item.lineColor);
            pen.setWidthF(item.lineWidth * m_sy);
            m_p.setPen(pen);
            m_p.drawLine(rect.topLeft(), rect.topRight());
            break;
        }
        case ItemKind::Picture: {
            if (item.picture.isNull())
                break;
            QSizeF s = QSizeF(item.picture.size()).scaled(rect.size(), Qt::KeepAspectRatio);
            QRectF target(QPointF(), s);
            target.moveCenter(rect.center());
            m_p.drawImage(target, item.picture);
            break;
        }
        case ItemKind::Text:
            drawText(item, rect, placed.text, placed.firstLine);
            break;
        }
    }

private:
    void drawText(const Item &item, const QRectF &rect, const QString &text, qsizetype firstLine)
    {
        const TextStyle &style = item.style;
        if (style.background.isValid())
            m_p.fillRect(rect, style.background);
        if (text.isEmpty())
            return;
        m_p.setFont(fontFor(style, m_fontScale));
        m_p.setPen(style.color);
        const QFontMetricsF metrics(m_p.font(), m_p.device());
        const double pad = style.padding * m_sx;
        const QRectF inner = rect.adjusted(pad, 0, -pad, 0);
        m_p.save();
        m_p.setClipRect(rect);
        if (item.grows) {
            // One line after the other at the template's line spacing.
            const double lh = item.lineHeight * m_sy;
            const QStringList lines = text.split(QLatin1Char('\n'));
            for (qsizetype i = 0; i < lines.size(); ++i) {
                if (style.stripe.isValid() && (firstLine + i) % 2 == 1)
                    m_p.fillRect(QRectF(rect.left(), rect.top() + i * lh, rect.width(), lh), style.stripe);
                const QRectF line(inner.left(), inner.top() + i * lh, inner.width(), lh);
                m_p.drawText(line, (style.alignment & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter,
                             metrics.elidedText(lines[i], Qt::ElideRight, line.width()));
            }
        } else if (style.wordWrap) {
            m_p.drawText(inner, style.alignment | Qt::TextWordWrap, text);
        } else {
            QString shown = text;
            shown.replace(QLatin1String("\r\n"), QLatin1String(" "));
            shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
            shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
            m_p.drawText(inner, style.alignment, metrics.elidedText(shown, Qt::ElideRight, inner.width()));
        }
        m_p.restore();
    }

    QPainter &m_p;
    double m_sx, m_sy;
    double m_fontScale = 1;
};

} // namespace

bool Report::render(const QList<Page> &pages, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QSizeF extent;
    for (const Page &page : pages)
        for (const PlacedItem &placed : page)
            extent = extent.expandedTo(QSizeF(placed.rect.right(), placed.rect.bottom()));
    Painter draw(painter, device, extent);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        for (const PlacedItem &placed : pages[i])
            draw.draw(placed);
    }
    return painter.end();
}

QString printFailedText()
{
    return QStringLiteral("Attenzione: non è stato possibile eseguire la stampa.") + lineBreak() + lineBreak()
        + QStringLiteral("Controllare la stampante predefinita e riprovare.");
}

bool Report::print(QWidget *parent) const
{
    const QList<Page> pages = prepare();
    const bool ok = platform::printing().print(
        m_template.name, m_template.orientation, m_template.marginsMm,
        [&pages](QPagedPaintDevice &device) { return render(pages, device); });
    if (!ok)
        platform::dialogs().warning(printFailedText(), parent);
    return ok;
}

QString printedOnText()
{
    const QDateTime now = platform::clock().now();
    return QStringLiteral("Stampa eseguita in data ") + formatDate(now.date()) + QStringLiteral(" alle ore ")
        + now.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace pratelia::report
