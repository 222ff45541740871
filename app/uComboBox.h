#pragma once

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
        QComboBox::hidePopup();
        emit CloseUp();
    }

signals:
    void CloseUp();
};
