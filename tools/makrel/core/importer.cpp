#include "makrel/core/importer.h"

#include "makrel/dictd/dictd_importer.h"
#include "makrel/stardict/stardict_importer.h"
#include "makrel/tsv/tsv_importer.h"
#include "makrel/wordnet/wordnet_importer.h"

namespace makrel {

std::unique_ptr<TImporter> MakeImporter(const std::string& Format)
{
    if (Format == "tsv")
        return std::make_unique<TTsvImporter>();
    if (Format == "dictd")
        return std::make_unique<TDictdImporter>();
    if (Format == "stardict")
        return std::make_unique<TStarDictImporter>();
    if (Format == "wordnet")
        return std::make_unique<TWordNetImporter>();
    return nullptr;
}

}  // namespace makrel
