#include "ui/main/table_rows.h"

#include "ui/widgets/control_hint.h"

#include <QApplication>
#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVariant>

#include <algorithm>
#include <array>

namespace {

constexpr int kRowPitch = 24;
// The rows live in blocks of this many, each block a widget of its own, and the blocks in
// groups of kBlocksPerGroup. Much of Qt's work for a control (finding what covers it before
// painting it, finding the other buttons of its parent when a check box is cleared) walks
// every sibling of the control and of each of its parents: held so, that is a couple of
// hundred widgets however many rows there are, not eight per row.
constexpr int kRowsPerBlock = 16;
constexpr int kBlocksPerGroup = 16;
constexpr int kRowsPerGroup = kRowsPerBlock * kBlocksPerGroup;
constexpr int kBlockPitch = kRowsPerBlock * kRowPitch;
// Controls cost time to make and memory to hold (some 18 KB a row): past this many blocks
// with controls, scrolling takes down those far from the view that nothing holds on to.
constexpr qsizetype kMadeBlocksKept = 16;
constexpr int kCheckSize = 14;
const char* const kTag = "Tag";

// The controls of a row that Tab reaches, in the order it reaches them.
std::array<QWidget*, 6> tabChain(const TableRow& row) {
    return {row.PublicCheck, row.ArrayCheck, row.InsCheck,
            row.UpdCheck,    row.ClrCheck,   row.RefButton};
}

// Every control of a row.
std::array<QWidget*, 8> controls(const TableRow& row) {
    return {row.NameLabel, row.Separator, row.PublicCheck, row.ArrayCheck,
            row.InsCheck,  row.UpdCheck,  row.ClrCheck,    row.RefButton};
}

std::array<QCheckBox*, 5> checks(const TableRow& row) {
    return {row.PublicCheck, row.ArrayCheck, row.InsCheck, row.UpdCheck, row.ClrCheck};
}

// Tab goes from previous (when there is one) through the row's controls, then on to where
// it went from previous before.
void linkAfter(QWidget* previous, const TableRow& row) {
    for (QWidget* control : tabChain(row)) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

quint8 bitOf(FlagColumn column) {
    return static_cast<quint8>(1U << static_cast<unsigned>(column));
}

} // namespace

TableRows::TableRows(QScrollArea* scrollBox, RowHeaders headers, QObject* hintWatcher,
                     QObject* parent)
    : QObject(parent), scrollBox_(scrollBox), viewport_(scrollBox->viewport()), headers_(headers),
      hintWatcher_(hintWatcher) {
    content_ = scrollBox_->widget();
    if (!content_) {
        content_ = new QWidget();
        content_->setObjectName(QStringLiteral("SCB_MainClient"));
        scrollBox_->setWidget(content_);
    }
    scrollBox_->setWidgetResizable(false);
    viewport_->installEventFilter(this);
    content_->installEventFilter(this);
    connect(scrollBox_->verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { makeRowsInView(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { focusMoved(now); });
    fitContent();
}

TableRows::~TableRows() = default;

QString TableRows::refHint() {
    return QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬの引数を選択します (ﾊﾟｯｹｰｼﾞ)(VB)");
}

int TableRows::tagOf(const QObject* control) {
    return control ? control->property(kTag).toInt() : -1;
}

qsizetype TableRows::blockCount() const {
    return (size() + kRowsPerBlock - 1) / kRowsPerBlock;
}

// Handing out a row's controls makes them: the rows panel looks the same either way, so
// the controls count as part of its state, not of its value.
const TableRow& TableRows::at(qsizetype i) const {
    return const_cast<TableRows*>(this)->rowControls(i);
}

TableRow& TableRows::rowControls(qsizetype i) {
    Row& row = rows_.at(static_cast<size_t>(i));
    if (!row.controls.PublicCheck) {
        makeBlock(i / kRowsPerBlock);
        if (batchStart_ < 0)
            fitContent();
    }
    blocks_[static_cast<size_t>(i / kRowsPerBlock)].kept = true;
    return row.controls;
}

bool TableRows::hasControls(qsizetype i) const {
    return i >= 0 && i < size() && rows_[static_cast<size_t>(i)].controls.PublicCheck;
}

QCheckBox* TableRows::check(qsizetype i, FlagColumn column) const {
    const TableRow& row = at(i);
    switch (column) {
    case FlagColumn::Public:
        return row.PublicCheck;
    case FlagColumn::Array:
        return row.ArrayCheck;
    case FlagColumn::Ins:
        return row.InsCheck;
    case FlagColumn::Upd:
        return row.UpdCheck;
    case FlagColumn::Clr:
        return row.ClrCheck;
    }
    return nullptr;
}

void TableRows::setFlags(qsizetype i, const TableFlagValues& flags) {
    Row& row = rows_.at(static_cast<size_t>(i));
    const bool values[] = {flags.Public, flags.Array, flags.Ins, flags.Upd, flags.Clr};
    if (row.controls.PublicCheck) {
        const auto boxes = checks(row.controls);
        for (size_t c = 0; c < boxes.size(); ++c)
            boxes[c]->setChecked(values[c]);
        return;
    }
    row.flags = 0;
    for (int c = 0; c < 5; ++c)
        if (values[c])
            row.flags |= bitOf(static_cast<FlagColumn>(c));
}

void TableRows::makeBlock(qsizetype b) {
    const qsizetype first = b * kRowsPerBlock;
    const qsizetype end = std::min(size(), first + kRowsPerBlock);
    Block& block = blocks_[static_cast<size_t>(b)];
    const bool fresh = !block.widget;
    if (fresh) {
        const qsizetype g = b / kBlocksPerGroup;
        QWidget*& group = groups_[g];
        if (!group) {
            group = new QWidget(content_);
            group->setGeometry(0, static_cast<int>(g) * kRowsPerGroup * kRowPitch,
                               viewport_->width(), 0);
            group->show();
        }
        block.widget = new QWidget(group);
        block.widget->setGeometry(0, static_cast<int>(b % kBlocksPerGroup) * kBlockPitch,
                                  viewport_->width(), 0);
        ++madeBlocks_;
    }
    // A block made earlier may lack the rows a Batch added since.
    qsizetype from = first;
    while (from < end && rows_[static_cast<size_t>(from)].controls.PublicCheck)
        ++from;
    if (from == end)
        return;
    for (qsizetype i = from; i < end; ++i)
        makeRow(i, block.widget);
    QWidget* group = block.widget->parentWidget();
    group->resize(group->width(), std::max(group->height(), block.widget->geometry().bottom() + 1));
    chainTabOrder(from, end);
    if (batchStart_ >= 0)
        return; // shown when the Batch ends
    if (fresh) {
        block.widget->show(); // its rows' controls come with it
        return;
    }
    for (qsizetype i = from; i < end; ++i)
        for (QWidget* control : controls(rows_[static_cast<size_t>(i)].controls))
            control->show();
}

void TableRows::makeRow(qsizetype i, QWidget* block) {
    Row& data = rows_[static_cast<size_t>(i)];
    const QVariant tag(static_cast<int>(i));
    TableRow& row = data.controls;
    row.NameLabel = new QLabel(block);
    row.Separator = new QFrame(block);
    QCheckBox** boxes[] = {&row.PublicCheck, &row.ArrayCheck, &row.InsCheck, &row.UpdCheck,
                           &row.ClrCheck};
    for (QCheckBox** box : boxes)
        *box = new QCheckBox(block);
    row.RefButton = new QPushButton(block);

    // A table name is shown as it is, never as rich text.
    row.NameLabel->setTextFormat(Qt::PlainText);
    row.NameLabel->setText(data.name);
    row.NameLabel->adjustSize();
    row.NameLabel->move(5, static_cast<int>(i % kRowsPerBlock) * kRowPitch + 5);
    const int top = row.NameLabel->y();

    row.Separator->setFrameShape(QFrame::HLine);
    row.Separator->setFrameShadow(QFrame::Sunken);
    row.Separator->setGeometry(0, row.NameLabel->geometry().bottom() + 1 + 4, viewport_->width(),
                               2);

    const QWidget* heads[] = {headers_.Public, headers_.Array, headers_.Ins, headers_.Upd,
                              headers_.Clr};
    for (int c = 0; c < 5; ++c) {
        QCheckBox* box = *boxes[c];
        box->setProperty(kTag, tag);
        box->setGeometry(heads[c]->x() - 2, top - 1, kCheckSize, kCheckSize);
        box->setChecked(data.flags & bitOf(static_cast<FlagColumn>(c)));
    }
    connect(row.PublicCheck, &QCheckBox::toggled, this,
            [this, box = row.PublicCheck] { PublicCheckClick(box); });

    row.RefButton->setProperty(kTag, tag);
    connect(row.RefButton, &QPushButton::clicked, this,
            [this, button = row.RefButton] { emit RefButtonClick(tagOf(button)); });
    row.RefButton->setEnabled(row.PublicCheck->isChecked());
    row.RefButton->setText(QStringLiteral("Ref"));
    setControlHint(row.RefButton, refHint());
    row.RefButton->setMouseTracking(true);
    if (hintWatcher_)
        row.RefButton->installEventFilter(hintWatcher_);
    row.RefButton->setGeometry(headers_.Ref->x() - 12, top - 2, 25, 16);

    // The block reaches down to its last row's separator.
    block->resize(block->width(),
                  std::max(block->height(), row.Separator->geometry().bottom() + 1));
}

void TableRows::AddRow(qsizetype i, const QString& tableName) {
    // Rows are added in candidate order: the new row is row i.
    i = size();
    rows_.push_back(Row{{}, tableName, 0});
    if (blocks_.size() < static_cast<size_t>(blockCount()))
        blocks_.emplace_back();
    if (groups_.size() * kRowsPerGroup < size())
        groups_.append(nullptr);
    if (batchStart_ >= 0)
        return;
    // The last block always has its controls: Shift+Tab from the control after the rows
    // reaches its last row.
    makeBlock(i / kRowsPerBlock);
    fitContent();
}

TableRows::Batch::Batch(TableRows& rows) : rows_(rows) {
    rows_.batchStart_ = rows_.size();
}

TableRows::Batch::~Batch() {
    rows_.batchStart_ = -1;
    if (rows_.isEmpty())
        return;
    // The first block and the last always have their controls: Tab from the control before
    // the rows reaches the first row, Shift+Tab from the one after them the last.
    rows_.makeBlock(0);
    rows_.makeBlock(rows_.blockCount() - 1);
    rows_.fitContent();
    // Blocks made while the Batch ran wait to be shown.
    for (const Block& block : rows_.blocks_) {
        if (!block.widget)
            continue;
        if (block.widget->isHidden()) {
            block.widget->show();
            continue;
        }
        for (QObject* child : block.widget->children())
            if (auto* control = qobject_cast<QWidget*>(child); control && control->isHidden())
                control->show();
    }
    rows_.makeRowsInView();
}

QWidget* TableRows::tabBefore(qsizetype i) const {
    for (qsizetype r = i - 1; r >= 0;) {
        const Row& row = rows_[static_cast<size_t>(r)];
        if (row.controls.RefButton)
            return row.controls.RefButton;
        // A block's rows without controls are those a Batch added after the others, or all.
        if (!blocks_[static_cast<size_t>(r / kRowsPerBlock)].widget)
            r = r / kRowsPerBlock * kRowsPerBlock - 1;
        else
            --r;
    }
    return headers_.TabBefore;
}

void TableRows::chainTabOrder(qsizetype first, qsizetype end) {
    if (first >= end)
        return;
    QWidget* before = tabBefore(first);
    if (!before) {
        // Nothing before: the first row starts the chain.
        linkAfter(nullptr, rows_[static_cast<size_t>(first)].controls);
        before = rows_[static_cast<size_t>(first)].controls.RefButton;
        ++first;
    }
    // Each row goes right after `before`, the last one first: a row's controls then move
    // from just behind the place they go to, and no move walks the focus chain (moving
    // them first to last, each would pass the labels and separators of the rows before).
    for (qsizetype i = end; i-- > first;)
        linkAfter(before, rows_[static_cast<size_t>(i)].controls);
}

std::pair<qsizetype, qsizetype> TableRows::blocksInView() const {
    const int top = scrollBox_->verticalScrollBar()->value();
    const qsizetype last = blockCount() - 1;
    return {std::clamp<qsizetype>(top / kBlockPitch - 1, 0, last),
            std::clamp<qsizetype>((top + viewport_->height()) / kBlockPitch + 1, 0, last)};
}

void TableRows::makeRowsInView() {
    if (batchStart_ >= 0 || isEmpty())
        return;
    const auto [first, last] = blocksInView();
    for (qsizetype b = first; b <= last; ++b)
        makeBlock(b);
    if (madeBlocks_ <= kMadeBlocksKept || takeDownPending_)
        return;
    // Later, not now: the event that scrolled may still be on its way through a control of a
    // block that is now far from the view.
    takeDownPending_ = true;
    QMetaObject::invokeMethod(this, &TableRows::takeDownFarBlocks, Qt::QueuedConnection);
}

void TableRows::takeDownFarBlocks() {
    takeDownPending_ = false;
    if (batchStart_ >= 0 || isEmpty() || madeBlocks_ <= kMadeBlocksKept)
        return;
    const auto [first, last] = blocksInView();
    for (qsizetype b = 0; b < blockCount(); ++b)
        if (mayTakeDown(b, first, last))
            takeDown(b);
}

bool TableRows::mayTakeDown(qsizetype b, qsizetype first, qsizetype last) const {
    const Block& block = blocks_[static_cast<size_t>(b)];
    if (!block.widget || block.kept || b == 0 || b == blockCount() - 1 || (b >= first && b <= last))
        return false;
    // The focus, and the blocks Tab and Shift+Tab go to from it, stay.
    const QWidget* focus = QApplication::focusWidget();
    if (focus && block.widget->isAncestorOf(focus))
        return false;
    const qsizetype focusBlock =
        focus && content_->isAncestorOf(focus) ? tagOf(focus) / kRowsPerBlock : -2;
    return b < focusBlock - 1 || b > focusBlock + 1;
}

void TableRows::takeDown(qsizetype b) {
    Block& block = blocks_[static_cast<size_t>(b)];
    const qsizetype first = b * kRowsPerBlock;
    const qsizetype end = std::min(size(), first + kRowsPerBlock);
    for (qsizetype i = first; i < end; ++i) {
        Row& row = rows_[static_cast<size_t>(i)];
        if (!row.controls.PublicCheck)
            continue; // added by a Batch after its block was made, still without controls
        row.flags = 0;
        for (int c = 0; c < 5; ++c)
            if (checks(row.controls)[static_cast<size_t>(c)]->isChecked())
                row.flags |= bitOf(static_cast<FlagColumn>(c));
        row.controls = {};
    }
    delete block.widget;
    block.widget = nullptr;
    --madeBlocks_;
}

void TableRows::focusMoved(QWidget* now) {
    if (!now || batchStart_ >= 0 || !content_->isAncestorOf(now))
        return;
    const qsizetype b = tagOf(now) / kRowsPerBlock;
    for (qsizetype next : {b - 1, b + 1})
        if (next >= 0 && next < blockCount() && !blocks_[static_cast<size_t>(next)].widget)
            makeBlock(next);
}

void TableRows::PublicCheckClick(QObject* Sender) {
    const int i = tagOf(Sender);
    if (i < 0 || i >= size())
        return;
    const TableRow& row = rows_[static_cast<size_t>(i)].controls;
    if (row.RefButton)
        row.RefButton->setEnabled(static_cast<QCheckBox*>(Sender)->isChecked());
}

void TableRows::Invert(FlagColumn column) {
    // A row without controls has its boxes enabled as the panel is.
    const bool enabled = content_->isEnabled();
    const quint8 bit = bitOf(column);
    for (Row& row : rows_) {
        if (row.controls.PublicCheck) {
            QCheckBox* box = checks(row.controls)[static_cast<size_t>(column)];
            if (box->isEnabled())
                box->setChecked(!box->isChecked());
        } else if (enabled) {
            row.flags ^= bit;
        }
    }
}

void TableRows::FreeRowControls() {
    const bool painting = scrollBox_->updatesEnabled();
    scrollBox_->setUpdatesEnabled(false);
    // A group takes its blocks and their rows' controls with it.
    qDeleteAll(groups_);
    groups_.clear();
    blocks_.clear();
    rows_.clear();
    madeBlocks_ = 0;
    if (batchStart_ > 0)
        batchStart_ = 0;
    fitContent();
    if (painting)
        scrollBox_->setUpdatesEnabled(true);
}

void TableRows::SetSeparatorWidths() {
    const int width = viewport_->width();
    for (QWidget* group : std::as_const(groups_))
        if (group)
            group->resize(width, group->height());
    for (const Block& block : blocks_)
        if (block.widget)
            block.widget->resize(width, block.widget->height());
    for (const Row& row : rows_)
        if (row.controls.Separator)
            row.controls.Separator->resize(width, row.controls.Separator->height());
    fitContent();
}

bool TableRows::checked(qsizetype i, FlagColumn column) const {
    if (i < 0 || i >= size())
        return false;
    const Row& row = rows_[static_cast<size_t>(i)];
    if (row.controls.PublicCheck)
        return checks(row.controls)[static_cast<size_t>(column)]->isChecked();
    return row.flags & bitOf(column);
}

bool TableRows::isPublic(qsizetype i) const {
    return checked(i, FlagColumn::Public);
}

bool TableRows::isArray(qsizetype i) const {
    return checked(i, FlagColumn::Array);
}

bool TableRows::isIns(qsizetype i) const {
    return checked(i, FlagColumn::Ins);
}

bool TableRows::isUpd(qsizetype i) const {
    return checked(i, FlagColumn::Upd);
}

bool TableRows::isClr(qsizetype i) const {
    return checked(i, FlagColumn::Clr);
}

// The viewport's events keep coming while the scroll box is being destroyed, when it is no
// longer a scroll box: only the event and the pointer kept from the start are looked at.
bool TableRows::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == viewport_) {
        SetSeparatorWidths();
        makeRowsInView();
    }
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) &&
        watched == content_) {
        // Passed on, the window's (de)activation would mark every row control for painting
        // on its own. Painting the panel as one paints what it shows of them, each in the
        // colours of the window's new state.
        content_->update();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// The scrolled area reaches down to the last row's separator (or, while the last row has no
// controls, to where it will be) and is as wide as the scroll box's client area (the panel
// never scrolls sideways).
void TableRows::fitContent() {
    int bottom = static_cast<int>(size()) * kRowPitch;
    if (!isEmpty()) {
        if (const QFrame* separator = rows_.back().controls.Separator)
            bottom = separator->mapTo(content_, QPoint(0, separator->height())).y();
    }
    content_->resize(viewport_->width(), bottom);
}
