#pragma once
// Paints a line of text as letter outlines, filled letters or both, so figures such as the
// bank amounts stay legible over any background picture.
#include <QColor>
#include <QPainter>
#include <QString>

namespace dm {

class COutlineText {
public:
    bool DrawOutline() const { return drawOutline_; }
    void setDrawOutline(bool on) { drawOutline_ = on; }
    bool DrawFill() const { return drawFill_; }
    void setDrawFill(bool on) { drawFill_ = on; }
    int PenWidth() const { return penWidth_; }
    void setPenWidth(int width) { penWidth_ = width; }
    QColor PenColor() const { return penColor_; }
    void setPenColor(const QColor& colour) { penColor_ = colour; }
    QColor BrushColor() const { return brushColor_; }
    void setBrushColor(const QColor& colour) { brushColor_ = colour; }

    // The text in the painter's current font with its top-left corner at (X, Y); lines
    // break at '\n'. The painter's pen and brush are left as they were.
    void DrawText(QPainter& target, const QString& text, int X, int Y) const;

private:
    bool drawOutline_ = true;
    bool drawFill_ = true;
    int penWidth_ = 1;
    QColor penColor_ = QColor(255, 255, 255);
    QColor brushColor_ = QColor(0, 0, 0);
};

}  // namespace dm
