#include "ui/dialogs/frm_option.h"

#include "settings/setting_rules.h"
#include "ui/fonts.h"
#include "ui/messages.h"
#include "ui/seams.h"
#include "ui/widgets/enter_clicks.h"
#include "ui/widgets/field_events.h"
#include "ui/widgets/placed_label.h"
#include "ui/widgets/typing_limit.h"
#include "ui/widgets/win_ctrl.h"
#include "ui/window_geometry.h"
#include "util/integer_text.h"

#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

namespace {

enum class LabelPlace { RightAligned, Before, Above };

struct FieldLayout {
    const char* name;
    const char* label;
    int left, top, width;
    int maxLength;   // 0: none
    bool singleByte; // input method off
    LabelPlace place;
    int labelLeft;
};

constexpr int kFieldHeight = 20;

// In tab order; the navigator index is the position here.
const FieldLayout kFields[] = {
    {"EDT_Public", "外部に公開するﾌﾟﾛｼｰｼﾞｬ", 155, 24, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_Custom", "ｶｽﾀﾏｲｽﾞ対象ﾌﾟﾛｼｰｼﾞｬ", 155, 48, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_SET", "変数ｾｯﾄﾌﾟﾛｼｰｼﾞｬ", 155, 72, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_CLR", "変数ｸﾘｱﾌﾟﾛｼｰｼﾞｬ", 155, 96, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_INS", "INSERTﾌﾟﾛｼｰｼﾞｬ", 155, 120, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_UPD", "UPDATEﾌﾟﾛｼｰｼﾞｬ", 155, 144, 73, 10, true, LabelPlace::RightAligned, 8},
    {"EDT_Indent", "インデント", 198, 186, 30, 2, true, LabelPlace::Before, 16},
    {"EDT_STRLEN", "汎用引数（文字列）の桁数", 198, 209, 30, 2, true, LabelPlace::Before, 16},
    {"EDT_SysName", "使用ｼｽﾃﾑ名称", 358, 24, 122, 0, false, LabelPlace::RightAligned, 253},
    {"EDT_Owner", "ﾊﾟｯｹｰｼﾞ編集者", 358, 48, 122, 10, false, LabelPlace::RightAligned, 253},
    {"EDT_PackName", "ﾊﾟｯｹｰｼﾞ", 332, 92, 148, 0, true, LabelPlace::RightAligned, 253},
    {"EDT_VbName", "VBﾓｼﾞｭｰﾙ", 332, 116, 148, 0, true, LabelPlace::RightAligned, 253},
    {"EDT_DefPath", "標準の作成フォルダ", 269, 170, 211, 0, false, LabelPlace::Above, 269},
};

enum FieldIndex {
    Public,
    Custom,
    Set,
    Clr,
    Ins,
    Upd,
    Indent,
    StrLen,
    SysName,
    Owner,
    PackName,
    VbName,
    DefPath
};

QPushButton* button(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(geometry);
    b->setAutoDefault(false); // Enter in a field belongs to the navigator, not to a button
    clickOnEnter(b);
    return b;
}

} // namespace

TFRM_Option::TFRM_Option(TPackParameters& GenSettings, QWidget* parent)
    : QDialog(parent), GenSettings(GenSettings) {
    setObjectName(QStringLiteral("FRM_Option"));
    setWindowTitle(QStringLiteral("オプション"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(windowFont());
    setFixedSize(510, 243);
    createControls();
    FormCreate();
}

void TFRM_Option::createControls() {
    placedLabel(this, nullptr, QStringLiteral("<<接頭語の編集>>"), 8, 6);
    placedLabel(this, nullptr, QStringLiteral("<<その他>>"), 8, 168);
    placedLabel(this, nullptr, QStringLiteral("<<ﾊﾟｯｹｰｼﾞﾍｯﾀﾞｰ>>"), 253, 6);
    placedLabel(this, nullptr, QStringLiteral("<<名称>>"), 253, 74);
    placedLabel(this, nullptr, QStringLiteral("※省略時は自動で命名"), 310, 74);

    auto* divider = new QFrame(this);
    divider->setFrameStyle(QFrame::VLine | QFrame::Sunken);
    divider->setGeometry(244, 6, 3, 231);

    createFields();
    createButtons();
    watchFieldEvents();
}

void TFRM_Option::createFields() {
    for (const FieldLayout& f : kFields) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QLatin1String(f.name));
        field->setGeometry(f.left, f.top, f.width, kFieldHeight);
        if (f.maxLength > 0)
            setTypingLimit(field, f.maxLength);
        if (f.singleByte)
            field->setAttribute(Qt::WA_InputMethodEnabled, false);

        auto* label = new QLabel(QString::fromUtf8(f.label), this);
        switch (f.place) {
        case LabelPlace::RightAligned:
            label->setGeometry(f.labelLeft, f.top, f.left - 4 - f.labelLeft, kFieldHeight);
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            break;
        case LabelPlace::Before:
            label->setGeometry(f.labelLeft, f.top, f.left - 4 - f.labelLeft, kFieldHeight);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            break;
        case LabelPlace::Above:
            label->setGeometry(f.labelLeft, f.top - 16, f.width, 14);
            label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
            break;
        }
        label->setBuddy(field);
        fields_.append(field);
        fieldLabels_.append(label);
    }
    EDT_Public = fields_[Public];
    EDT_Custom = fields_[Custom];
    EDT_SET = fields_[Set];
    EDT_CLR = fields_[Clr];
    EDT_INS = fields_[Ins];
    EDT_UPD = fields_[Upd];
    EDT_Indent = fields_[Indent];
    EDT_STRLEN = fields_[StrLen];
    EDT_SysName = fields_[SysName];
    EDT_Owner = fields_[Owner];
    EDT_PackName = fields_[PackName];
    EDT_VbName = fields_[VbName];
    EDT_DefPath = fields_[DefPath];
}

void TFRM_Option::createButtons() {
    BTN_OK = button(this, "BTN_OK", QStringLiteral("OK"), {363, 213, 70, 25});
    BTN_Cancel = button(this, "BTN_Cancel", QStringLiteral("Cancel"), {435, 213, 70, 25});
    BTN_Browse = button(this, "BTN_Browse", QStringLiteral("..."), {485, 170, 19, 21});
    QWidget* previous = fields_.first();
    for (QWidget* next : QList<QWidget*>(fields_.begin() + 1, fields_.end()) +
                             QList<QWidget*>{BTN_OK, BTN_Cancel, BTN_Browse}) {
        setTabOrder(previous, next);
        previous = next;
    }
    connect(BTN_OK, &QPushButton::clicked, this, [this] { runGuarded([this] { BTN_OKClick(); }); });
    connect(BTN_Cancel, &QPushButton::clicked, this,
            [this] { runGuarded([this] { BTN_CancelClick(); }); });
    connect(BTN_Browse, &QPushButton::clicked, this,
            [this] { runGuarded([this] { BTN_BrowseClick(); }); });
}

void TFRM_Option::watchFieldEvents() {
    FieldEvents::Handlers handlers;
    handlers.enter = [this](QWidget* field) {
        EDT_PublicEnter(field);
    };
    handlers.exit = [this](QWidget*) {
        EDT_PublicExit();
    };
    handlers.keyDown = [this](QWidget* field, quint16& key, Qt::KeyboardModifiers shift) {
        if (field == EDT_DefPath)
            EDT_DefPathKeyDown(key, shift);
        else
            EDT_PublicKeyDown(key, shift);
    };
    handlers.keyPress = [this](QWidget*, QChar& key) {
        EDT_PublicKeyPress(key);
    };
    fieldEvents_ = new FieldEvents(this, std::move(handlers));
    for (QLineEdit* field : fields_)
        fieldEvents_->watch(field);
}

QList<QLineEdit*> TFRM_Option::fields() const {
    return fields_;
}

QLabel* TFRM_Option::labelOf(const QLineEdit* field) const {
    const qsizetype i = fields_.indexOf(const_cast<QLineEdit*>(field));
    return i >= 0 ? fieldLabels_[i] : nullptr;
}

void TFRM_Option::FormCreate() {
    placeWindow(this, 3);
    WinCtrl = new TWinCtrl(this);
    WinCtrl->setFieldCheck([this] { return CheckOptionField(); });
    WinCtrl->Collect(this);
    WinCtrl->ClearFields(true, 0, 0);
    EDT_Public->setFocus(); // the first showing starts here
}

void TFRM_Option::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A restore from minimized is no new showing: what was typed stays.
    if (!event->spontaneous())
        runGuarded([this] { FormShow(); });
}

