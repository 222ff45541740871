#include "app/uRadioGroup.h"

#include "app/uTranslation.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace {
constexpr int kCaptionHeight = 15;
constexpr int kIndent = 8;
} // namespace

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), buttons_(new QButtonGroup(this))
{
    connect(buttons_, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked && id != itemIndex_) {
            itemIndex_ = id;
            emit Click();
        }
    });
}

void TRadioGroup::Clear()
{
    for (QRadioButton* entry : entries_) {
        buttons_->removeButton(entry);
        delete entry;
    }
    entries_.clear();
    itemIndex_ = -1;
}

void TRadioGroup::Add(const QString& caption)
{
    auto entry = new QRadioButton(caption, this);
    // Entry captions are names the program relies on ("USB", "COM1", "Firmware"), never translated.
    entry->setProperty(kNoTranslateProperty, true);
    entry->setObjectName(objectName() + QStringLiteral("Item") + QString::number(entries_.size()));
    buttons_->addButton(entry, int(entries_.size()));
    entries_ << entry;
    entry->show();
    Arrange();
}

int TRadioGroup::Count() const
{
    return int(entries_.size());
}

QString TRadioGroup::Caption(int index) const
{
    return index >= 0 && index < Count() ? entries_[index]->text() : QString();
}

void TRadioGroup::SetCaption(int index, const QString& caption)
{
    if (index >= 0 && index < Count()) {
        entries_[index]->setText(caption);
        Arrange();
    }
}

int TRadioGroup::ItemIndex() const
{
    return itemIndex_;
}

void TRadioGroup::SetItemIndex(int index)
{
    if (index < 0 || index >= Count()) {
        if (QAbstractButton* checked = buttons_->checkedButton()) {
            buttons_->setExclusive(false);
            checked->setChecked(false);
            buttons_->setExclusive(true);
        }
        itemIndex_ = -1;
        return;
    }
    entries_[index]->setChecked(true); // emits Click through idToggled when it changes
}

void TRadioGroup::resizeEvent(QResizeEvent* event)
{
    QGroupBox::resizeEvent(event);
    Arrange();
}

void TRadioGroup::Arrange()
{
    if (entries_.isEmpty())
        return;
    const int slot = (height() - kCaptionHeight - 2) / int(entries_.size());
    for (int i = 0; i < entries_.size(); ++i) {
        QRadioButton* entry = entries_[i];
        const int h = entry->sizeHint().height();
        // Only as wide as its caption, so controls placed beside an entry stay clickable.
        entry->setGeometry(kIndent, kCaptionHeight + i * slot + (slot - h) / 2,
                           std::min(entry->sizeHint().width(), width() - 2 * kIndent), h);
    }
}
