#include "settings/setting_rules.h"

#include "util/blanks.h"
#include "util/integer_text.h"
#include "util/sjis.h"

#include <algorithm>

namespace {

bool startsWithAsciiLetter(QStringView text) {
    if (text.isEmpty())
        return false;
    const qint16 code = CharCode(text.first(1).toString());
    return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z');
}

ParamsKey textKey(const char* name, SettingKind kind, QString TPackParameters::*field) {
    return {QLatin1StringView(name), kind, field, nullptr, nullptr};
}
ParamsKey flagKey(const char* name, bool TPackParameters::*field) {
    return {QLatin1StringView(name), SettingKind::Flag, nullptr, field, nullptr};
}
ParamsKey numberKey(const char* name, qint32 TPackParameters::*field) {
    return {QLatin1StringView(name), SettingKind::SmallNumber, nullptr, nullptr, field};
}

// Where the attribute that starts at begin ends: at the next ";" outside a value in braces
// (in which "}}" stands for "}"), or at the end of the text.
qsizetype attributeEnd(const QString& text, qsizetype begin) {
    const qsizetype equals = text.indexOf(u'=', begin);
    const qsizetype semicolon = text.indexOf(u';', begin);
    if (equals < 0 || (semicolon >= 0 && semicolon < equals))
        return semicolon < 0 ? text.size() : semicolon;
    qsizetype i = equals + 1;
    while (i < text.size() && text[i] == u' ')
        ++i;
    if (i < text.size() && text[i] == u'{') {
        for (++i; i < text.size(); ++i) {
            if (text[i] != u'}')
                continue;
            if (i + 1 < text.size() && text[i + 1] == u'}')
                ++i;
            else
                break;
        }
    }
    const qsizetype end = text.indexOf(u';', i);
    return end < 0 ? text.size() : end;
}

bool isPasswordAttribute(QStringView attribute) {
    const qsizetype equals = attribute.indexOf(u'=');
    if (equals < 0)
        return false;
    const QStringView name = attribute.first(equals).trimmed();
    return name.compare(u"PWD", Qt::CaseInsensitive) == 0 ||
           name.compare(u"PASSWORD", Qt::CaseInsensitive) == 0;
}

} // namespace

QString settingFaultText(SettingFault fault, QStringView typed) {
    switch (fault) {
    case SettingFault::Control:
        return controlCharacterText(firstControlCharacter(trimBlanks(typed)).value_or(QChar()));
    case SettingFault::PrefixMissing:
        return QStringLiteral("接頭語は必須です");
    case SettingFault::NotANumber:
        return QStringLiteral("数値を入力してください");
    case SettingFault::NotALetter:
        return QStringLiteral("名称の先頭は英字を指定してください");
    case SettingFault::None:
        break;
    }
    return {};
}

QString settingText(QStringView typed) {
    return trimBlanks(typed);
}

SettingFault checkSetting(SettingKind kind, QStringView typed) {
    switch (kind) {
    case SettingKind::Prefix: {
        const QString trimmed = trimBlanks(typed);
        if (trimmed.isEmpty())
            return SettingFault::PrefixMissing;
        if (!startsWithAsciiLetter(trimmed))
            return SettingFault::NotALetter;
        return firstControlCharacter(trimmed) ? SettingFault::Control : SettingFault::None;
    }
    case SettingKind::PackageName:
        if (isBlankOnly(typed))
            return SettingFault::None; // the generators name the package
        if (!startsWithAsciiLetter(typed))
            return SettingFault::NotALetter;
        [[fallthrough]];
    case SettingKind::Text:
        return firstControlCharacter(trimBlanks(typed)) ? SettingFault::Control
                                                        : SettingFault::None;
    case SettingKind::SmallNumber: {
        const auto value = parseInteger(typed);
        return value && isSmallNumber(*value) ? SettingFault::None : SettingFault::NotANumber;
    }
    case SettingKind::Flag:
        break;
    }
    return SettingFault::None;
}

bool isSmallNumber(double value) {
    return value >= kMinSmallNumber && value <= kMaxSmallNumber;
}

const QList<ParamsKey>& paramsKeys() {
    using P = TPackParameters;
    static const QList<ParamsKey> keys = {
        flagKey("PackHeader", &P::PackHeader),
        flagKey("ProcHeader", &P::ProcHeader),
        textKey("Public", SettingKind::Prefix, &P::Public),
        textKey("Custom", SettingKind::Prefix, &P::Custom),
        textKey("Set", SettingKind::Prefix, &P::Set),
        textKey("Clr", SettingKind::Prefix, &P::Clr),
        textKey("INS", SettingKind::Prefix, &P::INS),
        textKey("UPD", SettingKind::Prefix, &P::UPD),
        textKey("PackName", SettingKind::PackageName, &P::PackName),
        textKey("SysName", SettingKind::Text, &P::SysName),
        textKey("Owner", SettingKind::Text, &P::Owner),
        numberKey("Indent", &P::Indent),
        numberKey("RefStrLen", &P::RefStrLen),
        textKey("DefPath", SettingKind::Text, &P::DefPath),
        textKey("VbName", SettingKind::Text, &P::VbName),
    };
    return keys;
}

void copySetting(const ParamsKey& key, const TPackParameters& source, TPackParameters& target) {
    if (key.flag)
        target.*key.flag = source.*key.flag;
    else if (key.number)
        target.*key.number = source.*key.number;
    else
        target.*key.text = source.*key.text;
}

bool sameSetting(const ParamsKey& key, const TPackParameters& a, const TPackParameters& b) {
    if (key.flag)
        return a.*key.flag == b.*key.flag;
    if (key.number)
        return a.*key.number == b.*key.number;
    return a.*key.text == b.*key.text;
}

std::optional<QString> unstorableCharacter(QStringView value) {
    if (const auto where = findSjisUnencodable(value))
        return where->character;
    return std::nullopt;
}

QString unstorableCharacterText(const QString& character) {
    return QStringLiteral("Shift-JISで保存できない文字があります：「%1」").arg(character);
}

QString serviceWithoutPassword(const QString& service) {
    QStringList kept;
    bool removed = false;
    for (qsizetype begin = 0;;) {
        const qsizetype end = attributeEnd(service, begin);
        const QStringView attribute = QStringView(service).sliced(begin, end - begin);
        if (isPasswordAttribute(attribute))
            removed = true;
        else
            kept.append(attribute.toString());
        if (end >= service.size())
            break;
        begin = end + 1;
    }
    return removed ? kept.join(u';') : service;
}

bool isControlCharacter(QChar c) {
    return c.unicode() < 0x20 || c.unicode() == 0x7F;
}

std::optional<QChar> firstControlCharacter(QStringView text) {
    const auto control = std::find_if(text.begin(), text.end(), isControlCharacter);
    return control == text.end() ? std::nullopt : std::optional<QChar>(*control);
}

QString characterCode(QChar c) {
    return QStringLiteral("U+") +
           QString::number(c.unicode(), 16).toUpper().rightJustified(4, u'0');
}

QString controlCharacterText(QChar c) {
    return QStringLiteral("制御文字 %1 があります").arg(characterCode(c));
}

QString shownName(QStringView name, qsizetype shown) {
    QString text;
    for (const QChar c : name.first(std::min(shown, name.size())))
        text += isControlCharacter(c) ? u'[' + characterCode(c) + u']' : QString(c);
    return name.size() > shown ? text + QStringLiteral("…") : text;
}

QString userWithoutPassword(const QString& user) {
    const qsizetype slash = user.indexOf(u'/');
    return slash < 0 ? user : user.left(slash);
}
