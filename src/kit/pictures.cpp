// The program's pictures: every command and menu picture is drawn here as
// vector art on a 64 x 64 grid, so it stays sharp at any size. One outline
// colour, one palette, flat fills with a soft highlight.
#include "conventions.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace pratelia::kit {

namespace {

const QColor kInk(0x23, 0x34, 0x48);
const QColor kBlue(0x2f, 0x7c, 0xd6);
const QColor kLightBlue(0x9c, 0xc9, 0xf5);
const QColor kGreen(0x2e, 0xa0, 0x5a);
const QColor kLightGreen(0xa6, 0xe0, 0xb6);
const QColor kOrange(0xf0, 0x9a, 0x2a);
const QColor kRed(0xd6, 0x45, 0x45);
const QColor kYellow(0xf6, 0xc8, 0x3c);
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kGrey(0x8d, 0x9a, 0xa8);
const QColor kLightGrey(0xdc, 0xe3, 0xea);
const QColor kPurple(0x7a, 0x5c, 0xc8);

void outline(QPainter &p, qreal w = 2.5)
{
    QPen pen(kInk, w);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
}

// A sheet of paper with a folded corner.
void sheet(QPainter &p, const QRectF &r, const QColor &fill = kPaper)
{
    const qreal f = r.width() * 0.3;
    QPainterPath path;
    path.moveTo(r.topLeft());
    path.lineTo(r.right() - f, r.top());
    path.lineTo(r.right(), r.top() + f);
    path.lineTo(r.bottomRight());
    path.lineTo(r.bottomLeft());
    path.closeSubpath();
    outline(p);
    p.setBrush(fill);
    p.drawPath(path);
    QPainterPath fold;
    fold.moveTo(r.right() - f, r.top());
    fold.lineTo(r.right() - f, r.top() + f);
    fold.lineTo(r.right(), r.top() + f);
    p.setBrush(kLightGrey);
    p.drawPath(fold);
}

void textLines(QPainter &p, qreal x, qreal y, qreal w, int n, qreal step = 7)
{
    QPen pen(kGrey, 2.5);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x, y + i * step), QPointF(x + (i == n - 1 ? w * 0.6 : w), y + i * step));
}

// A round badge in the lower right corner, with its own small picture.
void badge(QPainter &p, const QColor &fill, const std::function<void()> &glyph)
{
    outline(p);
    p.setBrush(fill);
    p.drawEllipse(QPointF(46, 46), 14, 14);
    QPen pen(Qt::white, 4);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    glyph();
}

void plusBadge(QPainter &p, const QColor &fill)
{
    badge(p, fill, [&] {
        p.drawLine(QPointF(46, 39), QPointF(46, 53));
        p.drawLine(QPointF(39, 46), QPointF(53, 46));
    });
}

void checkGlyph(QPainter &p, const QPointF &c, qreal s)
{
    QPainterPath tick;
    tick.moveTo(c + QPointF(-s * 0.55, 0));
    tick.lineTo(c + QPointF(-s * 0.15, s * 0.4));
    tick.lineTo(c + QPointF(s * 0.6, -s * 0.45));
    p.drawPath(tick);
}

void folder(QPainter &p, bool open)
{
    outline(p);
    p.setBrush(QColor(0xe0, 0xa8, 0x30));
    QPainterPath back;
    back.moveTo(6, 16);
    back.lineTo(24, 16);
    back.lineTo(29, 21);
    back.lineTo(58, 21);
    back.lineTo(58, 52);
    back.lineTo(6, 52);
    back.closeSubpath();
    p.drawPath(back);
    p.setBrush(kYellow);
    QPainterPath front;
    if (open) {
        front.moveTo(14, 29);
        front.lineTo(62, 29);
        front.lineTo(54, 52);
        front.lineTo(6, 52);
    } else {
        front.moveTo(6, 27);
        front.lineTo(58, 27);
        front.lineTo(58, 52);
        front.lineTo(6, 52);
    }
    front.closeSubpath();
    p.drawPath(front);
}

void arrowTriangle(QPainter &p, qreal tipX, qreal baseX)
{
    QPolygonF t{QPointF(baseX, 14), QPointF(tipX, 32), QPointF(baseX, 50)};
    p.drawPolygon(t);
}

