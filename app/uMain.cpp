#include "app/uMain.h"

#include "about/uAboutDlg.h"
#include "about/uFileInfos.h"
#include "app/uComboBox.h"
#include "app/uCommonRes.h"
#include "app/uFilenameEdit.h"
#include "app/uGlobalFunctions.h"
#include "app/uIniFileStorage.h"
#include "app/uMessageBox.h"
#include "app/uPaths.h"
#include "app/uPicture.h"
#include "app/uRadioGroup.h"
#include "app/uSettingsFile.h"
#include "app/uStatusBar.h"
#include "app/uTranslation.h"
#include "catalogue/uFirmwareVersionDlg.h"
#include "ports/uComPortDlg.h"
#include "ports/uParallelPortDlg.h"
#include "ports/uSendThread.h"
#include "progress/uProgressDlg.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TFMainForm* FMainForm = nullptr;

namespace {

// Design places (left, top) of the model pictures, in PictureNames order.
constexpr std::array<std::pair<int, int>, kPictureCount> kPicturePlaces = {{
    {389, 23}, {384, 23}, {389, 23}, {401, 23}, {389, 23}, {387, 23}, {389, 23}, {377, 23}, {389, 23},
    {399, 23}, {398, 23}, {392, 23}, {377, 23}, {377, 23}, {401, 23}, {377, 23}, {390, 18},
}};

const char* const kPortMask = "([0-5]?\\d?\\d?\\d?\\d|6[0-4]\\d\\d\\d|65[0-4]\\d\\d|655[0-2]\\d|6553[0-5])";
const char* const kOctet = "(25[0-5]|2[0-4]\\d|1\\d\\d|[1-9]?\\d)";

template <typename T> T* Named(T* object, const char* name)
{
    object->setObjectName(QLatin1String(name));
    return object;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text, int left, int top)
{
    auto label = Named(new QLabel(QString::fromUtf8(text), parent), name);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text, const char* glyph)
{
    auto button = Named(new QPushButton(QString::fromUtf8(text), parent), name);
    button->setIcon(QIcon(QString::fromLatin1(glyph)));
    // Return in a field must not press a button of this window behind the user's back.
    button->setAutoDefault(false);
    return button;
}

} // namespace

