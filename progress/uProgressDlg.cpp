#include "progress/uProgressDlg.h"

#include "app/uCursor.h"
#include "app/uMain.h"
#include "app/uMessageBox.h"
#include "app/uStatusBar.h"
#include "app/uTranslation.h"
#include "ports/uSendThread.h"
#include "progress/uGradientBar.h"

#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TFProgressDlg* FProgressDlg = nullptr;

TFProgressDlg::TFProgressDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FProgressDlg"));
    setWindowTitle(QStringLiteral("Update Progress"));
    // A tool window without close box: the user leaves it only through Cancel.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    PanelButtons = new QWidget(this);
    PanelButtons->setObjectName(QStringLiteral("PanelButtons"));
    PanelButtons->setFixedSize(246, 73);
    cxProgressBar1 = new TGradientBar(PanelButtons);
    cxProgressBar1->setObjectName(QStringLiteral("cxProgressBar1"));
    Place(cxProgressBar1, 8, 14, 226, 17);
    cxButton1 = new QPushButton(QStringLiteral("Cancel"), PanelButtons);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    QIcon cross(QStringLiteral(":/glyphs/cancel.svg"));
    cross.addFile(QStringLiteral(":/glyphs/cancel-disabled.svg"), QSize(), QIcon::Disabled);
    cxButton1->setIcon(cross);
    Place(cxButton1, 80, 41, 75, 25);
    connect(cxButton1, &QPushButton::clicked, this, &TFProgressDlg::cxButton1Click);

    StatusBar = new TStatusBar({246}, this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setProperty(kNoTranslateProperty, true);
    StatusBar->setFixedSize(246, 19);

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(PanelButtons);
    layout->addWidget(StatusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    TimerUpdateDone = new QTimer(this);
    TimerUpdateDone->setObjectName(QStringLiteral("TimerUpdateDone"));
    TimerUpdateDone->setInterval(24000);
    TimerStepProgressBar = new QTimer(this);
    TimerStepProgressBar->setObjectName(QStringLiteral("TimerStepProgressBar"));
    TimerStepProgressBar->setInterval(1000);
    connect(TimerStepProgressBar, &QTimer::timeout, this, &TFProgressDlg::TimerStepProgressBarTimer);

    FormCreate();
}

TFProgressDlg::~TFProgressDlg()
{
    FormDestroy();
}

void TFProgressDlg::FormDestroy()
{
    if (FProgressDlg == this)
        FProgressDlg = nullptr;
}

void TFProgressDlg::cxButton1Click()
{
    Cancelled = true;
    if (FMainForm && FMainForm->SendThread)
        FMainForm->SendThread->Cancel();
    CloseDialog();
}

void TFProgressDlg::CloseDialog()
{
    // Not close(): that asks reject(), which stands for the user's Cancel.
    done(QDialog::Rejected);
}

void TFProgressDlg::reject()
{
    if (cxButton1->isEnabled() && isVisible())
        cxButton1Click();
}

void TFProgressDlg::TimerStepProgressBarTimer()
{
    const long double sum = static_cast<long double>(cxProgressBar1->Position()) + ProgressStep;
    cxProgressBar1->SetPosition(static_cast<double>(sum));
    if (cxProgressBar1->Maximum() > cxProgressBar1->Position())
        return;
    TimerStepProgressBar->stop();
    ShowDefaultCursor();
    const QString done = Tr("Update done.\r\nIf your printer is not ready, please press any key on printer to reboot it.");
    StatusBar->SetPanelText(0, done);
    // The dialog stays on screen behind the box and closes once it is confirmed.
    ShowMessageBox(isVisible() ? this : parentWidget(), done, QMessageBox::Information);
    CloseDialog();
    StatusBar->SetPanelText(0, QString());
    if (FMainForm)
        FMainForm->UpdateEnded();
}

void CreateProgressDlg(QWidget* owner)
{
    if (!FProgressDlg)
        FProgressDlg = new TFProgressDlg(owner);
}

void ShowProgressDlg(QWidget* owner)
{
    CreateProgressDlg(owner);
    FProgressDlg->cxButton1->setEnabled(true);
    FProgressDlg->cxProgressBar1->setVisible(true);
    FProgressDlg->cxProgressBar1->SetPosition(0);
    if (!FProgressDlg->isVisible())
        FProgressDlg->exec();
}