void navigation(QPainter &p, int kind)
{
    outline(p);
    p.setBrush(kBlue);
    switch (kind) {
    case 0: // first
        p.drawRoundedRect(QRectF(10, 14, 7, 36), 2, 2);
        arrowTriangle(p, 20, 50);
        break;
    case 1: // back
        arrowTriangle(p, 14, 46);
        break;
    case 2: // forward
        arrowTriangle(p, 50, 18);
        break;
    default: // last
        p.drawRoundedRect(QRectF(47, 14, 7, 36), 2, 2);
        arrowTriangle(p, 44, 14);
        break;
    }
}

void envelope(QPainter &p, const QRectF &r)
{
    outline(p);
    p.setBrush(kPaper);
    p.drawRoundedRect(r, 3, 3);
    p.setBrush(kLightBlue);
    QPainterPath flap;
    flap.moveTo(r.topLeft() + QPointF(1, 1));
    flap.lineTo(r.center().x(), r.top() + r.height() * 0.58);
    flap.lineTo(r.topRight() + QPointF(-1, 1));
    p.drawPath(flap);
}

void calendar(QPainter &p, const QRectF &r)
{
    outline(p);
    p.setBrush(kPaper);
    p.drawRoundedRect(r, 4, 4);
    p.setBrush(kRed);
    p.drawRoundedRect(QRectF(r.left(), r.top(), r.width(), r.height() * 0.26), 4, 4);
    p.setBrush(kInk);
    for (qreal x : {r.left() + r.width() * 0.28, r.right() - r.width() * 0.28})
        p.drawRoundedRect(QRectF(x - 2, r.top() - 5, 4, 10), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    const qreal cw = r.width() / 5, ch = (r.height() * 0.7) / 3.6;
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 4; ++col)
            p.drawRect(QRectF(r.left() + cw * (col + 0.6), r.top() + r.height() * 0.34 + row * ch,
                              cw * 0.55, ch * 0.55));
}

void clock(QPainter &p, const QPointF &c, qreal radius)
{
    outline(p);
    p.setBrush(kPaper);
    p.drawEllipse(c, radius, radius);
    QPen hand(kInk, 3);
    hand.setCapStyle(Qt::RoundCap);
    p.setPen(hand);
    p.drawLine(c, c + QPointF(0, -radius * 0.65));
    p.drawLine(c, c + QPointF(radius * 0.5, radius * 0.2));
}

void magnifier(QPainter &p, const QPointF &c, qreal r)
{
    QPen handle(kInk, 7);
    handle.setCapStyle(Qt::RoundCap);
    p.setPen(handle);
    p.drawLine(c + QPointF(r * 0.7, r * 0.7), c + QPointF(r * 1.7, r * 1.7));
    outline(p, 3.5);
    QRadialGradient glass(c - QPointF(r / 3, r / 3), r * 1.4);
    glass.setColorAt(0, Qt::white);
    glass.setColorAt(1, kLightBlue);
    p.setBrush(glass);
    p.drawEllipse(c, r, r);
}

void person(QPainter &p, const QPointF &head, qreal s, const QColor &body)
{
    outline(p);
    p.setBrush(body);
    QPainterPath shoulders;
    shoulders.moveTo(head + QPointF(-s * 1.6, s * 3.1));
    shoulders.cubicTo(head + QPointF(-s * 1.6, s * 1.2), head + QPointF(s * 1.6, s * 1.2),
                      head + QPointF(s * 1.6, s * 3.1));
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    p.setBrush(QColor(0xf3, 0xc9, 0xa2));
    p.drawEllipse(head, s * 0.95, s * 0.95);
}

// A price tag pointing down-left, with its hole.
void priceTag(QPainter &p, const QColor &fill)
{
    outline(p);
    p.setBrush(fill);
    QPainterPath tag;
    tag.moveTo(30, 6);
    tag.lineTo(56, 6);
    tag.lineTo(56, 32);
    tag.lineTo(30, 58);
    tag.lineTo(4, 32);
    tag.closeSubpath();
    p.drawPath(tag);
    p.setBrush(kPaper);
    p.drawEllipse(QPointF(46, 16), 4, 4);
}