TFMainForm::TFMainForm(QWidget* owner) : TFMainDlg(owner)
{
    FMainForm = this;
    setObjectName(QStringLiteral("FMainForm"));
    JvAppIniFileStorage1 = std::make_unique<TIniFileStorage>(JvAppIniFileStorage1GetFileName());
    setWindowTitle(QStringLiteral("vornFirmwareUpdater"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setWindowIcon(QIcon(QStringLiteral(":/icons/vornFirmwareUpdater.svg")));

    BuildMainPanel();
    BuildButtonPanel();
    StatusBar = Named(new TStatusBar({245, 200, 30}, this), "StatusBar");
    StatusBar->setFixedSize(559, 19);
    // Its texts are set at run time; a retranslation must not put design texts back.
    StatusBar->setProperty(kNoTranslateProperty, true);
    StatusBar->SetPanelText(2, QStringLiteral("V"));
    BuildMenu();

    auto layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(JvMainMenu1);
    layout->addWidget(PanelMain);
    layout->addWidget(PanelButtons);
    layout->addWidget(StatusBar);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

TFMainForm::~TFMainForm()
{
    // Hiding the children on the way out must not run the model handlers on a half-destroyed window.
    cxComboBoxPrinterModel->blockSignals(true);
    // A window closed by the user has written its file (or said why not) already.
    if (!settingsSaved_ && JvAppIniFileStorage1->IsModified())
        SaveSettingsFile(*JvAppIniFileStorage1, nullptr);
    if (FMainForm == this)
        FMainForm = nullptr;
}

void TFMainForm::BuildMainPanel()
{
    PanelMain = Named(new QFrame(this), "PanelMain");
    PanelMain->setFixedSize(559, 222);

    Label2 = MakeLabel(PanelMain, "Label2", "Printer model:", 16, 16);
    cxComboBoxPrinterModel = Named(new TComboBox(PanelMain), "cxComboBoxPrinterModel");
    Place(cxComboBoxPrinterModel, 97, 13, 121, 21);
    cxComboBoxPrinterModel->setMaxVisibleItems(10);
    for (const char* name : PrinterModelNames)
        cxComboBoxPrinterModel->addItem(QString::fromUtf8(name));
    cxComboBoxPrinterModel->setCurrentIndex(5);
    Label2->setBuddy(cxComboBoxPrinterModel);

    cxRadioGroupPort = Named(new TRadioGroup(PanelMain), "cxRadioGroupPort");
    cxRadioGroupPort->setTitle(QStringLiteral("Port"));
    Place(cxRadioGroupPort, 13, 40, 257, 109);
    for (const char* caption : {"COM1", "LPT1", "USB", "Ethernet"})
        cxRadioGroupPort->Add(QString::fromLatin1(caption));
    cxRadioGroupPort->SetItemIndex(0);

    cxRadioGroupUpdateKind = Named(new TRadioGroup(PanelMain), "cxRadioGroupUpdateKind");
    cxRadioGroupUpdateKind->setTitle(QStringLiteral("Update"));
    Place(cxRadioGroupUpdateKind, 278, 40, 93, 109);
    cxRadioGroupUpdateKind->Add(QStringLiteral("Firmware"));
    cxRadioGroupUpdateKind->Add(QStringLiteral("Bootloader"));
    cxRadioGroupUpdateKind->SetItemIndex(0);

    // Created after the port group so that they lie above it, beside its entries.
    cxButtonPort = MakeButton(PanelMain, "cxButtonPort", "Configure", ":/glyphs/configure.svg");
    Place(cxButtonPort, 120, 54, 90, 26);

    JvIPAddress = Named(new QLineEdit(QStringLiteral("192.168.10.110"), PanelMain), "JvIPAddress");
    Place(JvIPAddress, 92, 123, 118, 21);
    JvIPAddress->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("%1(\\.%1){0,3}\\.?").arg(QLatin1String(kOctet))), JvIPAddress));
    JvIPAddress->setEnabled(false);

    PanelIPPort = Named(new QFrame(PanelMain), "PanelIPPort");
    Place(PanelIPPort, 225, 108, 40, 13);
    LabelIPPort = Named(new QLabel(QStringLiteral("IP Port"), PanelIPPort), "LabelIPPort");
    LabelIPPort->setGeometry(0, 0, 40, 13);
    LabelIPPort->setEnabled(false);

    cxMaskEditIPPort = Named(new QLineEdit(QStringLiteral("9100"), PanelMain), "cxMaskEditIPPort");
    Place(cxMaskEditIPPort, 224, 123, 41, 21);
    cxMaskEditIPPort->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QString::fromLatin1(kPortMask)), cxMaskEditIPPort));
    cxMaskEditIPPort->setToolTip(QStringLiteral("1 to 65535"));
    cxMaskEditIPPort->setEnabled(false);
    LabelIPPort->setBuddy(cxMaskEditIPPort);

    for (int i = 0; i < kPictureCount; ++i) {
        const QString name = QString::fromLatin1(PictureNames[i]);
        auto picture = new TPicture(QStringLiteral(":/models/%1.svg").arg(name), PanelMain);
        picture->setObjectName(name);
        picture->move(kPicturePlaces[i].first, kPicturePlaces[i].second);
        ModelPictures[i] = picture;
    }

    Label1 = MakeLabel(PanelMain, "Label1", "Browse for the file containing new firmware:", 16, 168);
    JvFilenameEdit = Named(new TFilenameEdit(PanelMain), "JvFilenameEdit");
    Place(JvFilenameEdit, 16, 187, 467, 21);
    JvFilenameEdit->SetFilter(QStringLiteral("Firmware K1|*.k1"));
    Label1->setBuddy(JvFilenameEdit);
}

