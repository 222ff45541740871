#include "app/uPicture.h"

#include <QPainter>
#include <QSvgRenderer>

TPicture::TPicture(const QString& source, QWidget* parent) : QWidget(parent), renderer_(new QSvgRenderer(source, this))
{
    setAttribute(Qt::WA_TranslucentBackground);
    resize(sizeHint());
}

QSize TPicture::sizeHint() const
{
    return renderer_->isValid() ? renderer_->defaultSize() : QSize(0, 0);
}

void TPicture::paintEvent(QPaintEvent*)
{
    if (!renderer_->isValid())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, QRectF(rect()));
}
