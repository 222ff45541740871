#include "ports/uParallelPortDlg.h"

#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFParallelPortDlg* FParallelPortDlg = nullptr;

TFParallelPortDlg::TFParallelPortDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FParallelPortDlg"));
    setWindowTitle(QStringLiteral("Configure parallel port"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(199, 127);

    auto panel1 = new QFrame(this);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto group = new QGroupBox(QStringLiteral("Parallel port settings"), panel1);
    group->setObjectName(QStringLiteral("GroupBox3"));
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

    auto panel1Layout = new QVBoxLayout(panel1);
    panel1Layout->setContentsMargins(8, 8, 8, 4);
    panel1Layout->addWidget(group);

    auto panel2 = new QFrame(this);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedHeight(39);
    cxButtonOK = new QPushButton(QStringLiteral("&OK"), panel2);
    cxButtonOK->setObjectName(QStringLiteral("cxButtonOK"));
    cxButtonOK->setDefault(true);
    cxButtonOK->setGeometry(59, 7, 81, 25);
    connect(cxButtonOK, &QPushButton::clicked, this, [this] { done(1); });

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1, 1);
    layout->addWidget(panel2);

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
