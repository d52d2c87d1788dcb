#include "hoiwidget/devicetile.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include "hoi_core/hoidev.h"

void PaintDeviceTile(QPainter *pPainter, CHOIDev *pDev)
{
    const QRect outer(0, 0, 196, 112);
    const QRect inner(2, 2, 192, 108);

    QPainterPath frame;
    frame.setFillRule(Qt::OddEvenFill);
    frame.addRect(outer);
    frame.addRect(inner);
    pPainter->fillPath(frame, QColor(122, 163, 39));
    pPainter->fillRect(inner, QColor(187, 234, 255));

    if (!pDev)
        return;

    pPainter->save();
    pPainter->setClipRect(inner);
    QRect textRect = inner.adjusted(2, 2, -2, -2);

    pPainter->setFont(QFont(QStringLiteral("Times"), 8));
    pPainter->drawText(textRect, Qt::AlignLeft, pDev->GetEthAddr());
    textRect.adjust(0, 12, 0, 0);
    pPainter->drawText(textRect, Qt::AlignLeft, pDev->GetIPAddr());

    pPainter->setFont(QFont(QStringLiteral("Verdana"), 12, QFont::Bold));
    pPainter->drawText(textRect, Qt::AlignCenter, pDev->GetDisplayName());
    pPainter->restore();
}
