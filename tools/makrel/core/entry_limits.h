#pragma once

#include <string>

#include "makrel/core/dictionary_writer.h"
#include "makrel/core/import_report.h"

namespace makrel {

// Adds an imported entry (UTF-8), shortening what the file format cannot
// hold: a headword over 255 bytes is cut to at most 255, a definition over
// 65535 bytes so that it ends with "…" (and with a link closed when the cut
// fell inside one); cuts fall between characters. Each shortened entry is
// counted and, up to a limit, named in a warning. Returns the writer's id of
// the entry.
int AddShortened(TDictionaryWriter& Writer, TImportReport& Report, std::string Word, std::string Definition);

// The shortening of AddShortened alone, for importers that hold entries
// before adding them: shortening at once keeps what they hold no larger
// than the output. Leaves both texts well-formed and in NFC, as the writer
// keeps them. Charges the entry's size to the report and raises
// EInputError once the import's text passes Report.MaxTextBytes.
void ShortenEntry(TImportReport& Report, std::string& Word, std::string& Definition);

// Adds Warning to the report unless the report already holds so many that
// more would drown the summary; the first one dropped says so.
void AddWarning(TImportReport& Report, const std::string& Warning);

}  // namespace makrel
