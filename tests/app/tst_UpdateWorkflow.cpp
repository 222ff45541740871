// The Update command and the handling of the transfer's progress and outcome,
// driven through the real main window with the real send thread against real
// peers: a TCP listener, a socat pty pair as COM1, a FIFO as LPT1 and a private
// cupsd with a capturing usb backend. Boxes are read and answered through the seam.

#include "app/uComboBox.h"
#include "app/uCursor.h"
#include "app/uFilenameEdit.h"
#include "app/uMain.h"
#include "app/uMessageBox.h"
#include "app/uRadioGroup.h"
#include "app/uStatusBar.h"
#include "ports/uSendThread.h"
#include "ports/uUSBPrinters.h"
#include "progress/uGradientBar.h"
#include "progress/uProgressDlg.h"

#include "support/uCupsPeer.h"
#include "support/uFifoReader.h"
#include "support/uPtyPair.h"
#include "support/uRecordingListener.h"
#include "support/TempConfigHome.h"
#include "support/uTestFiles.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace {

const QByteArray kCommand("c78;3840\r\n");
const QByteArray kEscT("\x1b\x74", 2);
const char* const kDone = "Update done.\r\nIf your printer is not ready, please press any key on printer to reboot it.";

enum class TPort { Serial, Parallel, Usb, Tcp };

// What a firmware file of one model looks like on disk.
struct TModel
{
    int row;
    const char* name;
    const char* extension;
    const char* driver; // make-and-model of a fitting queue
};
const TModel kK3{7, "K3", ".kx", "VORN K3 300dpi"};
const TModel kK1_2{5, "K1-2", ".kx", "VORN K1-2"};

} // namespace

Q_DECLARE_METATYPE(TPort)

class TestUpdateWorkflow : public QObject
{
    Q_OBJECT

    QTemporaryDir temp_;
    std::unique_ptr<TRecordingListener> listener_;
    std::unique_ptr<TPtyPair> pty_;
    std::unique_ptr<TFifoReader> fifo_;
    std::unique_ptr<TCupsPeer> cups_;
    std::unique_ptr<TTempConfigHome> config_;
    std::unique_ptr<TFMainForm> form_;

    QList<TMessageBoxRequest> boxes_;
    // Answers each box; returns the answer. Defaults to OK.
    std::function<int(const TMessageBoxRequest&)> answer_;
    int ticks_ = 0;

    QStringList BoxTexts() const
    {
        QStringList texts;
        for (const TMessageBoxRequest& box : boxes_)
            texts << box.text;
        return texts;
    }

    QString WriteFile(const QString& name, qint64 size, QByteArray* bytes = nullptr)
    {
        const QString path = temp_.filePath(name);
        const QByteArray written = WritePatternFile(path, size, quint32(size));
        if (bytes)
            *bytes = written;
        return path;
    }

    void Choose(const TModel& model, int kind, TPort port)
    {
        form_->cxComboBoxPrinterModel->setCurrentIndex(model.row);
        form_->cxRadioGroupUpdateKind->SetItemIndex(kind);
        const QString caption = port == TPort::Serial     ? QStringLiteral("COM")
                                : port == TPort::Parallel ? QStringLiteral("LPT")
                                : port == TPort::Usb      ? QStringLiteral("USB")
                                                          : QStringLiteral("Ethernet");
        for (int i = 0; i < form_->cxRadioGroupPort->Count(); ++i)
            if (form_->cxRadioGroupPort->Caption(i).startsWith(caption))
                form_->cxRadioGroupPort->SetItemIndex(i);
    }

    // Browses as the user would, so the file name edit remembers the filter row.
    void Browse(const QString& path)
    {
        TFilenameEdit::SetDialogForTests([&](const QString&, const QString&) { return std::pair{path, true}; });
        form_->JvFilenameEdit->Browse();
        TFilenameEdit::SetDialogForTests({});
    }

    // What the printer behind a port received.
    QByteArray Received(TPort port) const
    {
        switch (port) {
        case TPort::Serial: return pty_->Received();
        case TPort::Parallel: return fifo_->Received();
        case TPort::Usb: {
            const QList<QByteArray> jobs = cups_->Captured(QStringLiteral("VornK3"));
            return jobs.isEmpty() ? QByteArray() : jobs.constLast();
        }
        case TPort::Tcp: {
            QByteArray all;
            for (const auto& connection : listener_->Connections())
                all += connection.Data();
            return all;
        }
        }
        return {};
    }

