#pragma once

#include <QWidget>

class QLabel;

// A status bar of fixed-width panels; the last panel takes what width is left.
class TStatusBar final : public QWidget
{
    Q_OBJECT
public:
    explicit TStatusBar(const QList<int>& panelWidths, QWidget* parent = nullptr);

    int PanelCount() const;
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    QList<QLabel*> panels_;
};
