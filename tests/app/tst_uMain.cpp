#include "app/uComboBox.h"
#include "app/uCommonRes.h"
#include "app/uFilenameEdit.h"
#include "app/uMain.h"
#include "app/uMessageBox.h"
#include "app/uPicture.h"
#include "app/uRadioGroup.h"
#include "ports/uComPortDlg.h"
#include "ports/uParallelPortDlg.h"
#include "support/TempConfigHome.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

QStringList Captions(const TRadioGroup* group)
{
    QStringList captions;
    for (int i = 0; i < group->Count(); ++i)
        captions << group->Caption(i);
    return captions;
}

const QStringList kFourPorts{"COM1", "LPT1", "USB", "Ethernet"};
const QStringList kTwoPorts{"COM1", "LPT1"};
const QStringList kR9Ports{"COM1", "USB", "Ethernet"};

} // namespace

class TestMainForm : public QObject
{
    Q_OBJECT

    // Each window reads and writes its settings in a folder of its own.
    std::unique_ptr<TTempConfigHome> config_;
    std::unique_ptr<TFMainForm> form_;
    QList<TMessageBoxRequest> boxes_;
    int answer_ = mrOk;

    void SelectModel(int row) { form_->cxComboBoxPrinterModel->setCurrentIndex(row); }

private slots:
    void init()
    {
        boxes_.clear();
        answer_ = mrOk;
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& r) {
            boxes_ << r;
            return answer_;
        });
        config_ = std::make_unique<TTempConfigHome>();
        form_ = std::make_unique<TFMainForm>();
    }
    void cleanup()
    {
        form_.reset();
        config_.reset();
        SetMessageBoxAnswerer({});
        QVERIFY(!FComPortDlg && !FParallelPortDlg && !FMainForm);
    }

    void startsOnDesignModel()
    {
        QCOMPARE(form_->windowTitle(), QStringLiteral("vornFirmwareUpdater"));
        QCOMPARE(form_->cxComboBoxPrinterModel->currentText(), QStringLiteral("K1-2"));
        QCOMPARE(form_->ModelRow(), 5);
        QCOMPARE(Captions(form_->cxRadioGroupPort), kFourPorts);
        QCOMPARE(form_->cxRadioGroupPort->ItemIndex(), 0);
        QCOMPARE(Captions(form_->cxRadioGroupUpdateKind), (QStringList{"Firmware", "Bootloader"}));
        QCOMPARE(form_->cxComboBoxPrinterModel->count(), kModelCount);
        QCOMPARE(form_->cxComboBoxPrinterModel->maxVisibleItems(), 10);
        QVERIFY(form_->findChild<QWidget*>("ImageK1_2")->isVisibleTo(form_.get()));
        QCOMPARE(form_->cxMaskEditIPPort->text(), QStringLiteral("9100"));
        QCOMPARE(form_->JvIPAddress->text(), QStringLiteral("192.168.10.110"));
    }

    void portChoice_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("index");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<bool>("configureShown");
        QTest::addColumn<int>("configureTop");
        QTest::addColumn<bool>("ipEnabled");
        QTest::addColumn<bool>("ipShown");
        QTest::newRow("row 0 serial") << 0 << 0 << kTwoPorts << true << 64 << false << false;
        QTest::newRow("row 0 parallel") << 0 << 1 << kTwoPorts << true << 110 << false << false;
        QTest::newRow("row 5 serial") << 5 << 0 << kFourPorts << true << 53 << false << true;
        QTest::newRow("row 5 parallel") << 5 << 1 << kFourPorts << true << 77 << false << true;
        QTest::newRow("row 5 USB") << 5 << 2 << kFourPorts << false << -1 << false << true;
        QTest::newRow("row 5 Ethernet") << 5 << 3 << kFourPorts << false << -1 << true << true;
        QTest::newRow("row 10 serial") << 10 << 0 << kR9Ports << true << 58 << false << true;
        QTest::newRow("row 10 USB") << 10 << 1 << kR9Ports << false << -1 << false << true;
        QTest::newRow("row 10 Ethernet") << 10 << 2 << kR9Ports << false << -1 << true << true;
        QTest::newRow("row 13 serial") << 13 << 0 << kFourPorts << true << 53 << false << true;
        QTest::newRow("row 13 parallel") << 13 << 1 << kFourPorts << true << 77 << false << true;
        QTest::newRow("row 13 Ethernet") << 13 << 3 << kFourPorts << false << -1 << true << true;
    }
    void portChoice()
    {
        QFETCH(int, row);
        QFETCH(int, index);
        form_->show();
        SelectModel(row);
        // Through Ethernet first, so that every case also shows the way back.
        form_->cxRadioGroupPort->SetItemIndex(form_->cxRadioGroupPort->Count() - 1);
        form_->cxRadioGroupPort->SetItemIndex(index);
        QTEST(Captions(form_->cxRadioGroupPort), "entries");
        QTEST(form_->cxButtonPort->isVisible(), "configureShown");
        if (form_->cxButtonPort->isVisible())
            QTEST(form_->cxButtonPort->y(), "configureTop");
        QTEST(form_->JvIPAddress->isEnabled(), "ipEnabled");
        QTEST(form_->cxMaskEditIPPort->isEnabled(), "ipEnabled");
        QTEST(form_->LabelIPPort->isEnabled(), "ipEnabled");
        QTEST(form_->JvIPAddress->isVisible(), "ipShown");
        QTEST(form_->cxMaskEditIPPort->isVisible(), "ipShown");
        QTEST(form_->LabelIPPort->isVisible(), "ipShown");
    }

    void portRebuild_data()
    {
        QTest::addColumn<int>("fromRow");
        QTest::addColumn<int>("fromIndex");
        QTest::addColumn<int>("toRow");
        QTest::addColumn<int>("toIndex");
        QTest::addColumn<int>("ipTop");
        QTest::newRow("USB on row 5 to row 2: last entry") << 5 << 2 << 2 << 1 << -1;
        QTest::newRow("parallel on row 0 to row 3: kept") << 0 << 1 << 3 << 1 << -1;
        QTest::newRow("Ethernet to R9: serial") << 5 << 3 << 10 << 0 << 119;
        QTest::newRow("USB on R9 to row 5: third entry") << 10 << 1 << 5 << 1 << 124;
        QTest::newRow("Ethernet on row 7 to row 13: kept") << 7 << 3 << 13 << 3 << 124;
        QTest::newRow("serial on row 0 to row 18") << 0 << 0 << 18 << 0 << 124;
    }
    void portRebuild()
    {
        QFETCH(int, fromRow);
        QFETCH(int, fromIndex);
        QFETCH(int, toRow);
        QFETCH(int, toIndex);
        QFETCH(int, ipTop);
        form_->show();
        SelectModel(fromRow);
        form_->cxRadioGroupPort->SetItemIndex(fromIndex);
        SelectModel(toRow);
        QCOMPARE(form_->cxRadioGroupPort->ItemIndex(), toIndex);
        const bool ethernet = form_->cxRadioGroupPort->Caption(toIndex) == QLatin1String("Ethernet");
        QCOMPARE(form_->JvIPAddress->isEnabled(), ethernet);
        if (ipTop >= 0) {
            QCOMPARE(form_->JvIPAddress->y(), ipTop);
            QCOMPARE(form_->cxMaskEditIPPort->y(), ipTop);
            QCOMPARE(form_->PanelIPPort->y(), ipTop - 16);
        }
    }

    void updateKindsPerModel_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("kinds");
        QTest::newRow("Corvin") << 0 << QStringList{"Firmware"};
        QTest::newRow("K7 200dpi") << 4 << QStringList{"Firmware"};
        QTest::newRow("K1-2") << 5 << QStringList{"Firmware", "Bootloader"};
        QTest::newRow("R9") << 10 << QStringList{"Firmware", "Bootloader"};
        QTest::newRow("Nerio K") << 11 << QStringList{"Firmware", "Bootloader"};
        QTest::newRow("K0+") << 12 << QStringList{"Firmware", "PPP"};
        QTest::newRow("ZL6") << 18 << QStringList{"Firmware", "PPP"};
    }
    void updateKindsPerModel()
    {
        QFETCH(int, row);
        SelectModel(row);
        QTEST(Captions(form_->cxRadioGroupUpdateKind), "kinds");
        QCOMPARE(form_->UpdateKind(), 0);
    }

    void closingTheListReappliesTheModel()
    {
        SelectModel(7);
        form_->cxRadioGroupUpdateKind->SetItemIndex(1);
        form_->cxComboBoxPrinterModel->showPopup();
        form_->cxComboBoxPrinterModel->hidePopup();
        QCOMPARE(form_->ModelRow(), 7);
        QCOMPARE(form_->UpdateKind(), 0);
    }

    void onePicturePerModel()
    {
        form_->show();
        for (int row = 0; row < kModelCount; ++row) {
            SelectModel(row);
            QStringList visible;
            for (TPicture* picture : form_->ModelPictures)
                if (picture->isVisible())
                    visible << picture->objectName();
            QCOMPARE(visible, QStringList{QString::fromLatin1(PictureNames[PictureOfRow(row)])});
        }
        SelectModel(1);
        QVERIFY(form_->findChild<QWidget*>("ImageCorvin5")->isVisible());
        SelectModel(3);
        QVERIFY(form_->findChild<QWidget*>("ImageCorvin6")->isVisible());
        SelectModel(18);
        QCOMPARE(form_->findChild<QWidget*>("ImageZL6")->pos(), QPoint(390, 18));
    }

    void instructionPrompt_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("opening");
        QTest::newRow("Corvin firmware") << 2 << 0 << "Prepare the printer to update the firmware:\r\n 1) Switch";
        QTest::newRow("R9 firmware") << 10 << 0 << "Prepare the printer to update the firmware:\r\n 1) Check that";
        QTest::newRow("K1-2 firmware") << 5 << 0 << "Prepare the printer to update the firmware:\r\n 1) Make sure";
        QTest::newRow("K0+ firmware") << 12 << 0 << "Prepare the printer to update the firmware:\r\n 1) Make sure";
        QTest::newRow("R9 bootloader") << 10 << 1 << "Prepare the printer to update the bootloader:";
        QTest::newRow("Nerio K bootloader") << 11 << 1 << "Prepare the printer to update the bootloader:";
        QTest::newRow("QZ PPP") << 17 << 1 << "Prepare the printer to send your PPP file:";
    }
    void instructionPrompt()
    {
        QFETCH(int, row);
        QFETCH(int, kind);
        QFETCH(QString, opening);
        SelectModel(row);
        form_->cxRadioGroupUpdateKind->SetItemIndex(kind);
        answer_ = mrCancel;
        QCOMPARE(form_->ConfirmPrinterReady(), mrCancel);
        answer_ = mrOk;
        QCOMPARE(form_->ConfirmPrinterReady(), mrOk);
        QCOMPARE(boxes_.size(), 2);
        QVERIFY2(boxes_[0].text.startsWith(opening), qPrintable(boxes_[0].text));
        QCOMPARE(boxes_[0].icon, QMessageBox::Information);
        QCOMPARE(boxes_[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }
    void corvinPromptQuotesTheScreenText()
    {
        SelectModel(0);
        form_->ConfirmPrinterReady();
        QVERIFY(boxes_.value(0).text.contains(QStringLiteral("displaying \"SYSTEM UPDATE\"\r\n\r\nNow")));
    }

    void browseFilter_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("filterRow");
        QTest::addColumn<QString>("filter");
        QTest::newRow("Corvin 5/300") << 1 << 0 << 2 << "Firmware Corvin 5/300|*.53h";
        QTest::newRow("K7 200dpi") << 4 << 0 << 8 << "Firmware K7/200|*.k7";
        QTest::newRow("K1-2 firmware") << 5 << 0 << 12 << "Firmware K1.400, K3, K5, K7/300, NerioK|*.kx";
        QTest::newRow("K1 bootloader") << 6 << 1 << 11 << "Bootloader K1|*.bk1";
        QTest::newRow("K5 bootloader") << 8 << 1 << 13 << "Bootloader K1.400, K3, K5, K7/300, NerioK|*.bnl";
        QTest::newRow("R9 bootloader") << 10 << 1 << 15 << "Bootloader R9|*.bnl";
        QTest::newRow("Nerio K firmware") << 11 << 0 << 12 << "Firmware K1.400, K3, K5, K7/300, NerioK|*.kx";
        QTest::newRow("Brisk 9 PPP") << 16 << 1 << 17 << "PPP K+, Brisk9, QZ, ZL6|*.ppp";
    }
    void browseFilter()
    {
        QFETCH(int, row);
        QFETCH(int, kind);
        SelectModel(row);
        form_->cxRadioGroupUpdateKind->SetItemIndex(kind);
        QString offered;
        TFilenameEdit::SetDialogForTests([&](const QString& filter, const QString&) {
            offered = filter;
            return std::pair<QString, bool>{QString(), false};
        });
        form_->JvFilenameEdit->Browse();
        TFilenameEdit::SetDialogForTests({});
        QTEST(offered, "filter");
        QTEST(form_->JvFilenameEdit->Tag, "filterRow");
        QCOMPARE(form_->JvFilenameEdit->FilterIndex(), 0);
    }

    void configureRenamesTheEntry_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("serial") << 0 << "COM3";
        QTest::newRow("parallel") << 1 << "LPT2";
    }
    void configureRenamesTheEntry()
    {
        QFETCH(int, index);
        QFETCH(QString, chosen);
        form_->show();
        form_->cxRadioGroupPort->SetItemIndex(index);
        QTimer::singleShot(0, this, [&] {
            auto dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            auto port = dialog->findChild<QComboBox*>("cxImageComboBoxPort");
            port->setCurrentIndex(port->findText(chosen));
            dialog->findChild<QPushButton*>("cxButtonOK")->click();
        });
        form_->cxButtonPort->click();
        QCOMPARE(form_->cxRadioGroupPort->Caption(index), chosen);
        // The chosen device names stay when the entries are rebuilt for another model.
        SelectModel(2);
        QCOMPARE(form_->cxRadioGroupPort->Caption(index), chosen);
    }

    void serialDialogRefusesDataBitsThatAreNoNumber()
    {
        InitComPortDlg(form_.get());
        TFComPortDlg* dialog = FComPortDlg;
        QTimer::singleShot(0, this, [&] {
            dialog->cxImageComboBoxPort->setCurrentIndex(1);
            dialog->cxImageComboBoxStopBits->setCurrentIndex(2);
            dialog->cxTextEditDataSize->setText(QStringLiteral("x"));
            dialog->cxButtonOK->click();
            QVERIFY(dialog->isVisible());
            // The port is taken before the conversion fails; the stop bits only after it succeeds.
            QCOMPARE(dialog->SerialPort->Name, QStringLiteral("COM2"));
            QCOMPARE(int(dialog->SerialPort->StopBits), 0);
            dialog->cxTextEditDataSize->setText(QStringLiteral("7"));
            dialog->close(); // the close box takes the values like OK
        });
        ShowComPortDlg(form_.get(), QStringLiteral("COM9"));
        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(boxes_[0].text, QStringLiteral("'x' is not a valid integer value."));
        QCOMPARE(boxes_[0].icon, QMessageBox::Critical);
        QCOMPARE(dialog->SerialPort->Name, QStringLiteral("COM2"));
        QCOMPARE(int(dialog->SerialPort->ByteSize), 7);
        QCOMPARE(int(dialog->SerialPort->StopBits), 2);
        QCOMPARE(dialog->SerialPort->BaudRate, 57600);
    }

    void ipPortFieldTakesOnlyPortNumbers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("highest") << "65535" << "65535";
        QTest::newRow("above highest") << "65536" << "6553";
        QTest::newRow("zero") << "0" << "0";
        QTest::newRow("leading zeros") << "00080" << "00080";
        QTest::newRow("letters") << "9a1" << "91";
    }
    void ipPortFieldTakesOnlyPortNumbers()
    {
        QFETCH(QString, typed);
        form_->show();
        form_->cxRadioGroupPort->SetItemIndex(3);
        form_->cxMaskEditIPPort->clear();
        QTest::keyClicks(form_->cxMaskEditIPPort, typed);
        QTEST(form_->cxMaskEditIPPort->text(), "kept");
    }

    void tabOrderFollowsTheWindow()
    {
        form_->show();
        SelectModel(10); // entries made anew
        QStringList order;
        QWidget* w = form_->cxComboBoxPrinterModel;
        for (int i = 0; i < 11; ++i, w = w->nextInFocusChain()) {
            while (!(w->focusPolicy() & Qt::TabFocus))
                w = w->nextInFocusChain();
            order << w->objectName();
        }
        QCOMPARE(order, (QStringList{"cxComboBoxPrinterModel", "cxRadioGroupPortItem0", "cxRadioGroupPortItem1",
                                     "cxRadioGroupPortItem2", "cxButtonPort", "JvIPAddress", "cxMaskEditIPPort",
                                     "cxRadioGroupUpdateKindItem0", "cxRadioGroupUpdateKindItem1",
                                     "JvFilenameEditText", "cxButtonUpdate"}));
    }

    void closeButtonAndEscape()
    {
        form_->show();
        QTest::keyClick(form_.get(), Qt::Key_Escape);
        QVERIFY(form_->isVisible());
        form_->cxButtonClose->click();
        QVERIFY(!form_->isVisible());
    }
};

QTEST_MAIN(TestMainForm)
#include "tst_uMain.moc"
