#pragma once

#include "model/generation_model.h"
#include "util/line_sink.h"
#include "util/text_file.h"

#include <QString>
#include <QStringList>

// The table structure description: per candidate table, in candidate order, an empty
// line, "[ name ]", an empty line, the heading and one line per column (name, data type,
// width, NULL allowed). The heading names a remarks field that no column line fills.
QStringList tableStructureLines(const TCandidateList& candidates);
void tableStructureLines(const TCandidateList& candidates, LineSink& out);

// One field of the file. A value holding a comma, a double quote, CR or LF is enclosed in
// double quotes with its inner quotes doubled, so it cannot shift the fields after it;
// every other value is written exactly as it is.
QString csvField(const QString& value);

// Writes the description to path in the saved-file format (Shift-JIS, CR LF after every
// line), or as UTF-8 with LF. All or nothing: on failure (SjisEncodeError, FileWriteError)
// an existing file of that name keeps its content.
void writeTableStructure(const QString& path, const TCandidateList& candidates,
                         TextFormat format = TextFormat::Sjis);
