#pragma once

#include "model/generation_model.h"

#include <QList>
#include <QObject>
#include <QString>

#include <deque>
#include <utility>
#include <vector>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollArea;
class QWidget;

// The eight controls shown for one candidate table. While a row has them, the states of
// its five check boxes are the table's generation flags; there is no other copy of them.
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

// The argument rows panel: one row per candidate table, inside the main window's scroll box,
// in candidate order (row i is candidate i). A row's controls are made only when they are
// needed: its block of rows scrolled into view (or next to it), focus reaching the block next
// to it, or at() or check() asking for them. Until then its flags are plain bits, and the
// scrolled area is as tall as all the rows. While a row has its controls, its check boxes are
// its flags; blocks scrolled far out of view give theirs up again, their states kept as bits,
// unless at() or check() handed them out. The blocks sit in groups stacked in the scrolled area; a
// control's position is in its block's coordinates, and the first block starts at the scrolled
// area's top. The generators read the flags through TableFlags at the moment they ask.
class TableRows : public QObject, public TableFlags {
    Q_OBJECT
public:
    // hintWatcher receives the mouse moves over every RefButton (status-bar hints).
    TableRows(QScrollArea* scrollBox, RowHeaders headers, QObject* hintWatcher,
              QObject* parent = nullptr);
    ~TableRows() override;

    qsizetype size() const { return static_cast<qsizetype>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    // Row i's controls, made if the row has none yet. A row handed out here keeps its
    // controls until the rows are freed, so the pointers stay good.
    const TableRow& at(qsizetype i) const;
    QCheckBox* check(qsizetype i, FlagColumn column) const;
    // Whether row i has its controls now (at() and check() would make them).
    bool hasControls(qsizetype i) const;

    // Sets the five flags of row i, in its check boxes when it has them.
    void setFlags(qsizetype i, const TableFlagValues& flags);

    // Adds the row of candidate i (the next one) showing tableName.
    void AddRow(qsizetype i, const QString& tableName);

    // The rows a retrieval adds while a Batch lives get their place in the scrolled area, and
    // the controls of those in view, once, when it ends; none is painted before. A
    // retrieval's Batch ends after the window's controls are enabled again.
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

    // Inverts the column's flag of every row on its own; a disabled box is skipped.
    void Invert(FlagColumn column);

    // Frees every row and its controls.
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
    struct Row {
        TableRow controls; // all null while the row has none
        QString name;
        quint8 flags = 0; // one bit per FlagColumn, read while the row has no controls
    };
    struct Block {
        QWidget* widget = nullptr; // null while none of its rows has controls
        bool kept = false;         // handed out by at() or check(): never taken down
    };

    bool checked(qsizetype i, FlagColumn column) const;
    void fitContent();
    // The controls of row i, its block made first when it has none.
    TableRow& rowControls(qsizetype i);
    // Gives every row of block b its controls, placed, wired and in the tab order; shown
    // unless a Batch runs.
    void makeBlock(qsizetype b);
    void makeRow(qsizetype i, QWidget* block);
    // The blocks in view and one on either side, with their controls; blocks far from the
    // view taken down again once many are made.
    void makeRowsInView();
    void takeDownFarBlocks();
    void takeDown(qsizetype b);
    // The first and last blocks in view, with one more on either side.
    std::pair<qsizetype, qsizetype> blocksInView() const;
    // Whether block b may be taken down while the view shows blocks first to last.
    bool mayTakeDown(qsizetype b, qsizetype first, qsizetype last) const;
    // Focus moved to now: the blocks next to its block are made, so Tab and Shift+Tab find
    // their rows.
    void focusMoved(QWidget* now);
    // Tab goes from the control before row first through rows first to end - 1 in order,
    // then on to where it went from that control before.
    void chainTabOrder(qsizetype first, qsizetype end);
    // The last control Tab reaches in the rows before row i that have controls, or the
    // control before the first row.
    QWidget* tabBefore(qsizetype i) const;
    qsizetype blockCount() const;

    QScrollArea* scrollBox_;
    QWidget* viewport_; // the scroll box's client area, whose resizing the rows follow
    QWidget* content_;
    RowHeaders headers_;
    QObject* hintWatcher_;
    // A deque, so that a row handed out by at() stays where it is as rows are added.
    std::deque<Row> rows_;
    // The widgets that hold the rows' controls, a fixed number of rows each, one under the
    // other; the first row of each sits at the block's top. The groups hold the blocks in
    // the same way, and stack in the scrolled area; both are made only when a row of theirs
    // gets its controls.
    std::vector<Block> blocks_;
    QList<QWidget*> groups_;
    qsizetype madeBlocks_ = 0;
    bool takeDownPending_ = false;
    qsizetype batchStart_ = -1; // the first row of the running Batch; -1: none runs
};
