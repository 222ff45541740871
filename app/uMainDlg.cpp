#include "app/uMainDlg.h"

#include "app/uTranslation.h"

#include <QFont>

TFMainDlg::TFMainDlg(QWidget* owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("FMainDlg"));
    setWindowTitle(QStringLiteral("FMainDlg"));
    resize(426, 286);
    // Tahoma 8 pt at 96 dpi. Where Tahoma is missing, faces of about its width
    // stand in before the wider DejaVu, so the captions fit their design places.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    setFont(font);
}

void TFMainDlg::FormCreate()
{
    TranslateComponent(this);
}

void TFMainDlg::Place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(left, top, width, height);
}
