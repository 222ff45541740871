#include "ports/uComPortDlg.h"

#include "app/uMessageBox.h"
#include "app/uTranslation.h"
#include "ports/uPortDlgFrame.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFComPortDlg* FComPortDlg = nullptr;

namespace {

QComboBox* Combo(QWidget* parent, const char* name, const QList<std::pair<QString, int>>& items)
{
    auto box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    for (const auto& [text, value] : items)
        box->addItem(text, value);
    return box;
}

} // namespace

TFComPortDlg::TFComPortDlg(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FComPortDlg"));
    setWindowTitle(QStringLiteral("Configure serial port"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(210, 215);

    const TPortDlgFrame frame = BuildPortDlgFrame(this, QStringLiteral("Serial port settings"), QStringLiteral("OK"), 37, 65);
    QGroupBox* group = frame.Group;
    cxButtonOK = frame.OkButton;
    auto form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignRight);

    cxImageComboBoxPort = Combo(group, "cxImageComboBoxPort",
                                {{QStringLiteral("COM1"), 0}, {QStringLiteral("COM2"), 1},
                                 {QStringLiteral("COM3"), 2}, {QStringLiteral("COM4"), 3}});
    cxImageComboBoxBaudRate = Combo(group, "cxImageComboBoxBaudRate", {});
    for (int rate : {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 230400})
        cxImageComboBoxBaudRate->addItem(QString::number(rate), rate);
    // Room for six digits whatever the labels beside it take.
    cxImageComboBoxBaudRate->setMinimumWidth(72);
    cxTextEditDataSize = new QLineEdit(group);
    cxTextEditDataSize->setObjectName(QStringLiteral("cxTextEditDataSize"));
    cxTextEditDataSize->setMaxLength(1);
    cxImageComboBoxStopBits = Combo(group, "cxImageComboBoxStopBits",
                                    {{QStringLiteral("1"), 0}, {QStringLiteral("1.5"), 1}, {QStringLiteral("2"), 2}});
    cxImageComboBoxParity = Combo(group, "cxImageComboBoxParity",
                                  {{QStringLiteral("None"), 0}, {QStringLiteral("Odd"), 1}, {QStringLiteral("Even"), 2}});
    // The parity names are shown texts of this dialog and follow its language.
    for (int i = 0; i < cxImageComboBoxParity->count(); ++i)
        cxImageComboBoxParity->setItemText(i, Tr(cxImageComboBoxParity->itemText(i).toUtf8().constData()));

    auto speedRow = new QHBoxLayout;
    speedRow->addWidget(cxImageComboBoxBaudRate, 1);
    auto bauds = new QLabel(QStringLiteral("bauds"), group);
    bauds->setObjectName(QStringLiteral("LabelBauds"));
    speedRow->addWidget(bauds);

    auto addRow = [&](const char* name, const QString& text, QWidget* field) {
        auto label = new QLabel(text, group);
        label->setObjectName(QLatin1String(name));
        label->setBuddy(field);
        form->addRow(label, field);
    };
    addRow("LabelPort", QStringLiteral("Port:"), cxImageComboBoxPort);
    auto speedLabel = new QLabel(QStringLiteral("Speed:"), group);
    speedLabel->setObjectName(QStringLiteral("LabelSpeed"));
    speedLabel->setBuddy(cxImageComboBoxBaudRate);
    form->addRow(speedLabel, speedRow);
    addRow("LabelDataBits", QStringLiteral("Data bits:"), cxTextEditDataSize);
    addRow("LabelStopBits", QStringLiteral("Stop bits:"), cxImageComboBoxStopBits);
    addRow("LabelParity", QStringLiteral("Parity:"), cxImageComboBoxParity);

    FormCreate();
}

TFComPortDlg::~TFComPortDlg()
{
    FormDestroy();
}

void TFComPortDlg::FormCreate()
{
    TFMainDlg::FormCreate();
    SerialPort = new TSerialPort;
    cxImageComboBoxPort->setCurrentIndex(0);
    cxImageComboBoxBaudRate->setCurrentIndex(6);
    cxTextEditDataSize->setText(QStringLiteral("8"));
    cxImageComboBoxStopBits->setCurrentIndex(0);
    cxImageComboBoxParity->setCurrentIndex(0);
}

void TFComPortDlg::FormDestroy()
{
    delete SerialPort;
    SerialPort = nullptr;
    if (FComPortDlg == this)
        FComPortDlg = nullptr;
}

bool TFComPortDlg::FormClose()
{
    SerialPort->Name = cxImageComboBoxPort->currentText();
    SerialPort->BaudRate = cxImageComboBoxBaudRate->currentData().toInt();
    bool ok = false;
    const int byteSize = cxTextEditDataSize->text().toInt(&ok);
    if (!ok) {
        ShowMessageBox(this, TrFormat("'%s' is not a valid integer value.", {cxTextEditDataSize->text()}),
                       QMessageBox::Critical);
        cxTextEditDataSize->setFocus();
        return false;
    }
    SerialPort->ByteSize = std::uint8_t(byteSize);
    SerialPort->StopBits = std::uint8_t(cxImageComboBoxStopBits->currentData().toInt());
    SerialPort->Parity = std::uint8_t(cxImageComboBoxParity->currentData().toInt());
    return true;
}

void TFComPortDlg::done(int result)
{
    // OK, the close box and Escape all take the shown values.
    if (FormClose())
        TFMainDlg::done(result);
}

void InitComPortDlg(QWidget* owner)
{
    if (!FComPortDlg)
        FComPortDlg = new TFComPortDlg(owner);
    FComPortDlg->SerialPort->Name = QStringLiteral("COM1");
}

void ShowComPortDlg(QWidget* owner, const QString& portText)
{
    if (!FComPortDlg)
        FComPortDlg = new TFComPortDlg(owner);
    FComPortDlg->SerialPort->Name = portText;
    const int index = FComPortDlg->cxImageComboBoxPort->findText(portText, Qt::MatchExactly);
    if (index >= 0)
        FComPortDlg->cxImageComboBoxPort->setCurrentIndex(index);
    if (!FComPortDlg->isVisible())
        FComPortDlg->exec();
}
