#include "feeicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace pratelia::fees {

namespace {

const QColor kInk(0x2b, 0x2f, 0x36);

QPixmap canvas()
{
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    return pm;
}

} // namespace

QIcon importArrowIcon()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    // A bold arrow pointing down and to the left, into the field beside it.
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
    return QIcon(pm);
}

QIcon handWithCoinIcon()
{
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPen outline(kInk, 2.2);
    outline.setJoinStyle(Qt::RoundJoin);
    outline.setCapStyle(Qt::RoundCap);

    // The coin, held above the palm.
    QRadialGradient gold(QPointF(28, 14), 16);
    gold.setColorAt(0, QColor(0xff, 0xe8, 0x8a));
    gold.setColorAt(1, QColor(0xd9, 0x9a, 0x12));
    p.setPen(outline);
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
    p.setPen(outline);
    p.setBrush(QColor(0xf3, 0xc9, 0xa2));
    p.drawPath(hand);
    // The cuff.
    p.setBrush(QColor(0x2f, 0x5d, 0x8a));
    p.drawRoundedRect(QRectF(-4, 38, 10, 18), 2, 2);
    return QIcon(pm);
}

} // namespace pratelia::fees
