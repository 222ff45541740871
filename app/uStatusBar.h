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
    // The text as set; a line break in it is shown as a space, the whole text as a tool tip.
    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);

private:
    QList<QLabel*> panels_;
    QStringList texts_;
};