// Bold white lettering inside a picture.
void lettering(QPainter &p, const QRectF &r, const QString &text, int pixelSize)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixelSize);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, text);
}

// A round badge filling the picture, lit from the top left.
void disc(QPainter &p, const QColor &light, const QColor &dark)
{
    outline(p, 3);
    QRadialGradient g(QPointF(24, 20), 40);
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.setBrush(g);
    p.drawEllipse(QPointF(32, 32), 26, 26);
}

// Pictures drawn together under two names.
void sheetWithArrow(QPainter &p, bool out)
{
    sheet(p, QRectF(8, 6, 34, 48));
    textLines(p, 14, 22, 16, 4);
    badge(p, out ? kOrange : kPurple, [&] {
        const qreal from = out ? 39 : 53, to = out ? 53 : 39, dir = out ? -1 : 1;
        p.drawLine(QPointF(from, 46), QPointF(to, 46));
        p.drawLine(QPointF(to + dir * 5, 41), QPointF(to, 46));
        p.drawLine(QPointF(to + dir * 5, 51), QPointF(to, 46));
    });
}

void discWithLetter(QPainter &p, bool help)
{
    disc(p, kLightBlue, kBlue);
    lettering(p, QRectF(6, 6, 52, 54),
              help ? QStringLiteral("?") : QStringLiteral("i"), 36);
}

void tick(QPainter &p, bool ok)
{
    outline(p, 3);
    p.setBrush(ok ? kGreen : kBlue);
    if (ok) {
        p.drawEllipse(QPointF(32, 32), 26, 26);
    } else {
        QPainterPath shield;
        shield.moveTo(32, 4);
        shield.lineTo(56, 12);
        shield.cubicTo(56, 38, 44, 52, 32, 60);
        shield.cubicTo(20, 52, 8, 38, 8, 12);
        shield.closeSubpath();
        p.drawPath(shield);
    }
    QPen tick(Qt::white, 7);
    tick.setCapStyle(Qt::RoundCap);
    tick.setJoinStyle(Qt::RoundJoin);
    p.setPen(tick);
    p.setBrush(Qt::NoBrush);
    checkGlyph(p, QPointF(32, 32), 28);
}

using Drawing = void (*)(QPainter &);