void TFRM_Option::FormShow() {
    WinCtrl->ClearFields(true, 0, 0);
    const TPackParameters& s = GenSettings;
    setTextWhole(EDT_Public, s.Public);
    setTextWhole(EDT_Custom, s.Custom);
    setTextWhole(EDT_SET, s.Set);
    setTextWhole(EDT_CLR, s.Clr);
    setTextWhole(EDT_INS, s.INS);
    setTextWhole(EDT_UPD, s.UPD);
    setTextWhole(EDT_Indent, QString::number(s.Indent));
    setTextWhole(EDT_STRLEN, QString::number(s.RefStrLen));
    setTextWhole(EDT_SysName, s.SysName);
    setTextWhole(EDT_Owner, s.Owner);
    setTextWhole(EDT_PackName, s.PackName);
    setTextWhole(EDT_VbName, s.VbName);
    setTextWhole(EDT_DefPath, s.DefPath);
}

void TFRM_Option::EDT_PublicEnter(QWidget* field) {
    WinCtrl->FieldEnter(field);
}

void TFRM_Option::EDT_PublicExit() {
    WinCtrl->FieldExit();
}

void TFRM_Option::EDT_PublicKeyDown(quint16& key, Qt::KeyboardModifiers shift) {
    WinCtrl->FieldKeyDown(key, shift);
}

