#pragma once

#include <QDialog>

// The base of every window of the program. A derived window builds its
// components in its constructor and then calls FormCreate(), which translates
// the window's texts into the current language; a derived FormCreate() that
// does more calls the base's first.
class TFMainDlg : public QDialog
{
    Q_OBJECT
public:
    explicit TFMainDlg(QWidget* owner = nullptr);

protected:
    virtual void FormCreate();

    // Places a component at its design place, in pixels at 96 dpi.
    static void Place(QWidget* w, int left, int top, int width, int height);
};
