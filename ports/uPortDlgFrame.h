#pragma once

#include <QString>

class QDialog;
class QGroupBox;
class QPushButton;

// The frame both port dialogs share: a settings group in Panel1 above Panel2,
// the strip with the OK button, which closes the dialog with result 1.
struct TPortDlgFrame
{
    QGroupBox* Group;
    QPushButton* OkButton;
};

TPortDlgFrame BuildPortDlgFrame(QDialog* dialog, const QString& groupTitle, const QString& okCaption,
                                int stripHeight, int okLeft);
