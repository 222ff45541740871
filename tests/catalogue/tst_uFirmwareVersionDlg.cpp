#include <memory>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QLocale>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QStandardItemModel>
#include <QTableView>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "app/uMessageBox.h"
#include "app/uPaths.h"
#include "app/uTranslation.h"
#include "catalogue/uFirmwareList.h"
#include "catalogue/uFirmwareVersionDlg.h"
#include "support/FtpPeer.h"

namespace {

// One listing line in the server's long-listing layout.
QByteArray Line(const char* attributes, const char* size, const char* date, const QByteArray& name)
{
    return QByteArray(attributes) + "    1 ftp      ftp     " + size + " " + date + " " + name + "\r\n";
}

QStringList RowsOf(const QStandardItemModel& model)
{
    QStringList rows;
    for (int r = 0; r < model.rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < model.columnCount(); ++c)
            cells << model.index(r, c).data().toString();
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestFirmwareVersionDlg : public QObject
{
    Q_OBJECT

    QTemporaryDir config_;
    QStringList boxes_;

    static bool StartPeer(TFtpPeer& peer, const TFtpPeer::TOptions& options)
    {
        QString error;
        if (!peer.Start(options, &error)) {
            qWarning("%s", qPrintable(error));
            return false;
        }
        SetCatalogueServer({QStringLiteral("127.0.0.1"), peer.Port(), 15});
        return true;
    }

    // Creates the dialog as the menu does, closing it as soon as it shows.
    void OpenAndClose()
    {
        QTimer closer;
        connect(&closer, &QTimer::timeout, this, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        closer.start(10);
        ShowFirmwareVersionDlg(nullptr);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(config_.isValid());
        qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
        SetMessageBoxAnswerer([this](const TMessageBoxRequest& box) {
            boxes_ << box.text;
            return mrOk;
        });
    }

    void init()
    {
        boxes_.clear();
        QVERIFY(QDir().mkpath(SettingsFolder()));
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    void cleanup()
    {
        delete FFirmwareVersionDlg;
        QVERIFY(FFirmwareVersionDlg == nullptr);
    }

    void listingGivesRows_data()
    {
        QTest::addColumn<QByteArray>("listing");
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("rows");

        QTest::newRow("3.13 .kx file: the four older models, not Nerio K")
            << QByteArray("total 24\r\n") + Line("-rw-r--r--", "786432", "Mar 01  2024", "313_k3.kx") << "en_US"
            << QStringList{"K1-2|3.13|313_k3.kx|768 KB|Mar 01 2024|-rw-r--r--",
                           "K3|3.13|313_k3.kx|768 KB|Mar 01 2024|-rw-r--r--",
                           "K5|3.13|313_k3.kx|768 KB|Mar 01 2024|-rw-r--r--",
                           "K7/300|3.13|313_k3.kx|768 KB|Mar 01 2024|-rw-r--r--"};
        QTest::newRow("other .kx version: Nerio K only")
            << Line("-rw-r--r--", "70000", "Dec 11 00:57", "402_nk.kx") << "en_US"
            << QStringList{"Nerio K|4.02|402_nk.kx|68 KB|Dec 11 00:57|-rw-r--r--"};
        QTest::newRow(".x2 file: seven models in collation order")
            << Line("-rw-r--r--", "9", "Dec 11 00:57", "105_x.x2") << "en_US"
            << QStringList{"Brisk9|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "K0+|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "K3+|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "K5+|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "K7+|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "QZ|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--",
                           "ZL6|1.05|105_x.x2|9 Bytes|Dec 11 00:57|-rw-r--r--"};
        QTest::newRow("extension compared with its case")
            << Line("-rw-r--r--", "100", "Jan 05  2009", "FW313.KX") << "en_US" << QStringList{};
        QTest::newRow("size boundaries, leading zero; rows of one model keep their order")
            << Line("-rw-r--r--", "1023", "Jan 1 2020", "101_a.k1") + Line("-rw-r--r--", "1024", "Jan 1 2020", "102_b.k1") +
                   Line("-rw-r--r--", "1048575", "Jan 1 2020", "103_c.k1") +
                   Line("-rw-r--r--", "1048576", "Jan 1 2020", "104_d.k1") +
                   Line("-rw-r--r--", "2097151", "Jan 1 2020", "105_e.k1") +
                   Line("-rw-r--r--", "0512", "Jan 1 2020", "106_f.k1")
            << "en_US"
            << QStringList{"K1|1.01|101_a.k1|1023 Bytes|Jan 1 2020|-rw-r--r--",
                           "K1|1.02|102_b.k1|1 KB|Jan 1 2020|-rw-r--r--",
                           "K1|1.03|103_c.k1|1023 KB|Jan 1 2020|-rw-r--r--",
                           "K1|1.04|104_d.k1|1.00 MB|Jan 1 2020|-rw-r--r--",
                           "K1|1.05|105_e.k1|2.00 MB|Jan 1 2020|-rw-r--r--",
                           "K1|1.06|106_f.k1|0512 Bytes|Jan 1 2020|-rw-r--r--"};
        QTest::newRow("megabytes with the user's decimal separator")
            << Line("-rw-r--r--", "1572864", "Jan 1 2020", "150.r9") << "de_DE"
            << QStringList{"R9|1.50|150.r9|1,50 MB|Jan 1 2020|-rw-r--r--"};
        QTest::newRow("runs of spaces in the date, name kept with its spaces, cut to 20")
            << QByteArray("-rw-r--r--   1 ftp  ftp   100 Jan  5    2009   510 corvin  long name.52h\n") << "en_US"
            << QStringList{"Corvin 5/200|5.10|510 corvin  long nam|100 Bytes|Jan 5 2009|-rw-r--r--"};
        QTest::newRow("directory entry keeps its rows, attributes without the d")
            << Line("drwxr-xr-x", "4096", "Jan 1 2020", "200.k7") << "en_US"
            << QStringList{"K7/200|2.00|200.k7|4 KB|Jan 1 2020|rwxr-xr-x"};

        // What a server may send that no sound listing holds.
        QTest::newRow("sizes beyond 32 bits still convert; non-numbers are shown as written")
            << Line("-rw-r--r--", "3221225472", "Jan 1 2020", "301.r9") + Line("-rw-r--r--", "12ab", "Jan 1 2020", "302.r9") +
                   Line("-rw-r--r--", "-5", "Jan 1 2020", "303.r9") +
                   Line("-rw-r--r--", "99999999999999999999999", "Jan 1 2020", "304.r9")
            << "en_US"
            << QStringList{"R9|3.01|301.r9|3072.00 MB|Jan 1 2020|-rw-r--r--", "R9|3.02|302.r9|12ab|Jan 1 2020|-rw-r--r--",
                           "R9|3.03|303.r9|-5|Jan 1 2020|-rw-r--r--",
                           "R9|3.04|304.r9|99999999999999999999999|Jan 1 2020|-rw-r--r--"};
        QTest::newRow("missing fields and empty lines give nothing; a bare extension is a name")
            << QByteArray("\n\r\n-rw-r--r-- 1 ftp ftp 10 Jan 1 x.k1\n-rw-r--r-- 1 ftp ftp 10 Jan 1 2020 \n"
                          "-rw-r--r-- 1 ftp ftp 10 Jan 1 2020 .k1\nd\n")
            << "en_US" << QStringList{"K1|..k1|.k1|10 Bytes|Jan 1 2020|-rw-r--r--"};
        QTest::newRow("over-long line passed over, the next one read")
            << Line("-rw-r--r--", "10", "Jan 1 2020", QByteArray(100000, 'x') + ".k1") +
                   Line("-rw-r--r--", "10", "Jan 1 2020", "111_ok.k1")
            << "en_US" << QStringList{"K1|1.11|111_ok.k1|10 Bytes|Jan 1 2020|-rw-r--r--"};
        const QString nulName = QStringLiteral("n") + QChar(0) + QStringLiteral("l") + QChar(1) + QStringLiteral(".k1");
        QTest::newRow("Latin-1 and UTF-8 names, NUL and control bytes")
            << Line("-rw-r--r--", "10", "Jan 1 2020", "\xe9t\xe9.k1") +
                   Line("-rw-r--r--", "10", "Jan 1 2020", "\xc3\xa9t\xc3\xa9.k1") +
                   Line("-rw-r--r--", "10", "Jan 1 2020", QByteArray("n\0l\x01.k1", 7))
            << "en_US"
            << QStringList{QString::fromUtf8("K1|\xc3\xa9.t\xc3\xa9|\xc3\xa9t\xc3\xa9.k1|10 Bytes|Jan 1 2020|-rw-r--r--"),
                           QString::fromUtf8("K1|\xc3\xa9.t\xc3\xa9|\xc3\xa9t\xc3\xa9.k1|10 Bytes|Jan 1 2020|-rw-r--r--"),
                           QStringLiteral("K1|") + nulName.left(1) + QLatin1Char('.') + nulName.mid(1, 2) +
                               QLatin1Char('|') + nulName + QStringLiteral("|10 Bytes|Jan 1 2020|-rw-r--r--")};
        QTest::newRow("last line without its end") << QByteArray("-rw-r--r-- 1 ftp ftp 10 Jan 1 2020 999_z.k1") << "en_US"
                                                    << QStringList{"K1|9.99|999_z.k1|10 Bytes|Jan 1 2020|-rw-r--r--"};
        QTest::newRow("empty listing") << QByteArray() << "en_US" << QStringList{};
    }

    void listingGivesRows()
    {
        QFETCH(QByteArray, listing);
        QFETCH(QString, locale);
        QFETCH(QStringList, rows);
        QLocale::setDefault(QLocale(locale));
        TFtpPeer peer;
        TFtpPeer::TOptions options;
        options.listing = listing;
        options.cannedListing = true;
        QVERIFY(StartPeer(peer, options));
        const std::unique_ptr<TFFirmwareVersionDlg> dialog(new TFFirmwareVersionDlg(nullptr));
        QCOMPARE(boxes_, QStringList{});
        QCOMPARE(peer.CountCommands(QStringLiteral("LIST")), 1);
        QCOMPARE(RowsOf(*dialog->kbmMemTable1), rows);
        QVERIFY2(!QFile::exists(FirmwareListFilePath()), "the listing file is left behind");
        if (!rows.isEmpty())
            QCOMPARE(dialog->cxGrid1DBTableView1->currentIndex().row(), 0);
    }

    void failuresAreSaid_data()
    {
        QTest::addColumn<QString>("setup"); // ftp, closed, silent or nohost
        QTest::addColumn<QString>("serverPassword");
        QTest::addColumn<QString>("refuseType");
        QTest::addColumn<bool>("endWith426");
        QTest::addColumn<bool>("settingsFolder");
        QTest::addColumn<QStringList>("boxes"); // patterns, whole text
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("lists");

        const QString ok = QStringLiteral("Hq8mTw");
        QTest::newRow("refused login: one box, empty table")
            << "ftp" << "other" << "" << false << true << QStringList{"Error  530 Authentication failed\\."} << 0 << 0;
        QTest::newRow("refused type: its box, and the listing still comes")
            << "ftp" << ok << "A" << false << true
            << QStringList{"Error  504 Type not accepted by this test server\\."} << 7 << 1;
        QTest::newRow("426 after the listing's data counts as success")
            << "ftp" << ok << "" << true << true << QStringList{} << 7 << 1;
        QTest::newRow("missing settings folder: the listing has nowhere to go")
            << "ftp" << ok << "" << false << false << QStringList{"Error  Cannot create .*/FirmwareTest\\.txt: .+"} << 0
            << 1;
        QTest::newRow("a listing no catalogue can be: refused before it fills the disk")
            << "ftp" << ok << "" << false << true
            << QStringList{"Error  The listing is longer than 8388608 bytes"} << 0 << 1;
        QTest::newRow("nothing listens: the client's own text")
            << "closed" << ok << "" << false << true
            << QStringList{"Error  Failed to connect to 127\\.0\\.0\\.1 port \\d+.*"} << 0 << 0;
        QTest::newRow("a server that never answers runs into the time limit")
            << "silent" << ok << "" << false << true << QStringList{"Error  .*(timed out|timeout).*"} << 0 << 0;
        QTest::newRow("no host set: the client refuses, one space")
            << "nohost" << ok << "" << false << true << QStringList{"Error Host name not assigned"} << 0 << 0;
    }

    void failuresAreSaid()
    {
        QFETCH(QString, setup);
        QFETCH(QString, serverPassword);
        QFETCH(QString, refuseType);
        QFETCH(bool, endWith426);
        QFETCH(bool, settingsFolder);
        QFETCH(QStringList, boxes);
        QFETCH(int, rows);
        QFETCH(int, lists);

        TFtpPeer peer;
        QTcpServer silent;
        if (setup == QLatin1String("ftp")) {
            TFtpPeer::TOptions options;
            options.listing = Line("-rw-r--r--", "9", "Dec 11 00:57", "105_x.x2");
            if (QByteArray(QTest::currentDataTag()).contains("disk"))
                options.listing = options.listing.repeated(9 * 1024 * 1024 / options.listing.size());
            options.refuseType = refuseType;
            options.endListWith426 = endWith426;
            options.password = serverPassword;
            QVERIFY(StartPeer(peer, options));
            // A listing an earlier run left behind must never show as this one.
            QFile stale(FirmwareListFilePath());
            QVERIFY(stale.open(QIODevice::WriteOnly));
            stale.write(Line("-rw-r--r--", "9", "Dec 11 00:57", "999_stale.r9"));
        } else if (setup == QLatin1String("closed")) {
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            const quint16 port = silent.serverPort();
            silent.close();
            SetCatalogueServer({QStringLiteral("127.0.0.1"), port, 15});
        } else if (setup == QLatin1String("silent")) {
            // Accepts and never greets; the connection waits in the backlog.
            QVERIFY(silent.listen(QHostAddress::LocalHost));
            SetCatalogueServer({QStringLiteral("127.0.0.1"), silent.serverPort(), 1});
        } else {
            SetCatalogueServer({QString(), 21, 15});
        }
        if (!settingsFolder)
            QVERIFY(QDir(SettingsFolder()).removeRecursively());

        const std::unique_ptr<TFFirmwareVersionDlg> dialog(new TFFirmwareVersionDlg(nullptr));
        QCOMPARE(boxes_.size(), boxes.size());
        for (int i = 0; i < boxes.size(); ++i)
            QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(boxes[i])).match(boxes_[i]).hasMatch(),
                     qPrintable(boxes_[i]));
        QCOMPARE(dialog->kbmMemTable1->rowCount(), rows);
        QCOMPARE(dialog->kbmMemTable1->columnCount(), int(kCatalogueColumnCount));
        if (setup == QLatin1String("ftp")) {
            QCOMPARE(peer.CountCommands(QStringLiteral("USER")), 1);
            QCOMPARE(peer.CountCommands(QStringLiteral("LIST")), lists);
            QVERIFY(peer.CountCommands(QStringLiteral("TYPE")) <= 1);
        }
        QVERIFY(!QFile::exists(FirmwareListFilePath()));
    }

    // The catalogue is fetched once per run; a later opening shows the same rows.
    void secondOpeningMakesNoConnection()
    {
        TFtpPeer peer;
        TFtpPeer::TOptions options;
        options.listing = Line("-rw-r--r--", "9", "Dec 11 00:57", "105_x.x2");
        QVERIFY(StartPeer(peer, options));
        bool innerReturned = false;
        bool innerDuringDownload = false;
        QTimer::singleShot(0, this, [&] {
            // The user chooses the menu item again while the first download runs.
            ShowFirmwareVersionDlg(nullptr);
            innerReturned = true;
            innerDuringDownload = FFirmwareVersionDlg == nullptr;
        });
        OpenAndClose();
        QVERIFY(innerReturned && innerDuringDownload);
        QVERIFY(FFirmwareVersionDlg != nullptr);
        const QStringList first = RowsOf(*FFirmwareVersionDlg->kbmMemTable1);
        QCOMPARE(first.size(), 7);
        OpenAndClose();
        QCOMPARE(RowsOf(*FFirmwareVersionDlg->kbmMemTable1), first);
        QCOMPARE(peer.CountCommands(QStringLiteral("USER")), 1);
        QCOMPARE(peer.Commands().value(peer.Commands().size() - 1), QStringLiteral("QUIT"));
    }

    // What the user does with the table: type to find a printer, read a cut
    // text in its hint, close with Enter; the attributes stay out of sight.
    void tableIsUsable()
    {
        TFtpPeer peer;
        TFtpPeer::TOptions options;
        options.listing = Line("-rw-r--r--", "9", "Dec 11 00:57", "105_x.x2") +
                          Line("-rw-r--r--", "9", "Dec 11 00:57", "402 a rather long name.kx");
        QVERIFY(StartPeer(peer, options));
        const std::unique_ptr<TFFirmwareVersionDlg> dialog(new TFFirmwareVersionDlg(nullptr));
        QTableView* view = dialog->cxGrid1DBTableView1;
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QVERIFY(view->isColumnHidden(colFileAttributes));
        QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
        const auto columnsFill = [&] {
            int sum = 0;
            for (int c = 0; c < colFileAttributes; ++c)
                sum += view->columnWidth(c);
            return sum == view->viewport()->width();
        };
        QTRY_VERIFY(columnsFill());

        view->setFocus();
        QTest::keyClicks(view, QStringLiteral("Ne"));
        QCOMPARE(view->currentIndex().data().toString(), QStringLiteral("Nerio K"));
        QVERIFY(view->selectionModel()->isRowSelected(view->currentIndex().row(), {}));

        const auto hintAt = [&](int row, int column) {
            QToolTip::hideText();
            [[maybe_unused]] const bool hidden = QTest::qWaitFor([] { return !QToolTip::isVisible(); });
            const QRect cell = view->visualRect(dialog->kbmMemTable1->index(row, column));
            QHelpEvent help(QEvent::ToolTip, cell.center(), view->viewport()->mapToGlobal(cell.center()));
            QApplication::sendEvent(view->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        const int nerio = view->currentIndex().row();
        QCOMPARE(hintAt(nerio, colFirmwareFile), QStringLiteral("402 a rather long na"));
        QCOMPARE(hintAt(nerio, colFirmwareVersion), QString());

        dialog->resize(700, 300);
        QTRY_VERIFY(columnsFill());

        QTest::keyClick(view, Qt::Key_Return);
        QTRY_VERIFY(!dialog->isVisible());
        QCOMPARE(dialog->result(), int(QDialog::Accepted));
    }

    void textsFollowTheLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("sizes");
        QTest::newRow("de") << "de" << QString::fromUtf8("Letzte verfügbare Firmware")
                            << QStringList{"Drucker", "Version", "Firmware-Datei", QString::fromUtf8("Größe"), "Datum"}
                            << "Fehler  530 Authentication failed." << QStringList{"5 Bytes", "1 KB", "1,00 MB"};
        QTest::newRow("fr") << "fr" << "Dernier firmware disponible"
                            << QStringList{"Imprimante", "Version", "Fichier firmware", "Taille", "Date"}
                            << "Erreur  530 Authentication failed." << QStringList{"5 octets", "1 Ko", "1,00 Mo"};
    }

    void textsFollowTheLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        QFETCH(QString, box);
        QFETCH(QStringList, sizes);
        UseLanguage(language);
        QLocale::setDefault(QLocale(language));
        const auto restore = qScopeGuard([] { UseLanguage(QStringLiteral("en")); });

        TFtpPeer refusing;
        TFtpPeer::TOptions options;
        options.password = QStringLiteral("other");
        QVERIFY(StartPeer(refusing, options));
        std::unique_ptr<TFFirmwareVersionDlg> dialog(new TFFirmwareVersionDlg(nullptr));
        QCOMPARE(boxes_, QStringList{box});
        QCOMPARE(dialog->windowTitle(), title);
        for (int c = 0; c < captions.size(); ++c)
            QCOMPARE(dialog->kbmMemTable1->headerData(c, Qt::Horizontal).toString(), captions[c]);

        TFtpPeer peer;
        options = {};
        options.listing = Line("-rw-r--r--", "5", "Jan 1 2020", "101.r9") + Line("-rw-r--r--", "1024", "Jan 1 2020", "102.r9") +
                          Line("-rw-r--r--", "1048576", "Jan 1 2020", "103.r9");
        QVERIFY(StartPeer(peer, options));
        dialog.reset(new TFFirmwareVersionDlg(nullptr));
        QStringList shown;
        for (int r = 0; r < dialog->kbmMemTable1->rowCount(); ++r)
            shown << dialog->kbmMemTable1->index(r, colFileSize).data().toString();
        QCOMPARE(shown, sizes);
    }
};

QTEST_MAIN(TestFirmwareVersionDlg)
#include "tst_uFirmwareVersionDlg.moc"
