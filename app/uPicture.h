#pragma once

#include <QWidget>

class QSvgRenderer;

// A drawing shown at its own size (the SVG's width and height) on a transparent
// background; drawn from the vector source at any device pixel ratio.
class TPicture final : public QWidget
{
    Q_OBJECT
public:
    // Takes a resource path such as ":/models/ImageK1.svg"; a missing picture shows nothing.
    explicit TPicture(const QString& source, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QSvgRenderer* renderer_;
};
