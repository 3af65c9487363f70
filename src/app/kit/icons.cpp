#include "conventions.h"

#include <QPainter>
#include <QPixmap>

namespace pratelia::kit {

QIcon commandIcon(const QString &name)
{
    // A plain disc with the command's initial until the program's own
    // pictures are drawn.
    QPixmap pm(64, 64);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x2f, 0x5d, 0x8a));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(4, 4, 56, 56));
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(30);
    f.setBold(true);
    p.setFont(f);
    p.drawText(pm.rect(), Qt::AlignCenter, name.left(1).toUpper());
    p.end();
    return QIcon(pm);
}

} // namespace pratelia::kit
