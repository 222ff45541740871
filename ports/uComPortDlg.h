#pragma once

#include "app/uMainDlg.h"

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

// How the serial port is used; lasts for the run of the program only.
struct TSerialPort
{
    QString Name = QStringLiteral("COM1");
    std::int32_t BaudRate = 57600;
    std::uint8_t ByteSize = 8;
    std::uint8_t Parity = 0;   // 0 none, 1 odd, 2 even
    std::uint8_t StopBits = 0; // 0 one, 1 one and a half, 2 two
};

class TFComPortDlg final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFComPortDlg(QWidget* owner);
    ~TFComPortDlg() override;

    TSerialPort* SerialPort = nullptr;

    QComboBox* cxImageComboBoxPort;
    QComboBox* cxImageComboBoxBaudRate;
    QLineEdit* cxTextEditDataSize;
    QComboBox* cxImageComboBoxStopBits;
    QComboBox* cxImageComboBoxParity;
    QPushButton* cxButtonOK;

    void done(int result) override;

protected:
    void FormCreate() override;

private:
    // Takes the shown values; false (and the dialog stays open) when the data bits are no whole number.
    bool FormClose();
    void FormDestroy();
};

extern TFComPortDlg* FComPortDlg;

void InitComPortDlg(QWidget* owner);
void ShowComPortDlg(QWidget* owner, const QString& portText);
