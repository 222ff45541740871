#pragma once

#include <QAbstractItemView>
#include <QComboBox>

// A pick-only list box that also reports the closing of its drop-down list,
// whether or not another item was picked.
class TComboBox final : public QComboBox
{
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void hidePopup() override
    {
        // Qt also calls this while hiding or destroying the box; only a list that was open closes up.
        const bool open = view() && view()->window()->isVisible();
        QComboBox::hidePopup();
        if (open)
            emit CloseUp();
    }

signals:
    void CloseUp();
};
