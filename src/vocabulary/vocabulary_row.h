#pragma once

#include <QString>
#include <string_view>

#include "dictionary/text_encoding.h"

namespace lirabo {

// A row of a vocabulary list is kept as its stored line: the source, "=",
// the target. The source ends at the first "=", so a target may hold "="
// and a source never does; a line without "=" has an empty source and an
// empty target. Nothing is trimmed: blanks and letter case are the user's.

QString RowSource(const QString& Line);
QString RowTarget(const QString& Line);

// The line of Source and Target. What the file cannot hold is replaced by a
// blank rather than let it change the list on the next reading: a line end
// or NUL anywhere, an "=" in the source.
QString MakeRow(const QString& Source, const QString& Target);

// The row of a dictionary entry: the headword as the source and, as the
// target, the first line of the definition that translates it: its
// definition text without grammar notes, field labels, italic pronunciations
// and examples, or a sense number ("1. "). A definition without such a line
// gives its first line with text, without mark-up. Both are in Encoding, the
// encoding of the file they come from.
QString EntryRow(std::string_view Headword, std::string_view Definition, TTextEncoding Encoding);

// A row that the list must not be tested with: its line begins with "=".
bool IsBlankRow(const QString& Line);

}  // namespace lirabo
