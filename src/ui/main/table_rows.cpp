#include "ui/main/table_rows.h"

#include "ui/widgets/control_hint.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVariant>

#include <algorithm>
#include <array>

namespace {

constexpr int kRowPitch = 24;
// The rows live in blocks of this many, each block a widget of its own, and the blocks in
// groups of kBlocksPerGroup. Much of Qt's work for a control (finding what covers it before
// painting it, finding the other buttons of its parent when a check box is cleared) walks
// every sibling of the control and of each of its parents: held so, that is a couple of
// hundred widgets at 10,000 rows, not eight per row.
constexpr int kRowsPerBlock = 16;
constexpr int kBlocksPerGroup = 16;
constexpr int kRowsPerGroup = kRowsPerBlock * kBlocksPerGroup;
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

// Tab goes from previous (when there is one) through the row's controls, then on to where
// it went from previous before.
void linkAfter(QWidget* previous, const TableRow& row) {
    for (QWidget* control : tabChain(row)) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }
}

// A control shown asks to be painted on its own, later. Thousands of controls marked for
// painting each on its own take time that grows with their number times that of their
// siblings, so those of a batch withdraw the request and are painted with the panel
// instead, as much of them as the scroll box shows.
void withdrawPainting(QWidget* control, bool paintAsPanel) {
    if (paintAsPanel)
        QCoreApplication::removePostedEvents(control, QEvent::UpdateLater);
}

void showControl(QWidget* control, bool paintAsPanel) {
    control->show();
    withdrawPainting(control, paintAsPanel);
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
    fitContent();
}

TableRows::~TableRows() = default;

QString TableRows::refHint() {
    return QStringLiteral("外部に公開するﾌﾟﾛｼｰｼﾞｬの引数を選択します (ﾊﾟｯｹｰｼﾞ)(VB)");
}

int TableRows::tagOf(const QObject* control) {
    return control ? control->property(kTag).toInt() : -1;
}

