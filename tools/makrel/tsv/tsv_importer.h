#pragma once

#include <istream>

#include "makrel/core/importer.h"

namespace makrel {

// UTF-8 lines `headword<TAB>definition`, any character allowed; in the
// definition `\\`, `\n` (the hard line break, byte 13) and `\xNN` are
// escapes (see DecodeField). Empty lines are skipped; a byte-order mark and
// CR line ends are accepted. Any fault, invalid UTF-8 among them, is an
// error naming the line: nothing is shortened or replaced silently.
class TTsvImporter : public TImporter {
public:
    void Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                const TProgress& Progress) override;
    void ImportStream(std::istream& In, int64_t Size, TDictionaryWriter& Writer, TImportReport& Report,
                      const TProgress& Progress);
};

// Lines `headword<TAB>kind<TAB>target headword`, each headword resolved to
// the first entry of its group by the UTF-8 order; kind 1..255. Faults are errors naming the line.
void ReadRelationsFile(const std::string& FileName, TDictionaryWriter& Writer, TImportReport& Report);
void ReadRelationsStream(std::istream& In, TDictionaryWriter& Writer, TImportReport& Report);

}  // namespace makrel
