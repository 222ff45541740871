#include "progress/uGradientBar.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>

namespace {
const QColor kNormalFrom(255, 255, 128);
const QColor kNormalTo(255, 128, 64);
const QColor kOverloadFrom(255, 128, 0);
const QColor kOverloadTo(255, 0, 0);
} // namespace

TGradientBar::TGradientBar(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TGradientBar::SetMaximum(double value)
{
    maximum_ = std::max(value, minimum_);
    position_ = std::clamp(position_, minimum_, maximum_);
    update();
}

void TGradientBar::SetOverloadValue(double value)
{
    overload_ = value;
    update();
}

void TGradientBar::SetPosition(double value)
{
    position_ = std::clamp(value, minimum_, maximum_);
    update();
}

void TGradientBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF outer = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    // A raised bevel around a flat trough.
    painter.fillRect(rect(), palette().base());
    painter.setPen(palette().light().color());
    painter.drawLine(outer.topLeft(), outer.topRight());
    painter.drawLine(outer.topLeft(), outer.bottomLeft());
    painter.setPen(palette().dark().color());
    painter.drawLine(outer.bottomLeft(), outer.bottomRight());
    painter.drawLine(outer.topRight(), outer.bottomRight());

    const QRectF trough = QRectF(rect()).adjusted(2, 2, -2, -2);
    const double span = maximum_ - minimum_;
    if (span <= 0 || position_ <= minimum_)
        return;
    auto xOf = [&](double value) {
        return trough.left() + trough.width() * (std::clamp(value, minimum_, maximum_) - minimum_) / span;
    };
    const double split = xOf(overload_);
    const double end = xOf(position_);

    QLinearGradient normal(trough.left(), 0, split, 0);
    normal.setColorAt(0, kNormalFrom);
    normal.setColorAt(1, kNormalTo);
    painter.fillRect(QRectF(trough.left(), trough.top(), std::min(end, split) - trough.left(), trough.height()), normal);
    if (end > split) {
        QLinearGradient overload(split, 0, trough.right(), 0);
        overload.setColorAt(0, kOverloadFrom);
        overload.setColorAt(1, kOverloadTo);
        painter.fillRect(QRectF(split, trough.top(), end - split, trough.height()), overload);
    }
}
