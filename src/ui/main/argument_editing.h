#pragma once

class TFRM_Reference;
struct TTableSettings;

// Edits one candidate table's argument settings in the argument settings dialog, whose list
// holds the candidate tables in candidate order: the dialog captioned after the table and
// preset from its record, run modally, and on OK its choices copied back into the record.
// Any other end leaves the record as it was.
void EditTableArguments(TFRM_Reference& dialog, TTableSettings& table);
