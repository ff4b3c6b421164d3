#include "ui/main/argument_editing.h"

#include "model/generation_model.h"
#include "ui/dialogs/frm_reference.h"
#include "ui/seams.h"
#include "ui/widgets/typing_limit.h"
#include "util/integer_text.h"

#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

void EditTableArguments(TFRM_Reference& dialog, TTableSettings& table) {
    dialog.setWindowTitle(QStringLiteral("[") + table.TableName + QStringLiteral("]の引数設定"));
    QListWidget& list = *dialog.LST_RefTables;
    for (int k = 0; k < list.count(); ++k)
        list.item(k)->setSelected(table.isArgumentTable(k));
    (table.GenStrOn ? dialog.RDB_STRON : dialog.RDB_STROFF)->setChecked(true);
    (table.GenNumOn ? dialog.RDB_NUMON : dialog.RDB_NUMOFF)->setChecked(true);
    setTextWhole(dialog.EDT_STRCNT, QString::number(table.GenStrCount));
    setTextWhole(dialog.EDT_NUMCNT, QString::number(table.GenNumCount));

    if (runModal(dialog) != QDialog::Accepted)
        return;

    // The dialog ends with OK only when both counts are integers.
    if (const std::optional<qint32> count = parseInteger(dialog.EDT_STRCNT->text()))
        table.GenStrCount = *count;
    if (const std::optional<qint32> count = parseInteger(dialog.EDT_NUMCNT->text()))
        table.GenNumCount = *count;
    table.GenStrOn = dialog.RDB_STRON->isChecked();
    table.GenNumOn = dialog.RDB_NUMON->isChecked();
    QList<qsizetype> tables;
    for (int k = 0; k < list.count(); ++k)
        if (list.item(k)->isSelected())
            tables.append(k);
    table.setArgumentTables(std::move(tables));
}
