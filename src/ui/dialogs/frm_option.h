#pragma once

#include <QDialog>
#include <QList>

class QLabel;
class QLineEdit;
class QPushButton;
class FieldEvents;
class TWinCtrl;
struct TPackParameters;

// The options dialog: edits the generation settings other than the two header flags. It
// works on the settings in memory; the settings file is written at program end. Created
// once at start-up and shown modally from the main window.
class TFRM_Option : public QDialog {
    Q_OBJECT
public:
    // Check results of the fields: the settings rule's (setting_rules.h), and a character the
    // settings file cannot hold.
    static constexpr qint32 Valid = 0;
    static constexpr qint32 PrefixMissing = 7;
    static constexpr qint32 NotANumber = 9;
    static constexpr qint32 NotALetter = 99;
    static constexpr qint32 ControlCharacter = 32;
    static constexpr qint32 NotStorable = 932;

    explicit TFRM_Option(TPackParameters& GenSettings, QWidget* parent = nullptr);

    // The thirteen fields, in tab order (= navigator index).
    QLineEdit* EDT_Public;
    QLineEdit* EDT_Custom;
    QLineEdit* EDT_SET;
    QLineEdit* EDT_CLR;
    QLineEdit* EDT_INS;
    QLineEdit* EDT_UPD;
    QLineEdit* EDT_Indent;
    QLineEdit* EDT_STRLEN;
    QLineEdit* EDT_SysName;
    QLineEdit* EDT_Owner;
    QLineEdit* EDT_PackName;
    QLineEdit* EDT_VbName;
    QLineEdit* EDT_DefPath;
    QPushButton* BTN_OK;
    QPushButton* BTN_Cancel;
    QPushButton* BTN_Browse;
    TWinCtrl* WinCtrl;

    QList<QLineEdit*> fields() const;
    QLabel* labelOf(const QLineEdit* field) const;

    void FormCreate();
    void FormShow();
    void EDT_PublicEnter(QWidget* field);
    void EDT_PublicExit();
    void EDT_PublicKeyDown(quint16& key, Qt::KeyboardModifiers shift);
    void EDT_DefPathKeyDown(quint16& key, Qt::KeyboardModifiers shift);
    void EDT_PublicKeyPress(QChar& key);
    void BTN_OKClick();
    void BTN_CancelClick();
    void BTN_BrowseClick();

    // The field check the navigator runs when a field is left (by its CurrentIndex).
    qint32 CheckOptionField();
    static qint32 CheckPrefix(const QString& text);
    static qint32 CheckIndent(const QString& text);
    static qint32 CheckStrLen(const QString& text);
    static qint32 CheckPackName(const QString& text);
    // Every field, after its own check: no control character (a pasted one would reach the
    // generated code), nothing the settings file cannot hold.
    static qint32 CheckStorable(const QString& text);
    // The message of a check result for the field's text.
    static QString checkMessage(qint32 code, const QString& text = {});

protected:
    void showEvent(QShowEvent* event) override;

private:
    void createControls();
    void createFields();  // the fields in tab order, each with its label
    void createButtons(); // OK, Cancel and the folder chooser, after the fields in tab order
    void watchFieldEvents();

    TPackParameters& GenSettings;
    FieldEvents* fieldEvents_;
    QList<QLineEdit*> fields_;
    QList<QLabel*> fieldLabels_;
};
