#include "app/uMain.h"

#include "app/uTranslation.h"

#include <QApplication>

TFMainForm* FMainForm = nullptr;

TFMainForm::TFMainForm(QWidget* owner) : TFMainDlg(owner)
{
    setObjectName(QStringLiteral("FMainForm"));
    setWindowTitle(QStringLiteral("vornFirmwareUpdater"));
    FormCreate();
}

int RunApplication()
{
    QApplication::setApplicationName(QStringLiteral("vornFirmwareUpdater"));
    UseLanguage(DefaultLanguage());
    TFMainForm form;
    FMainForm = &form;
    form.show();
    const int rc = QApplication::exec();
    FMainForm = nullptr;
    return rc;
}
