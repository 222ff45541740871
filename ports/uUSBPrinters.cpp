#include "ports/uUSBPrinters.h"

#include "app/uMessageBox.h"
#include "app/uTranslation.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TFUSBPrinters* FUSBPrinters = nullptr;

TFUSBPrinters::TFUSBPrinters(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FUSBPrinters"));
    setWindowTitle(QStringLiteral("USB printers"));
    // No system menu: the dialog is left by its buttons (or Escape, which is Cancel).
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(260, 301);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Label2 = new QLabel(QStringLiteral("More than one USB printer has been detected."), Panel1);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setWordWrap(true);
    Label1 = new QLabel(QStringLiteral("Please select the printer to update:"), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    cxListView1 = new QTreeWidget(Panel1);
    cxListView1->setObjectName(QStringLiteral("cxListView1"));
    cxListView1->setColumnCount(2);
    // Header texts are not window texts of their own: they take the language of the creation.
    cxListView1->setHeaderLabels({Tr("Printer name"), Tr("Port")});
    cxListView1->setColumnWidth(0, 145);
    cxListView1->setColumnWidth(1, 76);
    cxListView1->setRootIsDecorated(false);
    cxListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    cxListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    cxListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cxListView1->setAllColumnsShowFocus(true);
    Label1->setBuddy(cxListView1);
    auto panel1Layout = new QVBoxLayout(Panel1);
    panel1Layout->setContentsMargins(8, 8, 8, 4);
    panel1Layout->addWidget(Label2);
    panel1Layout->addWidget(Label1);
    panel1Layout->addWidget(cxListView1, 1);

    Panel2 = new QWidget(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setFixedHeight(41);
    cxButton1 = new QPushButton(QStringLiteral("&OK"), Panel2);
    cxButton1->setObjectName(QStringLiteral("cxButton1"));
    cxButton1->setDefault(true);
    Place(cxButton1, 46, 8, 75, 25);
    cxButton2 = new QPushButton(QStringLiteral("&Cancel"), Panel2);
    cxButton2->setObjectName(QStringLiteral("cxButton2"));
    Place(cxButton2, 139, 8, 75, 25);
    // OK needs a chosen row: without one it would name no queue at all.
    connect(cxButton1, &QPushButton::clicked, this, [this] {
        if (SelectedIndex() >= 0)
            done(mrOk);
    });
    connect(cxButton2, &QPushButton::clicked, this, [this] { done(mrCancel); });
    connect(cxListView1, &QTreeWidget::itemDoubleClicked, this, [this] { cxButton1->click(); });
    connect(cxListView1, &QTreeWidget::itemSelectionChanged, this,
            [this] { cxButton1->setEnabled(SelectedIndex() >= 0); });

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel2);

    FormCreate();
}

TFUSBPrinters::~TFUSBPrinters()
{
    FormDestroy();
}

void TFUSBPrinters::FormDestroy()
{
    if (FUSBPrinters == this)
        FUSBPrinters = nullptr;
}

void TFUSBPrinters::showEvent(QShowEvent* event)
{
    FormShow();
    TFMainDlg::showEvent(event);
}

void TFUSBPrinters::FormShow()
{
    cxListView1->setUpdatesEnabled(false);
    cxListView1->clear();
    if (Printers) {
        for (const QString& line : *Printers) {
            const auto [name, port] = SplitPrinterLine(line);
            new QTreeWidgetItem(cxListView1, {name, port});
        }
    }
    cxListView1->setUpdatesEnabled(true);
    // The first queue is chosen from the start, so OK always names a queue.
    if (cxListView1->topLevelItemCount() > 0)
        cxListView1->setCurrentItem(cxListView1->topLevelItem(0));
    cxButton1->setEnabled(SelectedIndex() >= 0);
    cxListView1->setFocus();
}

int TFUSBPrinters::SelectedIndex() const
{
    const QList<QTreeWidgetItem*> selected = cxListView1->selectedItems();
    return selected.isEmpty() ? -1 : cxListView1->indexOfTopLevelItem(selected.constFirst());
}

std::pair<QString, QString> SplitPrinterLine(const QString& line)
{
    const qsizetype equals = line.indexOf(QLatin1Char('='));
    if (equals < 0)
        return {line, QString()};
    return {line.left(equals), line.mid(equals + 1)};
}

int ChooseUSBPrinter(QWidget* owner, const QStringList& printers)
{
    if (!FUSBPrinters)
        FUSBPrinters = new TFUSBPrinters(owner);
    FUSBPrinters->Printers = &printers;
    const int result = FUSBPrinters->exec();
    return result == mrOk ? mrOk : mrCancel;
}
