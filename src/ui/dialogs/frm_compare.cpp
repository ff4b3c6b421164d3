#include "ui/dialogs/frm_compare.h"

#include "ui/fonts.h"
#include "ui/window_geometry.h"

#include <QBoxLayout>
#include <QPaintEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

#include <optional>

namespace {

constexpr QSize kDesignSize(760, 520);

std::optional<QColor> backgroundOf(TFRM_Compare::DiffLine kind) {
    switch (kind) {
    case TFRM_Compare::DiffLine::FileName:
        return QColor(0xea, 0xee, 0xf2);
    case TFRM_Compare::DiffLine::Hunk:
        return QColor(0xdd, 0xf4, 0xff);
    case TFRM_Compare::DiffLine::Removed:
        return QColor(0xff, 0xeb, 0xe9);
    case TFRM_Compare::DiffLine::Added:
        return QColor(0xe6, 0xff, 0xec);
    case TFRM_Compare::DiffLine::Unchanged:
        break;
    }
    return std::nullopt;
}

// Colours the lines it shows, at painting, across the whole width: a diff of a whole
// package is hundreds of thousands of lines, and formats stored in the document would be
// laid out for every one of them; the text itself stays as the comparison wrote it.
class DiffView : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void paintEvent(QPaintEvent* event) override {
        {
            QPainter painter(viewport());
            const QRect area = event->rect();
            const QPointF offset = contentOffset();
            for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
                const QRectF bounds = blockBoundingGeometry(block).translated(offset);
                if (bounds.top() > area.bottom())
                    break;
                if (const std::optional<QColor> colour =
                        backgroundOf(TFRM_Compare::lineKind(block.text(), block.blockNumber())))
                    painter.fillRect(
                        QRectF(area.left(), bounds.top(), area.width(), bounds.height()), *colour);
            }
        }
        QPlainTextEdit::paintEvent(event);
    }
};

} // namespace

TFRM_Compare::TFRM_Compare(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FRM_Compare"));
    setFont(windowFont());
    setModal(false);
    setSizeGripEnabled(true);

    MEM_Diff = new DiffView(this);
    MEM_Diff->setObjectName(QStringLiteral("MEM_Diff"));
    MEM_Diff->setReadOnly(true);
    MEM_Diff->setUndoRedoEnabled(false);
    MEM_Diff->setFont(previewFont());
    MEM_Diff->setLineWrapMode(QPlainTextEdit::NoWrap);
    MEM_Diff->setWordWrapMode(QTextOption::NoWrap);
    MEM_Diff->setTabStopDistance(8 * QFontMetricsF(MEM_Diff->font()).horizontalAdvance(u' '));
    // Read-only, yet the keyboard moves through it and selects to copy.
    MEM_Diff->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    BTN_Close = new QPushButton(QStringLiteral("閉じる"), this);
    BTN_Close->setObjectName(QStringLiteral("BTN_Close"));
    connect(BTN_Close, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BTN_Close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(MEM_Diff, 1);
    layout->addLayout(buttons);
    resize(kDesignSize);
}

void TFRM_Compare::ShowDiff(const QString& savedPath, const QByteArray& diff) {
    setWindowTitle(captionFor(savedPath));
    // The last line's LF starts no further line.
    MEM_Diff->setPlainText(QString::fromUtf8(diff.endsWith('\n') ? diff.chopped(1) : diff));
    MEM_Diff->moveCursor(QTextCursor::Start);
    if (!isVisible())
        placeWindow(this, 3);
    show();
    raise();
    activateWindow();
    MEM_Diff->setFocus();
}

TFRM_Compare::DiffLine TFRM_Compare::lineKind(QStringView line, int lineNumber) {
    if (lineNumber < 2)
        return DiffLine::FileName;
    if (line.startsWith(u"@@"))
        return DiffLine::Hunk;
    if (line.startsWith(u'-'))
        return DiffLine::Removed;
    if (line.startsWith(u'+'))
        return DiffLine::Added;
    return DiffLine::Unchanged;
}

QString TFRM_Compare::captionFor(const QString& savedPath) {
    return QStringLiteral("保存済みファイルとの比較 - ") + savedPath;
}