// Every picture of the program by name: the one place where a picture is
// found, so that a new command's picture is one more row here.
const QHash<QString, Drawing> &drawings()
{
    static const QHash<QString, Drawing> table = {
        {QStringLiteral("nuovo"),
         [](QPainter &p) {
             sheet(p, QRectF(12, 6, 34, 46));
             textLines(p, 18, 22, 18, 3);
             plusBadge(p, kGreen);
         }},
        {QStringLiteral("salva"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kBlue);
             p.drawRoundedRect(QRectF(8, 8, 48, 48), 5, 5);
             p.setBrush(kPaper);
             p.drawRect(QRectF(16, 8, 32, 18));
             p.setBrush(kInk);
             p.drawRect(QRectF(38, 11, 6, 12));
             p.setBrush(kLightGrey);
             p.drawRoundedRect(QRectF(15, 34, 34, 22), 2, 2);
         }},
        {QStringLiteral("trova"),
         [](QPainter &p) {
             sheet(p, QRectF(8, 6, 32, 42));
             textLines(p, 14, 22, 16, 3);
             magnifier(p, QPointF(36, 34), 11);
         }},
        {QStringLiteral("primo"),
         [](QPainter &p) {
             navigation(p, 0);
         }},
        {QStringLiteral("indietro"),
         [](QPainter &p) {
             navigation(p, 1);
         }},
        {QStringLiteral("avanti"),
         [](QPainter &p) {
             navigation(p, 2);
         }},
        {QStringLiteral("ultimo"),
         [](QPainter &p) {
             navigation(p, 3);
         }},
        {QStringLiteral("stampa"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kPaper);
             p.drawRect(QRectF(18, 6, 28, 20));
             p.setBrush(kGrey);
             p.drawRoundedRect(QRectF(6, 22, 52, 24), 5, 5);
             p.setBrush(kGreen);
             p.drawEllipse(QPointF(49, 30), 2.5, 2.5);
             p.setBrush(kPaper);
             p.drawRect(QRectF(16, 38, 32, 20));
             textLines(p, 21, 45, 22, 2, 6);
         }},
        {QStringLiteral("esporta"), [](QPainter &p) { sheetWithArrow(p, true); }},
        {QStringLiteral("importa"), [](QPainter &p) { sheetWithArrow(p, false); }},
        {QStringLiteral("guida"), [](QPainter &p) { discWithLetter(p, true); }},
        {QStringLiteral("info"), [](QPainter &p) { discWithLetter(p, false); }},
        {QStringLiteral("esci"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(QColor(0x9b, 0x6a, 0x43));
             p.drawRect(QRectF(10, 6, 30, 52));
             p.setBrush(QColor(0x6e, 0x47, 0x2b));
             QPolygonF door{QPointF(10, 6), QPointF(30, 12), QPointF(30, 58), QPointF(10, 58)};
             p.drawPolygon(door);
             p.setBrush(kYellow);
             p.drawEllipse(QPointF(26, 34), 2, 2);
             badge(p, kRed, [&] {
                 p.drawLine(QPointF(39, 46), QPointF(53, 46));
                 p.drawLine(QPointF(48, 41), QPointF(53, 46));
                 p.drawLine(QPointF(48, 51), QPointF(53, 46));
             });
         }},
        {QStringLiteral("cartella"),
         [](QPainter &p) {
             folder(p, false);
         }},
        {QStringLiteral("apri"),
         [](QPainter &p) {
             folder(p, true);
         }},
        {QStringLiteral("file"),
         [](QPainter &p) {
             sheet(p, QRectF(12, 8, 36, 50));
             textLines(p, 18, 28, 18, 3);
             // A paper clip over the top edge.
             QPen clip(kInk, 3.2);
             clip.setCapStyle(Qt::RoundCap);
             clip.setJoinStyle(Qt::RoundJoin);
             p.setPen(clip);
             p.setBrush(Qt::NoBrush);
             QPainterPath pc;
             pc.moveTo(44, 30);
             pc.lineTo(44, 10);
             pc.arcTo(QRectF(44, 2, 12, 12), 180, -180);
             pc.lineTo(56, 34);
             pc.arcTo(QRectF(46, 28, 10, 12), 0, -180);
             pc.lineTo(46, 14);
             p.drawPath(pc);
         }},
        {QStringLiteral("email"),
         [](QPainter &p) {
             envelope(p, QRectF(6, 14, 52, 36));
         }},
        {QStringLiteral("scaduti"),
         [](QPainter &p) {
             calendar(p, QRectF(6, 10, 44, 44));
             badge(p, kOrange, [&] {
                 p.drawLine(QPointF(46, 38), QPointF(46, 47));
                 p.drawPoint(QPointF(46, 53));
             });
         }},
        {QStringLiteral("duplica"),
         [](QPainter &p) {
             sheet(p, QRectF(20, 16, 34, 44), kLightGrey);
             sheet(p, QRectF(8, 4, 34, 44));
             textLines(p, 14, 20, 16, 3);
         }},
        {QStringLiteral("controlla"), [](QPainter &p) { tick(p, false); }},
        {QStringLiteral("ok"), [](QPainter &p) { tick(p, true); }},
        // A bill with a big tick across it, still to be ticked off: the list
        // of services the clients have not paid yet.
        {QStringLiteral("nonpagati"),
         [](QPainter &p) {
             sheet(p, QRectF(6, 4, 36, 50));
             textLines(p, 12, 18, 18, 3);
             QFont euro(QStringLiteral("DejaVu Sans"));
             euro.setPixelSize(14);
             euro.setBold(true);
             p.setFont(euro);
             p.setPen(kOrange);
             p.drawText(QRectF(8, 38, 15, 15), Qt::AlignCenter, QStringLiteral("€"));
             QPainterPath mark;
             mark.moveTo(28, 40);
             mark.lineTo(37, 51);
             mark.lineTo(58, 22);
             QPen edge(kInk, 11);
             edge.setCapStyle(Qt::RoundCap);
             edge.setJoinStyle(Qt::RoundJoin);
             p.setPen(edge);
             p.setBrush(Qt::NoBrush);
             p.drawPath(mark);
             QPen green(kGreen, 6.5);
             green.setCapStyle(Qt::RoundCap);
             green.setJoinStyle(Qt::RoundJoin);
             p.setPen(green);
             p.drawPath(mark);
         }},
        {QStringLiteral("cancella"),
         [](QPainter &p) {
             outline(p, 3);
             p.setBrush(kRed);
             p.drawEllipse(QPointF(32, 32), 26, 26);
             QPen x(Qt::white, 7);
             x.setCapStyle(Qt::RoundCap);
             p.setPen(x);
             p.drawLine(QPointF(22, 22), QPointF(42, 42));
             p.drawLine(QPointF(42, 22), QPointF(22, 42));
         }},
        {QStringLiteral("excel"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kPaper);
             p.drawRoundedRect(QRectF(20, 8, 38, 48), 3, 3);
             QPen grid(kGreen, 2);
             p.setPen(grid);
             for (int i = 1; i < 4; ++i)
                 p.drawLine(QPointF(24, 8 + i * 12), QPointF(54, 8 + i * 12));
             p.drawLine(QPointF(39, 12), QPointF(39, 52));
             outline(p);
             p.setBrush(QColor(0x1d, 0x7a, 0x45));
             p.drawRoundedRect(QRectF(4, 16, 30, 32), 3, 3);
             QPen x(Qt::white, 5);
             x.setCapStyle(Qt::RoundCap);
             p.setPen(x);
             p.drawLine(QPointF(12, 24), QPointF(26, 40));
             p.drawLine(QPointF(26, 24), QPointF(12, 40));
         }},
        {QStringLiteral("pdf"),
         [](QPainter &p) {
             sheet(p, QRectF(12, 4, 40, 54));
             outline(p);
             p.setBrush(kRed);
             p.drawRoundedRect(QRectF(6, 30, 40, 18), 3, 3);
             lettering(p, QRectF(6, 30, 40, 18), QStringLiteral("PDF"), 13);
         }},
        {QStringLiteral("web"),
         [](QPainter &p) {
             disc(p, kLightGreen, kGreen);
             outline(p, 2);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(32, 32), 11, 26);
             p.drawLine(QPointF(6, 32), QPointF(58, 32));
             p.drawLine(QPointF(32, 6), QPointF(32, 58));
             p.drawLine(QPointF(11, 19), QPointF(53, 19));
             p.drawLine(QPointF(11, 45), QPointF(53, 45));
         }},
        {QStringLiteral("copyright"),
         [](QPainter &p) {
             disc(p, QColor(0xff, 0xe4, 0x8a), QColor(0xe0, 0xa0, 0x20));
             QPen c(Qt::white, 6);
             c.setCapStyle(Qt::RoundCap);
             p.setPen(c);
             p.setBrush(Qt::NoBrush);
             p.drawArc(QRectF(19, 19, 26, 26), 45 * 16, 270 * 16);
         }},
        {QStringLiteral("chiave"),
         [](QPainter &p) {
             outline(p, 3);
             p.setBrush(kYellow);
             p.drawEllipse(QPointF(20, 22), 13, 13);
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(16, 18), 4, 4);
             p.setBrush(kYellow);
             QPolygonF shaft{QPointF(27, 28), QPointF(56, 52), QPointF(52, 57), QPointF(44, 50),
                             QPointF(40, 54), QPointF(36, 50), QPointF(39, 46), QPointF(23, 32)};
             p.drawPolygon(shaft);
         }},
        {QStringLiteral("anagrafica"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kLightBlue);
             p.drawRoundedRect(QRectF(4, 12, 56, 40), 5, 5);
             p.setBrush(kPaper);
             p.drawRoundedRect(QRectF(8, 18, 20, 28), 3, 3);
             person(p, QPointF(18, 27), 4.5, kBlue);
             textLines(p, 33, 24, 21, 4, 6.5);
         }},
        {QStringLiteral("tariffario"),
         [](QPainter &p) {
             priceTag(p, kGreen);
             lettering(p, QRectF(12, 20, 34, 30), QStringLiteral("€"), 24);
         }},
        // A hand holding out a coin: the services offered at a discounted fee.
        {QStringLiteral("scontate"),
         [](QPainter &p) {
             QPen pen(kInk, 2.2);
             pen.setJoinStyle(Qt::RoundJoin);
             pen.setCapStyle(Qt::RoundCap);
             QRadialGradient gold(QPointF(28, 14), 16);
             gold.setColorAt(0, QColor(0xff, 0xe8, 0x8a));
             gold.setColorAt(1, QColor(0xd9, 0x9a, 0x12));
             p.setPen(pen);
             p.setBrush(gold);
             p.drawEllipse(QPointF(32, 18), 13, 13);
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(17);
             f.setBold(true);
             p.setFont(f);
             p.setPen(QColor(0x8a, 0x5a, 0x00));
             p.drawText(QRectF(19, 5, 26, 26), Qt::AlignCenter, QStringLiteral("€"));
             // An open hand, palm up, the fingers to the right.
             QPainterPath hand;
             hand.moveTo(4, 40);
             hand.cubicTo(12, 36, 20, 34, 28, 37);
             hand.lineTo(44, 37);
             hand.cubicTo(48, 37, 48, 42, 44, 42);
             hand.lineTo(34, 42);
             hand.lineTo(52, 40);
             hand.cubicTo(58, 39, 60, 45, 54, 46);
             hand.lineTo(38, 52);
             hand.cubicTo(28, 56, 16, 56, 4, 54);
             hand.closeSubpath();
             p.setPen(pen);
             p.setBrush(QColor(0xf3, 0xc9, 0xa2));
             p.drawPath(hand);
             // The cuff.
             p.setBrush(QColor(0x2f, 0x5d, 0x8a));
             p.drawRoundedRect(QRectF(-4, 38, 10, 18), 2, 2);
         }},
        // A bold red arrow pointing into the field beside it: data taken
        // over from another archive.
        {QStringLiteral("freccia"),
         [](QPainter &p) {
             QPainterPath arrow;
             arrow.moveTo(8, 34);
             arrow.lineTo(30, 12);
             arrow.lineTo(30, 24);
             arrow.lineTo(56, 24);
             arrow.lineTo(56, 44);
             arrow.lineTo(30, 44);
             arrow.lineTo(30, 56);
             arrow.closeSubpath();
             QLinearGradient red(0, 12, 0, 56);
             red.setColorAt(0, QColor(0xf2, 0x5a, 0x4a));
             red.setColorAt(1, QColor(0xb3, 0x1b, 0x1b));
             QPen pen(QColor(0x6e, 0x0d, 0x0d), 2.5);
             pen.setJoinStyle(Qt::RoundJoin);
             p.setPen(pen);
             p.setBrush(red);
             p.drawPath(arrow);
         }},
        {QStringLiteral("calendario"),
         [](QPainter &p) {
             calendar(p, QRectF(8, 10, 48, 46));
         }},
        {QStringLiteral("scadenze"),
         [](QPainter &p) {
             calendar(p, QRectF(4, 10, 44, 44));
             clock(p, QPointF(46, 44), 14);
         }},
        // The deadline window's signal: a calendar with a green tick when
        // nothing is near, with a red bell when deadlines are imminent.
        {QStringLiteral("assenti"),
         [](QPainter &p) {
             calendar(p, QRectF(4, 10, 46, 46));
             badge(p, kGreen, [&] { checkGlyph(p, QPointF(46, 46), 12); });
         }},
        {QStringLiteral("presenti"),
         [](QPainter &p) {
             calendar(p, QRectF(4, 10, 46, 46));
             outline(p);
             p.setBrush(kRed);
             p.drawEllipse(QPointF(46, 44), 16, 16);
             p.setPen(Qt::NoPen);
             p.setBrush(kYellow);
             QPainterPath bell;
             bell.moveTo(37, 50);
             bell.cubicTo(40, 47, 39, 35, 46, 34);
             bell.cubicTo(53, 35, 52, 47, 55, 50);
             bell.closeSubpath();
             p.drawPath(bell);
             p.drawEllipse(QPointF(46, 53), 2.6, 2.6);
             p.drawEllipse(QPointF(46, 32.5), 1.8, 1.8);
         }},
        // The deadlines of one day: a calendar leaf with its number.
        {QStringLiteral("giorno"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kPaper);
             p.drawRoundedRect(QRectF(10, 10, 44, 46), 4, 4);
             p.setBrush(kRed);
             p.drawRoundedRect(QRectF(10, 10, 44, 13), 4, 4);
             p.setBrush(kInk);
             for (qreal x : {20.0, 44.0})
                 p.drawRoundedRect(QRectF(x - 2, 5, 4, 10), 2, 2);
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(24);
             f.setBold(true);
             p.setFont(f);
             p.setPen(kInk);
             p.drawText(QRectF(10, 24, 44, 30), Qt::AlignCenter, QStringLiteral("1"));
         }},
        // The deadlines of one month: the whole calendar, one week lit.
        {QStringLiteral("mese"),
         [](QPainter &p) {
             calendar(p, QRectF(6, 10, 52, 46));
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(kBlue.red(), kBlue.green(), kBlue.blue(), 110));
             p.drawRoundedRect(QRectF(9, 33, 46, 9), 2, 2);
         }},
        // Payments: a coin with a clock (still to make) or a tick (made).
        {QStringLiteral("dapagare"),
         [](QPainter &p) {
             disc(p, QColor(0xfb, 0xe3, 0x8a), QColor(0xd9, 0xa4, 0x1c));
             lettering(p, QRectF(6, 4, 40, 44), QStringLiteral("€"), 26);
             clock(p, QPointF(46, 46), 13);
         }},
        {QStringLiteral("pagati"),
         [](QPainter &p) {
             disc(p, QColor(0xfb, 0xe3, 0x8a), QColor(0xd9, 0xa4, 0x1c));
             lettering(p, QRectF(6, 4, 40, 44), QStringLiteral("€"), 26);
             badge(p, kGreen, [&] { checkGlyph(p, QPointF(46, 46), 12); });
         }},
        // Appointments awaiting confirmation: a person with a question.
        {QStringLiteral("daconfermare"),
         [](QPainter &p) {
             person(p, QPointF(26, 22), 11, kBlue);
             badge(p, kOrange, [&] {
                 QFont f(QStringLiteral("DejaVu Sans"));
                 f.setPixelSize(20);
                 f.setBold(true);
                 p.setFont(f);
                 p.drawText(QRectF(32, 32, 28, 28), Qt::AlignCenter, QStringLiteral("?"));
             });
         }},
        {QStringLiteral("registro"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(QColor(0x3c, 0x5a, 0x99));
             p.drawRoundedRect(QRectF(10, 4, 42, 56), 4, 4);
             p.setBrush(kPaper);
             p.drawRect(QRectF(46, 8, 8, 48));
             p.setBrush(kYellow);
             p.drawRoundedRect(QRectF(18, 14, 26, 12), 2, 2);
             QPen line(kLightBlue, 2.5);
             line.setCapStyle(Qt::RoundCap);
             p.setPen(line);
             p.drawLine(QPointF(18, 36), QPointF(40, 36));
             p.drawLine(QPointF(18, 43), QPointF(34, 43));
         }},
        {QStringLiteral("riepilogo"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kPaper);
             p.drawRoundedRect(QRectF(6, 6, 52, 52), 4, 4);
             const QColor bars[] = {kBlue, kGreen, kOrange, kPurple};
             const qreal heights[] = {16, 28, 22, 36};
             for (int i = 0; i < 4; ++i) {
                 p.setBrush(bars[i]);
                 p.drawRect(QRectF(12 + i * 11, 50 - heights[i], 8, heights[i]));
             }
         }},
        {QStringLiteral("protocollo"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kLightGrey);
             QPolygonF tray{QPointF(4, 40), QPointF(16, 40), QPointF(20, 46), QPointF(44, 46),
                            QPointF(48, 40), QPointF(60, 40), QPointF(60, 58), QPointF(4, 58)};
             sheet(p, QRectF(14, 4, 36, 40));
             textLines(p, 20, 20, 18, 2);
             outline(p);
             p.setBrush(kGrey);
             p.drawPolygon(tray);
             p.setBrush(kRed);
             p.drawEllipse(QPointF(40, 30), 8, 8);
             QPen ring(Qt::white, 2);
             p.setPen(ring);
             p.setBrush(Qt::NoBrush);
             p.drawEllipse(QPointF(40, 30), 5, 5);
         }},
        // Where the protocol numbering starts: a numbered ticket, "N" and
        // the first number.
        {QStringLiteral("numerazione"),
         [](QPainter &p) {
             outline(p);
             p.setBrush(kYellow);
             p.drawRoundedRect(QRectF(6, 12, 52, 40), 5, 5);
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(6, 32), 6, 6);
             p.drawEllipse(QPointF(58, 32), 6, 6);
             QFont f(QStringLiteral("DejaVu Sans"));
             f.setPixelSize(22);
             f.setBold(true);
             p.setFont(f);
             p.setPen(kInk);
             p.drawText(QRectF(12, 14, 22, 36), Qt::AlignCenter, QStringLiteral("N"));
             f.setPixelSize(14);
             p.setFont(f);
             p.setPen(kBlue);
             p.drawText(QRectF(32, 18, 22, 30), Qt::AlignCenter, QStringLiteral("1"));
         }},
        {QStringLiteral("pratelia"),
         [](QPainter &p) {
             // The program's mark: a blue tile with a white P and a green leaf.
             QLinearGradient g(0, 2, 0, 62);
             g.setColorAt(0, QColor(0x3a, 0x8a, 0xe0));
             g.setColorAt(1, QColor(0x17, 0x34, 0x56));
             p.setPen(Qt::NoPen);
             p.setBrush(g);
             p.drawRoundedRect(QRectF(2, 2, 60, 60), 13, 13);
             QPainterPath letter;
             letter.moveTo(19, 52);
             letter.lineTo(19, 13);
             letter.lineTo(34, 13);
             letter.cubicTo(50, 13, 50, 37, 34, 37);
             letter.lineTo(19, 37);
             QPen stroke(Qt::white, 7.5);
             stroke.setJoinStyle(Qt::RoundJoin);
             stroke.setCapStyle(Qt::RoundCap);
             p.setPen(stroke);
             p.setBrush(Qt::NoBrush);
             p.drawPath(letter);
             QPainterPath leaf;
             leaf.moveTo(36, 53);
             leaf.cubicTo(38, 42, 48, 38, 56, 40);
             leaf.cubicTo(54, 50, 46, 55, 36, 53);
             p.setPen(Qt::NoPen);
             p.setBrush(QColor(0x6c, 0xd0, 0x7e));
             p.drawPath(leaf);
         }},
    };
    return table;
}

