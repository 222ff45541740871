#include "app/uMessageBox.h"
#include "ports/uUSBPrinters.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <functional>
#include <memory>

class TestUSBPrinters : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> owner_;

    // Shows the chooser for printers and lets act decide, inside its modal loop.
    int Choose(const QStringList& printers, const std::function<void()>& act)
    {
        QTimer::singleShot(0, this, act);
        return ChooseUSBPrinter(owner_.get(), printers);
    }

    QStringList Rows() const
    {
        QStringList rows;
        for (int i = 0; i < FUSBPrinters->cxListView1->topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = FUSBPrinters->cxListView1->topLevelItem(i);
            rows << item->text(0) + QLatin1Char('|') + item->text(1);
        }
        return rows;
    }

private slots:
    void init() { owner_ = std::make_unique<QWidget>(); }
    void cleanup()
    {
        owner_.reset();
        QVERIFY(!FUSBPrinters); // destroyed with its owner
    }

    void firstRowChosenFromTheStart()
    {
        const QStringList printers{"K3 office=usb://Vorn/K3?serial=1", "K3 bench=usb://Vorn/K3?serial=2"};
        int selectedAtOpen = -2;
        QCOMPARE(Choose(printers,
                        [&] {
                            selectedAtOpen = FUSBPrinters->SelectedIndex();
                            FUSBPrinters->cxButton1->click();
                        }),
                 mrOk);
        QCOMPARE(selectedAtOpen, 0);
        QCOMPARE(FUSBPrinters->SelectedIndex(), 0);
    }

    void okWithoutARowKeepsTheDialogOpen()
    {
        const QStringList printers{"A=usb://a", "B=usb://b"};
        bool stayedOpen = false;
        bool okEnabled = true;
        QCOMPARE(Choose(printers,
                        [&] {
                            FUSBPrinters->cxListView1->clearSelection();
                            okEnabled = FUSBPrinters->cxButton1->isEnabled();
                            FUSBPrinters->cxButton1->click();
                            stayedOpen = FUSBPrinters->isVisible();
                            FUSBPrinters->cxListView1->setCurrentItem(FUSBPrinters->cxListView1->topLevelItem(1));
                            FUSBPrinters->cxButton1->click();
                        }),
                 mrOk);
        QVERIFY(!okEnabled);
        QVERIFY(stayedOpen);
        QCOMPARE(FUSBPrinters->SelectedIndex(), 1);
    }

    void cancelAndEscape_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Cancel button") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelAndEscape()
    {
        QFETCH(bool, escape);
        QCOMPARE(Choose({"A=usb://a", "B=usb://b"},
                        [&] {
                            if (escape)
                                QTest::keyClick(FUSBPrinters, Qt::Key_Escape);
                            else
                                FUSBPrinters->cxButton2->click();
                        }),
                 mrCancel);
    }

    void rowsFollowTheLastList()
    {
        Choose({"A=usb://a", "B=usb://b", "C=usb://c"}, [] { FUSBPrinters->cxButton2->click(); });
        QCOMPARE(Rows().size(), 3);
        // A name holding "=": the line splits at its first one.
        Choose({"X=Y=usb://x", "Z"}, [] { FUSBPrinters->cxButton2->click(); });
        QCOMPARE(Rows(), (QStringList{"X|Y=usb://x", "Z|"}));
    }
};

QTEST_MAIN(TestUSBPrinters)
#include "tst_uUSBPrinters.moc"