    // What arrived since `before` bytes had: over TCP the command goes after ESC t
    // on a connection of its own, the file on the next.
    bool Delivered(TPort port, qsizetype before, const QByteArray& command, const QByteArray& file) const
    {
        const QByteArray got = port == TPort::Usb ? Received(port) : Received(port).mid(before);
        if (port == TPort::Tcp && !command.isEmpty())
            return got == kEscT + command + file;
        return got == command + file;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(temp_.isValid());
        listener_ = std::make_unique<TRecordingListener>();
        pty_ = std::make_unique<TPtyPair>(temp_.path());
        QVERIFY(pty_->Start());
        fifo_ = std::make_unique<TFifoReader>(temp_.filePath(QStringLiteral("lp0")));
        QVERIFY(fifo_->Start());
        cups_ = std::make_unique<TCupsPeer>(temp_.filePath(QStringLiteral("cups")));
        QVERIFY(cups_->Start());
        QVERIFY(cups_->AddQueue(QStringLiteral("VornK3"), QString::fromLatin1(kK3.driver),
                                QStringLiteral("usb://Vorn/K3?serial=1")));
    }

    void init()
    {
        boxes_.clear();
        answer_ = nullptr;
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& box) {
            boxes_ << box;
            return answer_ ? answer_(box) : mrOk;
        });
        config_ = std::make_unique<TTempConfigHome>();
        form_ = std::make_unique<TFMainForm>();
        form_->show();
        form_->UsbPauseMs = 20;
        form_->SendThread->SetEsctTimeOut(20);
        form_->SendThread->SetDevicePaths({{QStringLiteral("COM1"), pty_->DevicePath()},
                                           {QStringLiteral("LPT1"), fifo_->DevicePath()},
                                           {QStringLiteral("COM2"), temp_.filePath(QStringLiteral("no-tty"))}});
        form_->JvIPAddress->setText(QStringLiteral("127.0.0.1"));
        form_->cxMaskEditIPPort->setText(QString::number(listener_->Port()));
        // A tick every few milliseconds: the wait is counted in ticks, never slept through.
        FProgressDlg->TimerStepProgressBar->setInterval(3);
        ticks_ = 0;
        connect(FProgressDlg->TimerStepProgressBar, &QTimer::timeout, this, [this] { ++ticks_; });
        pty_->ClearReceived();
    }

    void cleanup()
    {
        form_.reset();
        config_.reset();
        SetMessageBoxAnswerer({});
        QVERIFY(!HourglassShown());
    }

    // An update from the button to "Update done.", over each kind of port: a firmware
    // run in the modal progress dialog, a bootloader run behind the usable window.
    void updateEndToEnd_data()
    {
        QTest::addColumn<TPort>("port");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("size");
        const std::pair<const char*, TPort> ports[] = {
            {"serial", TPort::Serial}, {"parallel", TPort::Parallel}, {"USB", TPort::Usb}, {"TCP", TPort::Tcp}};
        for (const auto& [name, port] : ports) {
            QTest::addRow("firmware, %s", name) << port << 0 << 10000;
            QTest::addRow("bootloader, %s", name) << port << 1 << 10000;
        }
        QTest::newRow("firmware, TCP, one block") << TPort::Tcp << 0 << 4096;
        QTest::newRow("firmware, TCP, 1 MiB and a byte") << TPort::Tcp << 0 << (1 << 20) + 1;
    }
    void updateEndToEnd()
    {
        QFETCH(TPort, port);
        QFETCH(int, kind);
        QFETCH(int, size);
        QByteArray bytes;
        const qsizetype before = Received(port).size();
        Choose(kK3, kind, port);
        const QString file = WriteFile(kind == 0 ? QStringLiteral("313_k3.kx") : QStringLiteral("k3.bnl"), size, &bytes);
        if (kind == 0)
            form_->JvFilenameEdit->SetFileName(file);
        else
            Browse(file);
        form_->cxButtonUpdate->click(); // a firmware run returns when the progress dialog has closed
        if (kind == 1) {
            QVERIFY(!FProgressDlg->isVisible());
            QVERIFY(!HourglassShown());
        }
        QTRY_COMPARE_WITH_TIMEOUT(BoxTexts().size(), 2, 15000);
        QVERIFY(BoxTexts()[0].startsWith(kind == 0 ? QStringLiteral("Prepare the printer to update the firmware:")
                                                   : QStringLiteral("Prepare the printer to update the bootloader:")));
        QCOMPARE(BoxTexts()[1], QString::fromUtf8(kDone));
        QCOMPARE(boxes_[1].icon, QMessageBox::Information);
        // The update-mode command goes ahead of a firmware only.
        QTRY_VERIFY(Delivered(port, before, kind == 0 ? kCommand : QByteArray(), bytes));
        TGradientBar* bar = FProgressDlg->cxProgressBar1;
        QCOMPARE(bar->Maximum(), 2.0 * size);
        QCOMPARE(bar->OverloadValue(), double(size));
        QCOMPARE(bar->Position(), bar->Maximum());
        QCOMPARE(FProgressDlg->ProgressStep, static_cast<long double>(size) / 30.0L);
        QVERIFY2(ticks_ == 30 || ticks_ == 31, qPrintable(QString::number(ticks_)));
        QVERIFY(!FProgressDlg->isVisible());
        QVERIFY(!form_->UpdateRunning());
    }

    void bootloaderRunsWithTheWindowUsable()
    {
        QByteArray bytes;
        Choose(kK3, 1, TPort::Tcp);
        Browse(WriteFile(QStringLiteral("k3.bnl"), 9000, &bytes));
        listener_ = std::make_unique<TRecordingListener>();
        form_->cxMaskEditIPPort->setText(QString::number(listener_->Port()));
        FProgressDlg->TimerStepProgressBar->setInterval(50);
        form_->cxButtonUpdate->click(); // returns at once
        QVERIFY(!FProgressDlg->isVisible());
        QVERIFY(!FProgressDlg->cxProgressBar1->isVisible());
        QVERIFY(!HourglassShown());
        // A second Update during the run is refused and changes nothing.
        QTRY_COMPARE(FProgressDlg->TimerStepProgressBar->isActive(), true);
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts().value(1), QStringLiteral("An update is still running.\r\nPlease wait until it has ended."));
        QTRY_COMPARE_WITH_TIMEOUT(BoxTexts().value(2), QString::fromUtf8(kDone), 15000);
        // No update-mode command for a bootloader: the file alone, on one connection.
        QCOMPARE(int(listener_->Connections().size()), 1);
        QVERIFY(Delivered(TPort::Tcp, 0, QByteArray(), bytes));
        QVERIFY(!form_->UpdateRunning());

        // A firmware run afterwards shows the bar again.
        FProgressDlg->TimerStepProgressBar->setInterval(3);
        Choose(kK3, 0, TPort::Tcp);
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("k3.kx"), 100));
        QTimer::singleShot(0, this, [] { QVERIFY(FProgressDlg->cxProgressBar1->isVisible()); });
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts().constLast(), QString::fromUtf8(kDone));
    }

    void refusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("browsed");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("box");
        QTest::newRow("no name") << 6 << 0 << "" << "" << "File not found ";
        QTest::newRow("missing file") << 6 << 0 << "" << "gone.k1" << "File not found %1/gone.k1";
        QTest::newRow("a folder") << 6 << 0 << "" << "." << "File not found %1/.";
        QTest::newRow("capital extension") << 6 << 0 << "" << "fw.K1"
                                           << "The file fw.K1 is not a valid firmware file for this printer !";
        QTest::newRow("no extension") << 6 << 0 << "" << "fw"
                                      << "The file fw is not a valid firmware file for this printer !";
        QTest::newRow("bootloader of the last browse") << 10 << 1 << "x.bk1" << "r9.bnl"
                                                       << "The file r9.bnl is not a valid firmware file for this printer !";
        QTest::newRow("empty file") << 6 << 0 << "" << "empty.k1" << "The file empty.k1 is empty.";
    }
    void refusedBeforeAnythingIsSent()
    {
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(QString, browsed);
        QFETCH(QString, file);
        QFETCH(QString, box);
        if (!browsed.isEmpty()) {
            // The browse happens on row 6 with kind 1, then the model changes without a new browse.
            Choose({6, "", "", ""}, 1, TPort::Tcp);
            Browse(WriteFile(browsed, 10));
        }
        Choose({row, "", "", ""}, kind, TPort::Tcp);
        const QString path = file.isEmpty() ? QString() : temp_.filePath(file);
        if (file.startsWith(QLatin1String("fw")) || file.startsWith(QLatin1String("r9")))
            WriteFile(file, 10);
        if (file == QLatin1String("empty.k1"))
            WriteFile(file, 0);
        form_->JvFilenameEdit->SetFileName(path);
        const int connections = int(listener_->Connections().size());
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts(), QStringList{box.arg(temp_.path())});
        QCOMPARE(boxes_[0].icon, QMessageBox::Critical);
        QCOMPARE(int(listener_->Connections().size()), connections);
        QVERIFY(!HourglassShown());
    }

    void bootloaderExtensionFollowsTheLastBrowse()
    {
        Choose({6, "", "", ""}, 1, TPort::Tcp);
        Browse(WriteFile(QStringLiteral("k1.bk1"), 10));
        QCOMPARE(form_->JvFilenameEdit->Tag, 11);
        Choose({10, "", "", ""}, 1, TPort::Tcp);
        answer_ = [](const TMessageBoxRequest&) { return mrCancel; }; // stop at the prompt
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts().size(), 1);
        QVERIFY(BoxTexts()[0].startsWith(QStringLiteral("Prepare the printer to update the bootloader:")));
        QVERIFY(!HourglassShown());
    }

    void cancelDuringTheTransfer()
    {
        Choose(kK1_2, 0, TPort::Tcp);
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("big.kx"), 8 << 20));
        // A printer that takes nothing: the file cannot be gone before the cancel.
        listener_->SetStalled(true);
        // Cancel as soon as the first block is reported.
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (FProgressDlg->isVisible() && FProgressDlg->cxProgressBar1->Position() > 0 && !FProgressDlg->Cancelled)
                FProgressDlg->cxButton1->click();
        });
        poll.start(1);
        form_->cxButtonUpdate->click(); // the dialog closes at once on Cancel
        poll.stop();
        QVERIFY(FProgressDlg->Cancelled);
        QTRY_COMPARE_WITH_TIMEOUT(BoxTexts().value(1), QStringLiteral("Transfer cancelled by user."), 15000);
        listener_->SetStalled(false);
        QCOMPARE(boxes_[1].icon, QMessageBox::Critical);
        QCOMPARE(FProgressDlg->StatusBar->PanelText(0), QStringLiteral("Transfer cancelled by user."));
        QVERIFY(!FProgressDlg->TimerStepProgressBar->isActive());
        QCOMPARE(ticks_, 0);
        QTRY_VERIFY(!HourglassShown());
        QVERIFY(!form_->UpdateRunning());
    }

    void failureSaysWhatTheSystemSaid()
    {
        const QString missing = temp_.filePath(QStringLiteral("no-such-tty"));
        form_->SendThread->SetDevicePaths({{QStringLiteral("COM1"), missing}});
        Choose(kK3, 0, TPort::Serial);
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("k3.kx"), 100));
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts().value(1), QStringLiteral("Transfer failed."));
        QVERIFY2(boxes_[1].details.contains(missing) && boxes_[1].details.contains(QLatin1String("No such file")),
                 qPrintable(boxes_[1].details));
    }

    void writeFailureMidFile()
    {
        Choose(kK1_2, 0, TPort::Tcp);
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("fail.kx"), 4 << 20));
        listener_->SetResetAfter(100000);
        form_->cxButtonUpdate->click();
        listener_->SetResetAfter(0);
        QCOMPARE(BoxTexts().value(1), QStringLiteral("Transfer failed."));
        QCOMPARE(BoxTexts().size(), 2);
        QVERIFY(!FProgressDlg->isVisible());
        QVERIFY(!form_->UpdateRunning());
    }

    // The handlers' rules for the order of reports, outcomes and cancels.
    void outcomeAfterTheLastReport_data()
    {
        QTest::addColumn<bool>("cancelFirst");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("waitRuns");
        QTest::newRow("failure after the last report") << false << -1 << QStringList{"Transfer failed."} << false;
        QTest::newRow("cancel before the last report") << true << -2 << QStringList{"Transfer cancelled by user."}
                                                       << false;
        QTest::newRow("completed although cancelled late") << true << 0 << QStringList{} << false;
        QTest::newRow("completed") << false << 0 << QStringList{QString::fromUtf8(kDone)} << true;
    }
    void outcomeAfterTheLastReport()
    {
        QFETCH(bool, cancelFirst);
        QFETCH(int, outcome);
        QFETCH(bool, waitRuns);
        form_->cxComboBoxPrinterModel->setCurrentIndex(0); // a 14 s wait
        FProgressDlg->Cancelled = cancelFirst;
        ShowHourglass();
        form_->WMTransferProgress(10000, 4096);
        form_->WMTransferProgress(10000, 10000);
        QCOMPARE(FProgressDlg->TimerStepProgressBar->isActive(), !cancelFirst);
        if (!cancelFirst)
            QCOMPARE(FProgressDlg->ProgressStep, 10000.0L / 14.0L);
        form_->WMTransferOutcome(outcome);
        QTRY_COMPARE_WITH_TIMEOUT(BoxTexts(), [&] {
            QFETCH(QStringList, boxes);
            return boxes;
        }(), 5000);
        QCOMPARE(ticks_ >= 14, waitRuns);
        QVERIFY(!FProgressDlg->TimerStepProgressBar->isActive());
        QVERIFY(!HourglassShown());
    }

    void spoolerQueryFailuresChangeNothing()
    {
        form_->WMTransferOutcome(-3);
        form_->WMTransferOutcome(-4);
        QVERIFY(boxes_.isEmpty());
    }

    void waitEndsAtTheLastTick_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("seconds");
        for (qint64 size : {qint64(1), qint64(4096), qint64(10000), qint64(3 << 20) + 7, qint64(5) << 30}) {
            QTest::addRow("14 s, %lld bytes", size) << 0 << size << 14;
            QTest::addRow("30 s, %lld bytes", size) << 9 << size << 30;
            QTest::addRow("35 s, %lld bytes", size) << 18 << size << 35;
        }
    }
    void waitEndsAtTheLastTick()
    {
        QFETCH(int, row);
        QFETCH(qint64, size);
        QFETCH(int, seconds);
        form_->cxComboBoxPrinterModel->setCurrentIndex(row);
        FProgressDlg->TimerStepProgressBar->setInterval(0);
        form_->WMTransferProgress(size, size);
        QTRY_COMPARE(BoxTexts(), QStringList{QString::fromUtf8(kDone)});
        QVERIFY2(ticks_ == seconds || ticks_ == seconds + 1, qPrintable(QString::number(ticks_)));
        QVERIFY(FProgressDlg->cxProgressBar1->Position() <= FProgressDlg->cxProgressBar1->Maximum());
        QCOMPARE(FProgressDlg->StatusBar->PanelText(0), QString());
    }

    void usbQueues_data()
    {
        QTest::addColumn<QStringList>("extraQueues"); // name|driver|uri
        QTest::addColumn<QString>("state");           // "", "offline", "paused", "both"
        QTest::addColumn<int>("choose");              // row picked in the chooser, -1 Cancel
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("receiver");
        QTest::newRow("one fitting queue") << QStringList{} << "" << -2 << "" << "VornK3";
        QTest::newRow("two queues, the second chosen")
            << QStringList{"VornK3b|vorn k3 (second)|usb://Vorn/K3?serial=2"} << "" << 1 << "" << "VornK3b";
        QTest::newRow("two queues, chooser cancelled")
            << QStringList{"VornK3b|vorn k3 (second)|usb://Vorn/K3?serial=2"} << "" << -1 << "" << "";
        QTest::newRow("offline") << QStringList{} << "offline" << -2
                                 << "The printer you are trying to update is currently offline.\r\n"
                                    "Please first start the printer and then try again."
                                 << "";
        QTest::newRow("paused") << QStringList{} << "paused" << -2
                                << "The printer you are trying to update is currently paused.\r\n"
                                   "Please first start the printer and then try again."
                                << "";
        QTest::newRow("paused and offline") << QStringList{} << "both" << -2
                                            << "The printer you are trying to update is currently paused.\r\n"
                                               "Please first start the printer and then try again."
                                            << "";
    }
    void usbQueues()
    {
        QFETCH(QStringList, extraQueues);
        QFETCH(QString, state);
        QFETCH(int, choose);
        QFETCH(QString, box);
        QFETCH(QString, receiver);
        for (const QString& queue : extraQueues) {
            const QStringList parts = queue.split(QLatin1Char('|'));
            QVERIFY(cups_->AddQueue(parts[0], parts[1], parts[2]));
        }
        QVERIFY(cups_->Pause(QStringLiteral("VornK3"), state == QLatin1String("paused") || state == QLatin1String("both")));
        QVERIFY(cups_->Reject(QStringLiteral("VornK3"), state == QLatin1String("offline") || state == QLatin1String("both")));
        const int before = int(cups_->Captured(receiver.isEmpty() ? QStringLiteral("VornK3") : receiver).size());

        bool chooserShown = false;
        QTimer::singleShot(0, this, [&] {
            if (!FUSBPrinters || !FUSBPrinters->isVisible())
                return;
            chooserShown = true;
            QCOMPARE(FUSBPrinters->cxListView1->topLevelItemCount(), 2);
            QCOMPARE(FUSBPrinters->SelectedIndex(), 0); // a row is chosen from the start
            if (choose < 0) {
                FUSBPrinters->cxButton2->click();
                return;
            }
            FUSBPrinters->cxListView1->setCurrentItem(FUSBPrinters->cxListView1->topLevelItem(choose));
            FUSBPrinters->cxButton1->click();
        });
        Choose(kK3, 0, TPort::Usb);
        QByteArray bytes;
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("usb.kx"), 5000, &bytes));
        form_->cxButtonUpdate->click();

        for (const QString& queue : extraQueues)
            QVERIFY(cups_->RemoveQueue(queue.section(QLatin1Char('|'), 0, 0)));
        QVERIFY(cups_->Pause(QStringLiteral("VornK3"), false));
        QVERIFY(cups_->Reject(QStringLiteral("VornK3"), false));

        QCOMPARE(chooserShown, choose >= -1);
        if (!box.isEmpty()) {
            QCOMPARE(BoxTexts(), QStringList{box});
        } else if (receiver.isEmpty()) {
            QVERIFY(boxes_.isEmpty());
        } else {
            QCOMPARE(BoxTexts().constLast(), QString::fromUtf8(kDone));
            QTRY_COMPARE_WITH_TIMEOUT(int(cups_->Captured(receiver).size()), before + 1, 15000);
            QCOMPARE(cups_->Captured(receiver).constLast(), kCommand + bytes);
        }
    }

    void noFittingUsbQueue()
    {
        Choose(kK1_2, 0, TPort::Usb);
        form_->JvFilenameEdit->SetFileName(WriteFile(QStringLiteral("k12.kx"), 10));
        form_->cxButtonUpdate->click();
        QCOMPARE(BoxTexts(), QStringList{"No USB Windows driver seems to be installed.\r\n"
                                         "Please install the Windows driver first."});
        QCOMPARE(form_->SendThread->PortName(), QStringLiteral("USB"));
    }

    void closingDuringABootloaderTransfer()
    {
        Choose(kK1_2, 1, TPort::Tcp);
        Browse(WriteFile(QStringLiteral("big.bnl"), 64 << 20));
        form_->cxButtonUpdate->click();
        QTRY_VERIFY(FProgressDlg->cxProgressBar1->Position() > 0);
        form_->close(); // no question; the worker is cancelled and waited for
        QVERIFY(!form_->SendThread);
        QVERIFY(!form_->isVisible());
    }
};

QTEST_MAIN(TestUpdateWorkflow)
#include "tst_UpdateWorkflow.moc"
