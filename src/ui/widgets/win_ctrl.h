#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QWidget;

// Per-field state of the input-field navigator.
struct TCtrlAttribute {
    qint32 ErrorCode = 0; // the owner's check result at the field's last exit; 0 = valid
    QString LastText;     // the field's text at its last exit
    qint32 ForwardStep = 0;
    qint32 BackStep = 0;
};

// The input-field navigator of a data-entry window, in the style of a terminal form: Enter
// and the Down arrow move to the next input field, the Up arrow to the previous one, the
// focused field is yellow, a field whose check fails when it is left is red. The window
// collects its fields once and forwards their entry, exit and key events (ui/widgets/
// field_events.h turns Qt's events into those).
//
// Collected fields: line edits (with or without input mask), plain-text and rich-text
// edits, combo boxes, and classes derived from them, whose parent is the window itself.
// A field's dynamic property "Tag" steers the navigation (decimal digits from the left):
// 0 or no Tag: an ordinary stop; first digit 1 to 4: the entry mode (FieldEnter); first
// digit 5 and five digits: an ordinary stop whose forward step is digits 2-3 and backward
// step digits 4-5; first digit 6 to 9: an ordinary stop.
class TWinCtrl : public QObject {
    Q_OBJECT
public:
    // How focus arrived, in LastKey.
    static constexpr quint16 KeyEnter = 13;
    static constexpr quint16 KeyUp = 38;
    static constexpr quint16 KeyDown = 40;
    static constexpr quint16 KeyOther = 64; // mouse, Tab key, program

    explicit TWinCtrl(QWidget* owner);

    QList<QWidget*> InputFields; // sorted by tab order
    qint32 CurrentIndex = 0;
    qint32 PreviousIndex = 0;
    quint16 LastKey = 0;
    bool KeyMove = false; // the next entry was started by the navigator's own move
    QList<TCtrlAttribute> FieldStates;
    QString OwnerName;
    QColor ErrorColor{255, 0, 0};
    QColor NormalColor; // the palette's base colour
    QColor FocusColor{255, 255, 0};

    void Collect(QWidget* owner);

    void FieldEnter(QWidget* field);
    void FieldExit();
    // key is 13, 38, 40 or any other code; set to 0 when the navigator consumed it.
    void FieldKeyDown(quint16& key, Qt::KeyboardModifiers shift);
    // An Enter character becomes 0, so that nothing else acts on it.
    void FieldKeyPress(QChar& key);

    void FocusNext();
    void FocusPrevious();
    void FocusField(qint32 index);

    qint32 CheckField();
    qint32 FieldErrorCode(qint32 index) const;
    QWidget* FieldAt(qint32 index) const;
    QString FieldText(qint32 index) const;
    qint32 FirstIndex() const { return 0; }
    qint32 LastIndex() const { return qint32(InputFields.size()) - 1; }

    void ClearErrors(bool all, qint32 first, qint32 last);
    void ClearFields(bool all, qint32 first, qint32 last);

    // The owner window's field check, run on every field exit; it finds the field being
    // left through CurrentIndex. Without one every field is valid.
    using FieldCheck = std::function<qint32()>;
    void setFieldCheck(FieldCheck check) { fieldCheck_ = std::move(check); }

    static bool isInputField(const QWidget* widget);
    // The field's Tag property (0 when it has none).
    static qint32 Tag(const QWidget* field);
    // The background colour a field is painted in.
    static QColor fieldColor(const QWidget* field);

private:
    void paint(QWidget* field, const QColor& color) const;
    void clearContent(QWidget* field) const;

    FieldCheck fieldCheck_;
};
