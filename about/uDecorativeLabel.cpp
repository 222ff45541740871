#include "about/uDecorativeLabel.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace {

QColor Between(const QColor& from, const QColor& to, double t)
{
    return QColor::fromRgbF(float(from.redF() + (to.redF() - from.redF()) * t),
                            float(from.greenF() + (to.greenF() - from.greenF()) * t),
                            float(from.blueF() + (to.blueF() - from.blueF()) * t));
}

} // namespace

TDecorativeLabel::TDecorativeLabel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAutoFillBackground(false);
}

void TDecorativeLabel::setText(const QString& text)
{
    text_ = text;
    update();
}

void TDecorativeLabel::setStyle(const TDecorativeStyle& style)
{
    style_ = style;
    update();
}

void TDecorativeLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // Left- and top-aligned, one pixel in so the raised edge has room.
    // Where the design's face is missing, a wider stand-in is shrunk to fit rather than cut off.
    QFont faceFont = font();
    const int room = width() - 2 - style_.extrusionDepth;
    const int wide = QFontMetrics(faceFont).horizontalAdvance(text_);
    if (wide > room && room > 0 && faceFont.pixelSize() > 0)
        faceFont.setPixelSize(qMax(1, faceFont.pixelSize() * room / wide));
    QPainterPath face;
    face.addText(1, 1 + QFontMetrics(faceFont).ascent(), faceFont, text_);

    // The far end of the extrusion first, so each nearer layer covers the one behind it.
    const int depth = style_.extrusionDepth;
    for (int i = depth; i >= 1; --i) {
        const double t = depth > 1 ? double(i - 1) / double(depth - 1) : 0.0;
        painter.fillPath(face.translated(i, i), Between(style_.extrusionNear, style_.extrusionFar, t));
    }
    painter.fillPath(face.translated(-1, -1), style_.highlight);
    painter.fillPath(face.translated(1, 1), style_.shade);
    painter.fillPath(face, style_.face);
    painter.strokePath(face, QPen(style_.outline, 1));
}
