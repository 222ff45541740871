#pragma once

#include "app/uMainDlg.h"

class QComboBox;
class QPushButton;

// Which parallel device is used; lasts for the run of the program only.
struct TParallelPort
{
    QString Name = QStringLiteral("LPT1");
};

class TFParallelPortDlg final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFParallelPortDlg(QWidget* owner);
    ~TFParallelPortDlg() override;

    TParallelPort* ParallelPort = nullptr;

    QComboBox* cxImageComboBoxPort;
    QPushButton* cxButtonOK;

    void done(int result) override;

protected:
    void FormCreate() override;

private:
    void FormClose();
    void FormDestroy();
};

extern TFParallelPortDlg* FParallelPortDlg;

void InitParallelPortDlg(QWidget* owner);
void ShowParallelPortDlg(QWidget* owner, const QString& portText);
