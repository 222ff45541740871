#pragma once

#include <QColor>
#include <QWidget>

// A progress bar in two halves: up to the overload value it is drawn in the
// normal gradient, beyond it in the overload gradient. Values are doubles, so a
// run over a file of several GiB (maximum = twice its size) still fits; the
// position is kept between the minimum and the maximum.
class TGradientBar final : public QWidget
{
    Q_OBJECT
public:
    explicit TGradientBar(QWidget* parent = nullptr);

    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    double OverloadValue() const { return overload_; }
    double Position() const { return position_; }

    void SetMaximum(double value);
    void SetOverloadValue(double value);
    void SetPosition(double value);

    QSize sizeHint() const override { return {226, 17}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double minimum_ = 0;
    double maximum_ = 10000;
    double overload_ = 5000;
    double position_ = 0;
};
