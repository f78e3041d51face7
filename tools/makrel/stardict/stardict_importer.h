#pragma once

#include "makrel/core/importer.h"

namespace makrel {

// A StarDict dictionary named by its .ifo file; beside it the .idx (or
// .idx.gz), the .dict.dz (or .dict) and optionally the .syn. Each index
// word is an entry; each synonym is one more entry that names the word it
// stands for as a link and then repeats that word's article. The .ifo's
// bookname, website and description serve as Name, URL and Information
// where the command line gives none.
class TStarDictImporter : public TImporter {
public:
    void Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                const TProgress& Progress) override;
};

}  // namespace makrel
