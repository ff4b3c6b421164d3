#pragma once

#include <QProxyStyle>

// Shows every character of a password edit as "*" (Qt's default is a bullet).
class StarPasswordStyle : public QProxyStyle {
    Q_OBJECT
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};
