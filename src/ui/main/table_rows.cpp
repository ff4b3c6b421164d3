#include "ui/main/table_rows.h"

#include "ui/widgets/control_hint.h"

#include <QCheckBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVariant>

namespace {

constexpr int kRowPitch = 24;
constexpr int kCheckSize = 14;
const char* const kTag = "Tag";

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

void TableRows::AddRow(qsizetype i, const QString& tableName) {
    const QVariant tag(static_cast<int>(i));
    TableRow row;
    row.NameLabel = new QLabel(content_);
    row.Separator = new QFrame(content_);
    QCheckBox** checks[] = {&row.PublicCheck, &row.ArrayCheck, &row.InsCheck, &row.UpdCheck,
                            &row.ClrCheck};
    for (QCheckBox** box : checks)
        *box = new QCheckBox(content_);
    row.RefButton = new QPushButton(content_);

    // A table name is shown as it is, never as rich text.
    row.NameLabel->setTextFormat(Qt::PlainText);
    row.NameLabel->setText(tableName);
    row.NameLabel->adjustSize();
    row.NameLabel->move(5, static_cast<int>(i) * kRowPitch + 5);
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

    // Tab goes through the rows in order: after the last control of the row before.
    QWidget* previous = rows_.isEmpty() ? headers_.TabBefore : rows_.last().RefButton;
    QWidget* chain[] = {row.PublicCheck, row.ArrayCheck, row.InsCheck,
                        row.UpdCheck,    row.ClrCheck,   row.RefButton};
    for (QWidget* control : chain) {
        if (previous)
            QWidget::setTabOrder(previous, control);
        previous = control;
    }

    for (QWidget* control : std::initializer_list<QWidget*>{row.NameLabel, row.Separator})
        control->show();
    for (QWidget* control : chain)
        control->show();
    rows_.append(row);
    fitContent();
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
    for (const TableRow& row : std::as_const(rows_)) {
        delete row.NameLabel;
        delete row.Separator;
        delete row.PublicCheck;
        delete row.ArrayCheck;
        delete row.InsCheck;
        delete row.UpdCheck;
        delete row.ClrCheck;
        delete row.RefButton;
    }
    rows_.clear();
    fitContent();
}

void TableRows::SetSeparatorWidths() {
    const int width = viewport_->width();
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
    return QObject::eventFilter(watched, event);
}

// The scrolled area reaches down to the last row's separator and is as wide as the
// scroll box's client area (the panel never scrolls sideways).
void TableRows::fitContent() {
    const int bottom = rows_.isEmpty() ? 0 : rows_.last().Separator->geometry().bottom() + 1;
    content_->resize(viewport_->width(), bottom);
}
