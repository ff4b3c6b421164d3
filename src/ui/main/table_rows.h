#pragma once

#include "model/generation_model.h"

#include <QList>
#include <QObject>
#include <QString>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

// The eight controls shown for one candidate table. The states of the five check boxes
// are the table's generation flags; there is no other copy of them.
struct TableRow {
    QFrame* Separator = nullptr;
    QLabel* NameLabel = nullptr;
    QCheckBox* PublicCheck = nullptr;
    QCheckBox* ArrayCheck = nullptr;
    QCheckBox* InsCheck = nullptr;
    QCheckBox* UpdCheck = nullptr;
    QCheckBox* ClrCheck = nullptr;
    QPushButton* RefButton = nullptr;
};

// The five flag columns, in the order of their header buttons.
enum class FlagColumn { Public, Array, Ins, Upd, Clr };

// The controls above the panel that the row controls line up under: the five header
// buttons and the argument column's label.
struct RowHeaders {
    QWidget* Public = nullptr;
    QWidget* Array = nullptr;
    QWidget* Ins = nullptr;
    QWidget* Upd = nullptr;
    QWidget* Clr = nullptr;
    QWidget* Ref = nullptr;
    QWidget* TabBefore = nullptr; // the control that Tab leaves for the first row
};

// The argument rows panel: one row of controls per candidate table, inside the main
// window's scroll box, in candidate order (row i is candidate i). The rows' controls sit in
// blocks of rows, the blocks in groups stacked in the scrolled area; a control's position is
// in its block's coordinates, and the first block starts at the scrolled area's top. The generators
// read the flags through TableFlags, from the check boxes at the moment they ask.
class TableRows : public QObject, public TableFlags {
    Q_OBJECT
public:
    // hintWatcher receives the mouse moves over every RefButton (status-bar hints).
    TableRows(QScrollArea* scrollBox, RowHeaders headers, QObject* hintWatcher,
              QObject* parent = nullptr);
    ~TableRows() override;

    qsizetype size() const { return rows_.size(); }
    bool isEmpty() const { return rows_.isEmpty(); }
    const TableRow& at(qsizetype i) const { return rows_.at(i); }
    QCheckBox* check(qsizetype i, FlagColumn column) const;

    // Creates, places and wires the row of candidate i (the next one) showing tableName.
    void AddRow(qsizetype i, const QString& tableName);

    // The rows a retrieval adds while a Batch lives are put in the tab order, given their
    // room in the scrolled area and shown once, when it ends; none is painted before: each
    // of those steps costs as much for one row as for thousands. A retrieval's Batch ends
    // after the window's controls are enabled again.
    class Batch {
    public:
        explicit Batch(TableRows& rows);
        ~Batch();
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;

    private:
        TableRows& rows_;
    };

    // PublicCheck's handler (on every change of its state, by the user or by inversion):
    // the row's RefButton is enabled exactly while its PublicCheck is checked.
    void PublicCheckClick(QObject* Sender);

    // Inverts the column's check box of every row on its own; a disabled box is skipped.
    void Invert(FlagColumn column);

    // Frees every row's controls.
    void FreeRowControls();

    // Gives every row's Separator the scroll box's client width.
    void SetSeparatorWidths();

    // The row index a row control carries.
    static int tagOf(const QObject* control);

    static QString refHint(); // "外部に公開するﾌﾟﾛｼｰｼﾞｬの引数を選択します (ﾊﾟｯｹｰｼﾞ)(VB)"

    bool isPublic(qsizetype i) const override;
    bool isArray(qsizetype i) const override;
    bool isIns(qsizetype i) const override;
    bool isUpd(qsizetype i) const override;
    bool isClr(qsizetype i) const override;

signals:
    // RefButtonClick: the argument settings of candidate index are to be edited.
    void RefButtonClick(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool checked(qsizetype i, FlagColumn column) const;
    void fitContent();
    // Tab goes from the control before row first through rows first to end - 1 in order,
    // then on to where it went from that control before.
    void chainTabOrder(qsizetype first, qsizetype end);
    // Shows rows first to end - 1; paintAsPanel: painted with the panel, not each control
    // on its own.
    void showRows(qsizetype first, qsizetype end, bool paintAsPanel);
    // The block that holds row i, created (hidden, and its group with it) when row i is the
    // first of it.
    QWidget* blockOf(qsizetype i);

    QScrollArea* scrollBox_;
    QWidget* viewport_; // the scroll box's client area, whose resizing the rows follow
    QWidget* content_;
    RowHeaders headers_;
    QObject* hintWatcher_;
    QList<TableRow> rows_;
    // The widgets that hold the rows' controls, a fixed number of rows each, one under the
    // other; the first row of each sits at the block's top. The groups hold the blocks in
    // the same way, and stack in the scrolled area.
    QList<QWidget*> blocks_;
    QList<QWidget*> groups_;
    qsizetype batchStart_ = -1; // the first row of the running Batch; -1: none runs
};
