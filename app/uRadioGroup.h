#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

// A captioned group of radio entries that code rebuilds, like the model-dependent
// port and update-kind lists. Entries share the height below the caption evenly,
// so an entry's place depends only on the number of entries.
class TRadioGroup final : public QGroupBox
{
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr);

    void Clear();
    void Add(const QString& caption);
    int Count() const;
    // The entry widgets, in order (for the window's tab order).
    QList<QRadioButton*> Entries() const { return entries_; }
    QString Caption(int index) const;
    void SetCaption(int index, const QString& caption);

    // -1 when no entry is selected.
    int ItemIndex() const;
    // Selects an entry (-1: none); a change of selection emits Click, as a user's click does.
    void SetItemIndex(int index);

signals:
    void Click();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Arrange();

    QButtonGroup* buttons_;
    QList<QRadioButton*> entries_;
    int itemIndex_ = -1;
};