void TFMainForm::BuildButtonPanel()
{
    PanelButtons = Named(new QFrame(this), "PanelButtons");
    PanelButtons->setFixedSize(559, 36);
    cxButtonUpdate = MakeButton(PanelButtons, "cxButtonUpdate", "&Update", ":/glyphs/update.svg");
    Place(cxButtonUpdate, 173, 4, 92, 26);
    cxButtonClose = MakeButton(PanelButtons, "cxButtonClose", "&Close", ":/glyphs/close.svg");
    Place(cxButtonClose, 290, 4, 81, 26);
    QIcon closeIcon(QStringLiteral(":/glyphs/close.svg"));
    closeIcon.addFile(QStringLiteral(":/glyphs/close-disabled.svg"), QSize(), QIcon::Disabled);
    cxButtonClose->setIcon(closeIcon);
}

void TFMainForm::BuildMenu()
{
    JvMainMenu1 = Named(new QMenuBar(this), "JvMainMenu1");
    auto menu = [this](QWidget* parent, const char* name, const char* title) {
        auto m = Named(new QMenu(QString::fromUtf8(title), parent), name);
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto item = [](QMenu* parent, const char* name, const char* text, const char* image) {
        auto a = Named(new QAction(QString::fromUtf8(text), parent), name);
        if (image)
            a->setIcon(QIcon(QString::fromLatin1(image)));
        parent->addAction(a);
        return a;
    };
    Fichier1 = menu(JvMainMenu1, "Fichier1", "&File");
    Exit1 = item(Fichier1, "Exit1", "E&xit", ":/menu/exit.svg");
    Exit1->setShortcut(QKeySequence(Qt::ALT | Qt::Key_F4));
    Exit1->setShortcutContext(Qt::WindowShortcut);
    addAction(Exit1);

    Tools1 = menu(JvMainMenu1, "Tools1", "&Tools");
    Language1 = menu(Tools1, "Language1", "&Language");
    German1 = item(Language1, "German1", "German", ":/menu/flag-de.svg");
    English1 = item(Language1, "English1", "English", ":/menu/flag-en.svg");
    French1 = item(Language1, "French1", "French", ":/menu/flag-fr.svg");
    Tools1->addMenu(Language1);
    Getlastfirmwareversionavailable1 =
        item(Tools1, "Getlastfirmwareversionavailable1", "Last &available firmware", nullptr);

    Help1 = menu(JvMainMenu1, "Help1", "&Help");
    About1 = item(Help1, "About1", "About...", ":/menu/about.svg");

    JvMainMenu1->addMenu(Fichier1);
    JvMainMenu1->addMenu(Tools1);
    JvMainMenu1->addMenu(Help1);
}

void TFMainForm::FormCreate()
{
    TFMainDlg::FormCreate();
    InitComPortDlg(this);
    InitParallelPortDlg(this);
    CreateProgressDlg(this);

    connect(cxComboBoxPrinterModel, &QComboBox::currentIndexChanged, this,
            &TFMainForm::cxComboBoxPrinterModelPropertiesCloseUp);
    connect(cxComboBoxPrinterModel, &TComboBox::CloseUp, this, &TFMainForm::cxComboBoxPrinterModelPropertiesCloseUp);
    connect(cxRadioGroupPort, &TRadioGroup::Click, this, &TFMainForm::cxRadioGroupPortClick);
    connect(cxRadioGroupUpdateKind, &TRadioGroup::Click, this, &TFMainForm::cxRadioGroupUpdateKindClick);
    connect(cxButtonUpdate, &QPushButton::clicked, this, &TFMainForm::cxButtonUpdateClick);
    connect(cxButtonPort, &QPushButton::clicked, this, &TFMainForm::cxButtonPortClick);
    connect(cxButtonClose, &QPushButton::clicked, this, &TFMainForm::cxButtonCloseClick);
    connect(Exit1, &QAction::triggered, this, &TFMainForm::Exit1Click);
    connect(About1, &QAction::triggered, this, &TFMainForm::About1Click);
    connect(Getlastfirmwareversionavailable1, &QAction::triggered, this,
            &TFMainForm::Getlastfirmwareversionavailable1Click);
    connect(German1, &QAction::triggered, this, &TFMainForm::German1Click);
    connect(English1, &QAction::triggered, this, &TFMainForm::English1Click);
    connect(French1, &QAction::triggered, this, &TFMainForm::French1Click);
    connect(JvFilenameEdit, &TFilenameEdit::BeforeDialog, this, &TFMainForm::JvFilenameEditBeforeDialog);
    connect(JvFilenameEdit, &TFilenameEdit::AfterDialog, this, &TFMainForm::JvFilenameEditAfterDialog);

    // The design lists are those of the design model; applying it rebuilds them for the chosen row.
    const int row = cxComboBoxPrinterModel->findText(QStringLiteral("K1-2"));
    cxComboBoxPrinterModel->setCurrentIndex(row);
    // The handler also shows the model's picture and applies its wait.
    cxComboBoxPrinterModelPropertiesCloseUp();
    {
        TFileInfos reader(ProgramFilePath());
        TFileInfoStruct info;
        reader.GetFileInfo(info);
        VersionText = VersionTextOf(info.FileVersion);
        StatusBar->SetPanelText(0, info.LegalCopyRight);
    }
    ShowVersion();
    ReadStartupSettings();

    SendThread = new TSendThread(this);
    SendThread->SetMainForm(this);
    SendThread->SetEsctTimeOut(std::uint32_t(esctTimeOut_));
    SendThread->SetDevicePaths(portDevices_);
    SendThread->start();
}

void TFMainForm::ShowVersion()
{
    StatusBar->SetPanelText(2, QStringLiteral("V") + VersionText);
}

int TFMainForm::ModelRow() const
{
    return std::max(cxComboBoxPrinterModel->currentIndex(), 0);
}

int TFMainForm::UpdateKind() const
{
    return cxRadioGroupUpdateKind->ItemIndex();
}

void TFMainForm::cxComboBoxPrinterModelPropertiesCloseUp()
{
    FillUpdateKinds();
    FillPorts();
    ShowPrinterImage();
    ApplyUpdateWaitTime();
    ApplyTabOrder();
}

void TFMainForm::ApplyTabOrder()
{
    // The entries are made anew for each model; without this they would come last.
    QList<QWidget*> order{cxComboBoxPrinterModel};
    for (QRadioButton* entry : cxRadioGroupPort->Entries())
        order << entry;
    order << cxButtonPort << JvIPAddress << cxMaskEditIPPort;
    for (QRadioButton* entry : cxRadioGroupUpdateKind->Entries())
        order << entry;
    order << JvFilenameEdit->Edit() << cxButtonUpdate << cxButtonClose;
    for (int i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

void TFMainForm::cxRadioGroupUpdateKindClick()
{
    ApplyUpdateWaitTime();
    // Also runs for each new model, whose kinds are rebuilt with the first selected.
    OfferLastFileName();
}

QString TFMainForm::SelectedPortCaption() const
{
    return cxRadioGroupPort->Caption(cxRadioGroupPort->ItemIndex());
}

void TFMainForm::cxRadioGroupPortClick()
{
    cxButtonPort->show();
    JvIPAddress->setEnabled(false);
    cxMaskEditIPPort->setEnabled(false);
    LabelIPPort->setEnabled(false);
    const bool four = cxRadioGroupPort->Count() == 4;
    auto setTop = [this](int top) { cxButtonPort->move(cxButtonPort->x(), top); };
    auto enableIP = [this] {
        JvIPAddress->setEnabled(true);
        cxMaskEditIPPort->setEnabled(true);
        LabelIPPort->setEnabled(true);
    };
    const int index = cxRadioGroupPort->ItemIndex();
    switch (index) {
    case 0:
        setTop(four ? 53 : 64);
        break;
    case 1:
        setTop(four ? 77 : 110);
        break;
    case 2:
        cxButtonPort->hide();
        setTop(99);
        break;
    case 3:
        cxButtonPort->hide();
        enableIP();
        break;
    default:
        break;
    }
    if (ModelRow() == 10) {
        if (index == 0)
            setTop(58);
        else if (index == 1)
            cxButtonPort->hide();
        else if (index == 2)
            enableIP();
    }
}

void TFMainForm::cxButtonPortClick()
{
    switch (cxRadioGroupPort->ItemIndex()) {
    case 0:
        ShowComPortDlg(this, cxRadioGroupPort->Caption(0));
        cxRadioGroupPort->SetCaption(0, FComPortDlg->SerialPort->Name);
        break;
    case 1:
        ShowParallelPortDlg(this, cxRadioGroupPort->Caption(1));
        cxRadioGroupPort->SetCaption(1, FParallelPortDlg->ParallelPort->Name);
        break;
    default:
        break;
    }
}

int TFMainForm::ConfirmPrinterReady()
{
    const int row = ModelRow();
    const char* prompt = nullptr;
    switch (UpdateKind()) {
    case 0:
        prompt = row <= 4 ? PromptFirmwareCorvin : row == 10 ? PromptFirmwareR9 : PromptFirmwareOnline;
        break;
    case 1:
        prompt = row >= 12 ? PromptPpp : PromptBootloader;
        break;
    default:
        return mrCancel;
    }
    return ShowMessageBox(this, Tr(prompt), QMessageBox::Information, QMessageBox::Ok | QMessageBox::Cancel);
}

void TFMainForm::JvFilenameEditBeforeDialog()
{
    const int filterRow = FilterRowOf(ModelRow(), std::max(UpdateKind(), 0));
    JvFilenameEdit->SetFilter(QString::fromUtf8(FilterDescriptions[filterRow]) + QLatin1Char('|') +
                              QString::fromUtf8(FilterMasks[filterRow]));
    JvFilenameEdit->SetFilterIndex(0);
    JvFilenameEdit->Tag = filterRow;
}

void TFMainForm::JvFilenameEditAfterDialog(const QString& name, bool accepted)
{
    if (accepted)
        WriteLastFileName(name);
}

void TFMainForm::cxButtonCloseClick()
{
    close();
}

void TFMainForm::Exit1Click()
{
    close();
}

void TFMainForm::About1Click()
{
    ShowAboutDlg(this);
}

void TFMainForm::Getlastfirmwareversionavailable1Click()
{
    ShowFirmwareVersionDlg(this);
}

void TFMainForm::SwitchLanguage(const QString& code)
{
    UseLanguage(code);
    RetranslateComponent(this);
    ShowVersion();
}

void TFMainForm::German1Click()
{
    SwitchLanguage(QStringLiteral("de"));
}

void TFMainForm::English1Click()
{
    SwitchLanguage(QStringLiteral("en"));
}

void TFMainForm::French1Click()
{
    SwitchLanguage(QStringLiteral("fr"));
}

bool TFMainForm::FormCloseQuery()
{
    return true;
}

void TFMainForm::FormClose()
{
    // Cancels a running transfer and waits until the worker has ended.
    delete SendThread;
    SendThread = nullptr;
}

void TFMainForm::closeEvent(QCloseEvent* event)
{
    // Not the dialog's own handling: closing the main window ends the program.
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    SaveFormStorage();
    FormClose();
    event->accept();
}

void TFMainForm::reject()
{
    // Escape does not close the main window.
}

void TFMainForm::showEvent(QShowEvent* event)
{
    TFMainDlg::showEvent(event);
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = this->screen())
            move(screen->availableGeometry().center() - rect().center());
        RestoreFormStorage();
    }
}

int RunApplication()
{
    QApplication::setApplicationName(QStringLiteral("vornFirmwareUpdater"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/vornFirmwareUpdater.svg")));
    UseLanguage(DefaultLanguage());
    TFMainForm form;
    form.show();
    return QApplication::exec();
}
