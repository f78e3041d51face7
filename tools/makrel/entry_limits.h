#pragma once

#include <string>

#include "dictionary_writer.h"
#include "import_report.h"

namespace makrel {

// Adds an imported entry, shortening what the file format cannot hold: a
// headword over 255 bytes is cut to 255, a definition over 65535 bytes is cut
// so that it ends with "…" (and with a link closed when the cut fell inside
// one). Each shortened entry is counted and, up to a limit, named in a
// warning. Returns the writer's id of the entry.
int AddShortened(TDictionaryWriter& Writer, TImportReport& Report, std::string Word, std::string Definition);

// Adds Warning to the report unless the report already holds so many that
// more would drown the summary; the first one dropped says so.
void AddWarning(TImportReport& Report, const std::string& Warning);

}  // namespace makrel
