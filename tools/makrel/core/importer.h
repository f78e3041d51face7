#pragma once

#include <functional>
#include <memory>
#include <string>

#include "makrel/core/dictionary_writer.h"
#include "makrel/core/import_report.h"

namespace makrel {

// Reads one input format into a writer. Raises EInputError (or
// std::runtime_error for I/O) with a message fit for the user.
class TImporter {
public:
    using TProgress = std::function<void(size_t Done, size_t Total)>;

    virtual ~TImporter() = default;
    virtual void Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                        const TProgress& Progress) = 0;
};

// The importer for a --format name, or nullptr when there is none.
std::unique_ptr<TImporter> MakeImporter(const std::string& Format);

}  // namespace makrel
