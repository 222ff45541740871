#include "app/uMessageBox.h"

#include <QApplication>

namespace {

TMessageBoxAnswerer& Answerer()
{
    static TMessageBoxAnswerer answerer;
    return answerer;
}

} // namespace

int ShowMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon, QMessageBox::StandardButtons buttons,
                   const QString& details)
{
    if (Answerer())
        return Answerer()(TMessageBoxRequest{text, icon, buttons, details});
    QMessageBox box(icon, QApplication::applicationName(), text, buttons, parent);
    box.setDetailedText(details);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok ? mrOk : mrCancel;
}

void SetMessageBoxAnswerer(TMessageBoxAnswerer answerer)
{
    Answerer() = std::move(answerer);
}
