#include "ports/uParallelPortDlg.h"

#include "ports/uPortDlgFrame.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

TFParallelPortDlg* FParallelPortDlg = nullptr;

TFParallelPortDlg::TFParallelPortDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FParallelPortDlg"));
    setWindowTitle(QStringLiteral("Configure parallel port"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(199, 127);

    const TPortDlgFrame frame =
        BuildPortDlgFrame(this, QStringLiteral("Parallel port settings"), QStringLiteral("&OK"), 39, 59);
    QGroupBox* group = frame.Group;
    cxButtonOK = frame.OkButton;
    auto label = new QLabel(QStringLiteral("Port:"), group);
    label->setObjectName(QStringLiteral("LabelPort"));
    cxImageComboBoxPort = new QComboBox(group);
    cxImageComboBoxPort->setObjectName(QStringLiteral("cxImageComboBoxPort"));
    cxImageComboBoxPort->addItems({QStringLiteral("LPT1"), QStringLiteral("LPT2"), QStringLiteral("LPT3"),
                                   QStringLiteral("LPT4")});
    label->setBuddy(cxImageComboBoxPort);
    auto row = new QHBoxLayout(group);
    row->addWidget(label);
    row->addWidget(cxImageComboBoxPort, 1);

    FormCreate();
}

TFParallelPortDlg::~TFParallelPortDlg()
{
    FormDestroy();
}

void TFParallelPortDlg::FormCreate()
{
    TFMainDlg::FormCreate();
    ParallelPort = new TParallelPort;
    cxImageComboBoxPort->setCurrentIndex(0);
}

void TFParallelPortDlg::FormDestroy()
{
    delete ParallelPort;
    ParallelPort = nullptr;
    if (FParallelPortDlg == this)
        FParallelPortDlg = nullptr;
}

void TFParallelPortDlg::FormClose()
{
    ParallelPort->Name = cxImageComboBoxPort->currentText();
}

void TFParallelPortDlg::done(int result)
{
    FormClose();
    TFMainDlg::done(result);
}

void InitParallelPortDlg(QWidget* owner)
{
    if (!FParallelPortDlg)
        FParallelPortDlg = new TFParallelPortDlg(owner);
    FParallelPortDlg->ParallelPort->Name = QStringLiteral("LPT1");
}

void ShowParallelPortDlg(QWidget* owner, const QString& portText)
{
    if (!FParallelPortDlg)
        FParallelPortDlg = new TFParallelPortDlg(owner);
    FParallelPortDlg->ParallelPort->Name = portText;
    const int index = FParallelPortDlg->cxImageComboBoxPort->findText(portText, Qt::MatchExactly);
    if (index >= 0)
        FParallelPortDlg->cxImageComboBoxPort->setCurrentIndex(index);
    if (!FParallelPortDlg->isVisible())
        FParallelPortDlg->exec();
}
