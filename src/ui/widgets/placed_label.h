#pragma once

#include <QString>

class QLabel;
class QWidget;

// A label at a fixed position of its window's design, sized to its text. name, when given,
// becomes its objectName (the design's control name).
QLabel* placedLabel(QWidget* parent, const char* name, const QString& text, int left, int top);
