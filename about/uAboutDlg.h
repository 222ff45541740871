#pragma once

#include "app/uMainDlg.h"

class QFrame;
class QLabel;
class QPushButton;
class QTextEdit;
class QUrl;
class TDecorativeLabel;

// The About box: title, logo, credit line, the program's version and file
// date (read once, when the box is first opened) and a link to the maker's
// pages in the user's language.
class TFAboutDlg final : public TFMainDlg
{
    Q_OBJECT
public:
    explicit TFAboutDlg(QWidget* owner);
    ~TFAboutDlg() override;

    QFrame* Panel1;
    QLabel* Image2;
    TDecorativeLabel* fcLabel1;
    QTextEdit* cxMemo1;
    QFrame* Panel3;
    QLabel* Label9;
    QFrame* Panel2;
    QPushButton* cxButtonClose;

public slots:
    void Label9Click();

protected:
    void FormCreate() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// The single About box; none until it is first opened.
extern TFAboutDlg* FAboutDlg;

// Creates the About box on first use, owned by owner, and shows it modally
// unless it is already showing.
void ShowAboutDlg(QWidget* owner);

// The maker's page for a language code: French for fr*, German for de*
// (any letter case), English for everything else.
QUrl MakerPageFor(const QString& languageCode);
