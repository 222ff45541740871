#include "ports/uPortDlgFrame.h"

#include <QDialog>
#include <QFrame>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

TPortDlgFrame BuildPortDlgFrame(QDialog* dialog, const QString& groupTitle, const QString& okCaption,
                                int stripHeight, int okLeft)
{
    auto panel1 = new QFrame(dialog);
    panel1->setObjectName(QStringLiteral("Panel1"));
    auto group = new QGroupBox(groupTitle, panel1);
    group->setObjectName(QStringLiteral("GroupBox3"));
    auto panel1Layout = new QVBoxLayout(panel1);
    panel1Layout->setContentsMargins(8, 8, 8, 4);
    panel1Layout->addWidget(group);

    auto panel2 = new QFrame(dialog);
    panel2->setObjectName(QStringLiteral("Panel2"));
    panel2->setFixedHeight(stripHeight);
    auto ok = new QPushButton(okCaption, panel2);
    ok->setObjectName(QStringLiteral("cxButtonOK"));
    ok->setDefault(true);
    ok->setGeometry(okLeft, (stripHeight - 25) / 2, 81, 25);
    QObject::connect(ok, &QPushButton::clicked, dialog, [dialog] { dialog->done(1); });

    auto layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(panel1, 1);
    layout->addWidget(panel2);
    return {group, ok};
}