void TFRM_Option::EDT_DefPathKeyDown(quint16& key, Qt::KeyboardModifiers shift) {
    Q_UNUSED(shift);
    if (key == TWinCtrl::KeyEnter) {
        WinCtrl->LastKey = TWinCtrl::KeyEnter;
        key = 0;
        BTN_OKClick();
    } else if (key == TWinCtrl::KeyUp) {
        WinCtrl->LastKey = TWinCtrl::KeyUp;
        key = 0;
        WinCtrl->FocusPrevious();
    }
}

void TFRM_Option::EDT_PublicKeyPress(QChar& key) {
    WinCtrl->FieldKeyPress(key);
}

qint32 TFRM_Option::CheckOptionField() {
    const qint32 index = WinCtrl->CurrentIndex;
    const QString text = WinCtrl->FieldText(index);
    qint32 code = Valid;
    switch (index) {
    case Public:
    case Custom:
    case Set:
    case Clr:
    case Ins:
    case Upd:
        code = CheckPrefix(text);
        break;
    case Indent:
        code = CheckIndent(text);
        break;
    case StrLen:
        code = CheckStrLen(text);
        break;
    case PackName:
        code = CheckPackName(text);
        break;
    default:
        break;
    }
    return code != Valid ? code : CheckStorable(text);
}

qint32 TFRM_Option::CheckPrefix(const QString& text) {
    return qint32(checkSetting(SettingKind::Prefix, text));
}

qint32 TFRM_Option::CheckIndent(const QString& text) {
    return qint32(checkSetting(SettingKind::SmallNumber, text));
}

qint32 TFRM_Option::CheckStrLen(const QString& text) {
    return qint32(checkSetting(SettingKind::SmallNumber, text));
}

qint32 TFRM_Option::CheckPackName(const QString& text) {
    return qint32(checkSetting(SettingKind::PackageName, text));
}

qint32 TFRM_Option::CheckStorable(const QString& text) {
    if (firstControlCharacter(settingText(text)))
        return ControlCharacter;
    return unstorableCharacter(text) ? NotStorable : Valid;
}

QString TFRM_Option::checkMessage(qint32 code, const QString& text) {
    if (code == NotStorable)
        return unstorableCharacterText(unstorableCharacter(text).value_or(QString()));
    return settingFaultText(SettingFault(code), text);
}

void TFRM_Option::BTN_OKClick() {
    // The exit check of the field that had the focus runs first.
    QCoreApplication::processEvents();

    // A field that was never left has no check result, but what the settings file cannot
    // hold is refused all the same: a folder from the chooser, a value from a UTF-8 file.
    for (qint32 i = WinCtrl->FirstIndex(); i <= WinCtrl->LastIndex(); ++i) {
        const QString text = WinCtrl->FieldText(i);
        qint32 code = WinCtrl->FieldErrorCode(i);
        if (code == Valid)
            code = CheckStorable(text);
        if (code != Valid) {
            WinCtrl->FieldStates[i].ErrorCode = code;
            messages().showTitled(MessageIcon::Information, MessageButtons::Ok,
                                  checkMessage(code, text));
            WinCtrl->FocusField(i);
            return;
        }
    }
    // A field never entered holds its shown value, a number; should one not convert after
    // all, it is refused like a typed one rather than stored as something else.
    const auto indent = parseInteger(EDT_Indent->text());
    const auto strLen = parseInteger(EDT_STRLEN->text());
    if (!indent || !strLen) {
        messages().showTitled(MessageIcon::Information, MessageButtons::Ok,
                              checkMessage(NotANumber));
        WinCtrl->FocusField(!indent ? Indent : StrLen);
        return;
    }

    TPackParameters& s = GenSettings;
    s.Public = settingText(EDT_Public->text());
    s.Custom = settingText(EDT_Custom->text());
    s.Set = settingText(EDT_SET->text());
    s.Clr = settingText(EDT_CLR->text());
    s.INS = settingText(EDT_INS->text());
    s.UPD = settingText(EDT_UPD->text());
    s.PackName = settingText(EDT_PackName->text());
    s.SysName = settingText(EDT_SysName->text());
    s.Owner = settingText(EDT_Owner->text());
    s.Indent = *indent;
    s.RefStrLen = *strLen;
    s.DefPath = settingText(EDT_DefPath->text());
    s.VbName = settingText(EDT_VbName->text());
    accept();
}

void TFRM_Option::BTN_CancelClick() {
    reject();
}

void TFRM_Option::BTN_BrowseClick() {
    if (const auto folder = chooseFolder(this, EDT_DefPath->text()))
        EDT_DefPath->setText(*folder);
}
