#pragma once

#include "app/uMainDlg.h"

class QPushButton;
class QTimer;
class TGradientBar;
class TStatusBar;

// The modal dialog of a firmware run: the transfer fills the first half of the
// bar, the printer's installation wait the second. The main window drives it.
class TFProgressDlg final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFProgressDlg(QWidget* owner);
    ~TFProgressDlg() override;

    // True once the user has pressed Cancel in the current run.
    bool Cancelled = false;
    // Added to the bar's position at each tick of the step timer.
    long double ProgressStep = 0;

    QWidget* PanelButtons;
    TGradientBar* cxProgressBar1;
    TStatusBar* StatusBar;
    QPushButton* cxButton1;
    QTimer* TimerUpdateDone;
    QTimer* TimerStepProgressBar;

    void cxButton1Click();
    void TimerStepProgressBarTimer();

    // Ends the modal run (if any) and hides the dialog.
    void CloseDialog();

    // Escape means Cancel while Cancel is possible; nothing else leaves the dialog.
    void reject() override;

private:
    void FormDestroy();
};

extern TFProgressDlg* FProgressDlg;

void CreateProgressDlg(QWidget* owner);
// Shows the dialog modally for a new run; returns when it closes.
void ShowProgressDlg(QWidget* owner);
