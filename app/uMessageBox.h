#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

// Modal results as the rest of the program counts them.
inline constexpr int mrOk = 1;
inline constexpr int mrCancel = 2;

struct TMessageBoxRequest
{
    QString text;
    QMessageBox::Icon icon;
    QMessageBox::StandardButtons buttons;
    QString details;
};

// Every message box of the program goes through here: shown modally over
// parent with the application's title; returns mrOk or mrCancel.
// details, when given, are offered behind the box's "Show Details..." button.
int ShowMessageBox(QWidget* parent, const QString& text, QMessageBox::Icon icon,
                   QMessageBox::StandardButtons buttons = QMessageBox::Ok, const QString& details = QString());

// Tests answer boxes here instead of on screen; an empty function restores real boxes.
using TMessageBoxAnswerer = std::function<int(const TMessageBoxRequest&)>;
void SetMessageBoxAnswerer(TMessageBoxAnswerer answerer);
