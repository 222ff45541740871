#include "app/uStatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

TStatusBar::TStatusBar(const QList<int>& panelWidths, QWidget* parent) : QWidget(parent)
{
    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 1, 0, 0);
    layout->setSpacing(2);
    for (int i = 0; i < panelWidths.size(); ++i) {
        auto panel = new QLabel(this);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setContentsMargins(2, 0, 2, 0);
        panel->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const bool last = i == panelWidths.size() - 1;
        if (last)
            panel->setMinimumWidth(panelWidths[i]);
        else
            panel->setFixedWidth(panelWidths[i]);
        layout->addWidget(panel, last ? 1 : 0);
        panels_ << panel;
        texts_ << QString();
    }
}

int TStatusBar::PanelCount() const
{
    return int(panels_.size());
}

QString TStatusBar::PanelText(int index) const
{
    return texts_.value(index);
}

void TStatusBar::SetPanelText(int index, const QString& text)
{
    if (index < 0 || index >= panels_.size())
        return;
    texts_[index] = text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
    panels_[index]->setText(shown);
    panels_[index]->setToolTip(shown == text ? QString() : text);
}