void drawNamed(QPainter &p, const QString &name)
{
    if (const Drawing draw = drawings().value(name)) {
        draw(p);
        return;
    }
    // A name without its own picture: a disc with its initial.
    outline(p, 2);
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(6, 6, 52, 52));
    lettering(p, QRectF(0, 0, 64, 64), name.left(1).toUpper(), 28);
}

class PictureEngine final : public QIconEngine {
public:
    explicit PictureEngine(QString name) : m_name(std::move(name)) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal dpr = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, render(rect.size() * dpr, mode));
    }

    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override
    {
        return render(size, mode);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override { return size; }
    QIconEngine *clone() const override { return new PictureEngine(m_name); }
    QString key() const override { return QStringLiteral("pratelia-picture"); }

private:
    QPixmap render(const QSize &size, QIcon::Mode mode) const
    {
        const int side = qMax(1, qMin(size.width(), size.height()));
        QImage img(side, side, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            p.scale(side / 64.0, side / 64.0);
            drawNamed(p, m_name);
        }
        if (mode == QIcon::Disabled) {
            for (int y = 0; y < img.height(); ++y) {
                auto *line = reinterpret_cast<QRgb *>(img.scanLine(y));
                for (int x = 0; x < img.width(); ++x) {
                    const QRgb c = line[x];
                    const int a = qAlpha(c) * 45 / 100;
                    const int g = qGray(c) * 45 / 100;
                    line[x] = qRgba(g, g, g, a);
                }
            }
        }
        return QPixmap::fromImage(img);
    }

    QString m_name;
};

} // namespace

bool hasPicture(const QString &name)
{
    return drawings().contains(name);
}

QIcon commandIcon(const QString &name)
{
    return QIcon(new PictureEngine(name));
}

} // namespace pratelia::kit
