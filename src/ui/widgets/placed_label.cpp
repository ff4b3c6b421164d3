#include "ui/widgets/placed_label.h"

#include <QLabel>

QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    if (name)
        label->setObjectName(QLatin1String(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}
