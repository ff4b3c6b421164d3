#include "ui/dialogs/go_to_line_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

GoToLineDialog::GoToLineDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("GoToLineDialog"));
    setWindowTitle(QStringLiteral("行へ移動"));
    LBL_Line = new QLabel(QStringLiteral("行番号(&L)"), this);
    LBL_Line->setObjectName(QStringLiteral("LBL_Line"));
    SPN_Line = new QSpinBox(this);
    SPN_Line->setObjectName(QStringLiteral("SPN_Line"));
    LBL_Line->setBuddy(SPN_Line);
    BTN_OK = new QPushButton(QStringLiteral("OK"), this);
    BTN_OK->setObjectName(QStringLiteral("BTN_OK"));
    BTN_OK->setDefault(true);
    BTN_Cancel = new QPushButton(QStringLiteral("キャンセル"), this);
    BTN_Cancel->setObjectName(QStringLiteral("BTN_Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BTN_OK);
    buttons->addWidget(BTN_Cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(LBL_Line);
    column->addWidget(SPN_Line);
    column->addLayout(buttons);

    connect(BTN_OK, &QPushButton::clicked, this, &QDialog::accept);
    connect(BTN_Cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void GoToLineDialog::setLines(int current, int count) {
    SPN_Line->setRange(1, std::max(count, 1));
    SPN_Line->setValue(current);
    SPN_Line->selectAll();
}

int GoToLineDialog::line() const {
    return SPN_Line->value();
}
