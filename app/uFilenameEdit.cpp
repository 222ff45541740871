#include "app/uFilenameEdit.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolButton>

namespace {

TFilenameEdit::TDialog& DialogForTests()
{
    static TFilenameEdit::TDialog dialog;
    return dialog;
}

// "Firmware K1|*.k1" as QFileDialog writes it: "Firmware K1 (*.k1)".
QString QtFilter(const QString& filter)
{
    const QString description = filter.section(QLatin1Char('|'), 0, 0).trimmed();
    const QString mask = filter.section(QLatin1Char('|'), 1, 1).trimmed();
    if (mask.isEmpty())
        return QString();
    return QStringLiteral("%1 (%2)").arg(description.isEmpty() ? mask : description, mask);
}

} // namespace

TFilenameEdit::TFilenameEdit(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this))
{
    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_);
    layout->addWidget(button_);
    edit_->setObjectName(QStringLiteral("JvFilenameEditText"));
    button_->setObjectName(QStringLiteral("JvFilenameEditButton"));
    button_->setText(QStringLiteral("..."));
    button_->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(edit_);
    edit_->installEventFilter(this);
    connect(button_, &QToolButton::clicked, this, &TFilenameEdit::Browse);
}

QString TFilenameEdit::FileName() const
{
    return edit_->text();
}

void TFilenameEdit::SetFileName(const QString& name)
{
    edit_->setText(name);
}

void TFilenameEdit::SetDialogForTests(TDialog dialog)
{
    DialogForTests() = std::move(dialog);
}

void TFilenameEdit::Browse()
{
    emit BeforeDialog();
    std::pair<QString, bool> result;
    if (DialogForTests()) {
        result = DialogForTests()(filter_, FileName());
    } else {
        const QFileInfo current(FileName());
        const QString folder = current.absoluteDir().exists() ? current.absolutePath() : QString();
        const QString name = QFileDialog::getOpenFileName(window(), QString(), folder, QtFilter(filter_));
        result = {name, !name.isEmpty()};
    }
    if (result.second)
        SetFileName(result.first);
    emit AfterDialog(result.first, result.second);
}

bool TFilenameEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        auto key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F4 || (key->key() == Qt::Key_Down && key->modifiers() & Qt::AltModifier)) {
            Browse();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
