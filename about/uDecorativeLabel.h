#pragma once

#include <QColor>
#include <QWidget>

// How a decorative label draws its text: a face with an outline, raised by a
// light and a dark edge, standing on an extrusion that fades from the near
// colour behind the face to the far colour at its depth.
struct TDecorativeStyle
{
    QColor face = Qt::black;
    QColor highlight = Qt::white; // upper left edge of the raised face
    QColor shade = Qt::gray;      // lower right edge of the raised face
    QColor outline = Qt::yellow;
    QColor extrusionNear = Qt::darkBlue;
    QColor extrusionFar = Qt::darkGreen;
    int extrusionDepth = 0; // pixels down and to the right
};

// A one-line label painted with a TDecorativeStyle on a transparent background.
class TDecorativeLabel final : public QWidget
{
    Q_OBJECT
public:
    explicit TDecorativeLabel(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return text_; }
    void setStyle(const TDecorativeStyle& style);
    const TDecorativeStyle& style() const { return style_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    TDecorativeStyle style_;
};
