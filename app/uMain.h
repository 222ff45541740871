#pragma once

#include "app/uMainDlg.h"

class TFMainForm : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFMainForm(QWidget* owner = nullptr);
};

extern TFMainForm* FMainForm;

// Program start: creates and shows the main window and runs until it closes.
int RunApplication();