QCheckBox* TableRows::check(qsizetype i, FlagColumn column) const {
    const TableRow& row = rows_.at(i);
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

QWidget* TableRows::blockOf(qsizetype i) {
    const qsizetype g = i / kRowsPerGroup;
    while (groups_.size() <= g) {
        // Hidden until its first rows are shown.
        auto* group = new QWidget(content_);
        group->setGeometry(0, static_cast<int>(groups_.size()) * kRowsPerGroup * kRowPitch,
                           viewport_->width(), 0);
        groups_.append(group);
    }
    const qsizetype b = i / kRowsPerBlock;
    while (blocks_.size() <= b) {
        QWidget* group = groups_[blocks_.size() / kBlocksPerGroup];
        auto* block = new QWidget(group);
        block->setGeometry(
            0, static_cast<int>(blocks_.size() % kBlocksPerGroup) * kRowsPerBlock * kRowPitch,
            viewport_->width(), 0);
        // Shown on its own, not with its group: its rows' controls then come with it, and the
        // requests to paint them on their own are few enough at a time to withdraw.
        block->hide();
        blocks_.append(block);
    }
    return blocks_[b];
}

void TableRows::AddRow(qsizetype i, const QString& tableName) {
    const QVariant tag(static_cast<int>(i));
    QWidget* block = blockOf(i);
    TableRow row;
    row.NameLabel = new QLabel(block);
    row.Separator = new QFrame(block);
    QCheckBox** checks[] = {&row.PublicCheck, &row.ArrayCheck, &row.InsCheck, &row.UpdCheck,
                            &row.ClrCheck};
    for (QCheckBox** box : checks)
        *box = new QCheckBox(block);
    row.RefButton = new QPushButton(block);

    // A table name is shown as it is, never as rich text.
    row.NameLabel->setTextFormat(Qt::PlainText);
    row.NameLabel->setText(tableName);
    row.NameLabel->adjustSize();
    row.NameLabel->move(5, static_cast<int>(i % kRowsPerBlock) * kRowPitch + 5);
    const int top = row.NameLabel->y();

    row.Separator->setFrameShape(QFrame::HLine);
    row.Separator->setFrameShadow(QFrame::Sunken);
    row.Separator->setGeometry(0, row.NameLabel->geometry().bottom() + 1 + 4, viewport_->width(),
                               2);

    row.PublicCheck->setProperty(kTag, tag);
    connect(row.PublicCheck, &QCheckBox::toggled, this,
            [this, box = row.PublicCheck] { PublicCheckClick(box); });
    const QWidget* heads[] = {headers_.Public, headers_.Array, headers_.Ins, headers_.Upd,
                              headers_.Clr};
    for (int c = 0; c < 5; ++c) {
        QCheckBox* box = *checks[c];
        box->setProperty(kTag, tag);
        box->setGeometry(heads[c]->x() - 2, top - 1, kCheckSize, kCheckSize);
    }

    row.RefButton->setProperty(kTag, tag);
    connect(row.RefButton, &QPushButton::clicked, this,
            [this, button = row.RefButton] { emit RefButtonClick(tagOf(button)); });
    row.RefButton->setEnabled(false);
    row.RefButton->setText(QStringLiteral("Ref"));
    setControlHint(row.RefButton, refHint());
    row.RefButton->setMouseTracking(true);
    if (hintWatcher_)
        row.RefButton->installEventFilter(hintWatcher_);
    row.RefButton->setGeometry(headers_.Ref->x() - 12, top - 2, 25, 16);

    // The block reaches down to its last row's separator, the group to its last block's.
    block->resize(block->width(),
                  std::max(block->height(), row.Separator->geometry().bottom() + 1));
    QWidget* group = block->parentWidget();
    group->resize(group->width(), std::max(group->height(), block->geometry().bottom() + 1));

    rows_.append(row);
    if (batchStart_ < 0) {
        chainTabOrder(i, i + 1);
        fitContent();
        showRows(i, i + 1, false);
    }
}

TableRows::Batch::Batch(TableRows& rows) : rows_(rows) {
    rows_.batchStart_ = rows_.rows_.size();
}

TableRows::Batch::~Batch() {
    const qsizetype first = rows_.batchStart_;
    rows_.batchStart_ = -1;
    rows_.chainTabOrder(first, rows_.rows_.size());
    rows_.fitContent();
    rows_.showRows(first, rows_.rows_.size(), true);
}

void TableRows::showRows(qsizetype first, qsizetype end, bool paintAsPanel) {
    for (qsizetype i = first; i < end; ++i) {
        QWidget* group = groups_[i / kRowsPerGroup];
        if (!group->isVisible()) {
            group->show(); // its blocks stay hidden
            withdrawPainting(group, paintAsPanel);
        }
        QWidget* block = blocks_[i / kRowsPerBlock];
        if (block->isVisible()) {
            for (QWidget* control : controls(rows_[i]))
                showControl(control, paintAsPanel);
            continue;
        }
        // A hidden block holds only rows still to be shown, which come with it.
        block->show();
        withdrawPainting(block, paintAsPanel);
        const qsizetype blockEnd = std::min(end, (i / kRowsPerBlock + 1) * kRowsPerBlock);
        for (; i < blockEnd; ++i)
            for (QWidget* control : controls(rows_[i]))
                withdrawPainting(control, paintAsPanel);
        --i;
    }
    if (paintAsPanel)
        content_->update();
}

void TableRows::chainTabOrder(qsizetype first, qsizetype end) {
    if (first >= end)
        return;
    QWidget* before = first > 0 ? rows_[first - 1].RefButton : headers_.TabBefore;
    if (!before) {
        // Nothing before: the first row starts the chain.
        linkAfter(nullptr, rows_[first]);
        before = rows_[first].RefButton;
        ++first;
    }
    // Each row goes right after `before`, the last one first: a row's controls then move
    // from just behind the place they go to, and no move walks the focus chain (moving
    // them first to last, each would pass the labels and separators of the rows before).
    for (qsizetype i = end; i-- > first;)
        linkAfter(before, rows_[i]);
}

void TableRows::PublicCheckClick(QObject* Sender) {
    const int i = tagOf(Sender);
    if (i < 0 || i >= rows_.size())
        return;
    rows_[i].RefButton->setEnabled(static_cast<QCheckBox*>(Sender)->isChecked());
}

void TableRows::Invert(FlagColumn column) {
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        QCheckBox* box = check(i, column);
        if (box->isEnabled())
            box->setChecked(!box->isChecked());
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
    if (batchStart_ > 0)
        batchStart_ = 0;
    fitContent();
    if (painting)
        scrollBox_->setUpdatesEnabled(true);
}

void TableRows::SetSeparatorWidths() {
    const int width = viewport_->width();
    for (QWidget* group : std::as_const(groups_))
        group->resize(width, group->height());
    for (QWidget* block : std::as_const(blocks_))
        block->resize(width, block->height());
    for (const TableRow& row : std::as_const(rows_))
        row.Separator->resize(width, row.Separator->height());
    fitContent();
}

bool TableRows::checked(qsizetype i, FlagColumn column) const {
    return i >= 0 && i < rows_.size() && check(i, column)->isChecked();
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
    if (event->type() == QEvent::Resize && watched == viewport_)
        SetSeparatorWidths();
    if ((event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) &&
        watched == content_) {
        // Passed on, the window's (de)activation would mark every row control for painting
        // on its own, and painting thousands of marked controls takes time that grows with
        // the square of their number. Painting the panel as one paints what it shows of
        // them, each in the colours of the window's new state.
        content_->update();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

// The scrolled area reaches down to the last row's separator and is as wide as the
// scroll box's client area (the panel never scrolls sideways).
void TableRows::fitContent() {
    const int bottom = groups_.isEmpty() ? 0 : groups_.last()->geometry().bottom() + 1;
    content_->resize(viewport_->width(), bottom);
}
