#pragma once

#include "app/uMainDlg.h"

#include <utility>

class QPushButton;
class QLabel;
class QTreeWidget;

// Lets the user pick one of several printer queues that fit the model. The list
// holds "printer name=port" lines; the first "=" separates the two.
class TFUSBPrinters final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFUSBPrinters(QWidget* owner);
    ~TFUSBPrinters() override;

    // The list to show; not owned.
    const QStringList* Printers = nullptr;

    QWidget* Panel1;
    QLabel* Label2;
    QLabel* Label1;
    QTreeWidget* cxListView1;
    QWidget* Panel2;
    QPushButton* cxButton1;
    QPushButton* cxButton2;

    // Index of the selected row (the index of its line in Printers); -1 when none is.
    int SelectedIndex() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void FormDestroy();
};

extern TFUSBPrinters* FUSBPrinters;

// A line of the USB printer list as (printer name, port): split at its first "=".
std::pair<QString, QString> SplitPrinterLine(const QString& line);

// Shows the list modally: mrOk (1) or mrCancel (2).
int ChooseUSBPrinter(QWidget* owner, const QStringList& printers);
