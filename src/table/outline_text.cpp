#include "table/outline_text.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QStringList>
#include <algorithm>

namespace dm {

void COutlineText::DrawText(QPainter& target, const QString& text, int X, int Y) const
{
    if (text.isEmpty() || (!drawOutline_ && !drawFill_))
        return;
    const QFont font = target.font();
    const QFontMetricsF metrics(font, target.device());
    QPainterPath path;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        path.addText(X, Y + metrics.ascent() + i * metrics.lineSpacing(), font, lines[i]);

    target.save();
    // A width below one still draws the thinnest visible line, as a zero-width pen would.
    QPen pen(penColor_, std::max(penWidth_, 1));
    pen.setJoinStyle(Qt::RoundJoin);
    target.setPen(drawOutline_ ? pen : QPen(Qt::NoPen));
    target.setBrush(drawFill_ ? QBrush(brushColor_) : QBrush(Qt::NoBrush));
    target.drawPath(path);
    target.restore();
}

}  // namespace dm
