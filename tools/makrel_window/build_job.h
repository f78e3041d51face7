#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dictionary/text_encoding.h"
#include "makrel/core/dictionary_writer.h"

namespace makrel {

// What the builder window asks for: the same choices as `makrel build`.
struct TBuildOptions {
    std::string Format = "tsv";  // a makrel --format name
    std::string Source;          // the input file or folder (local file-name encoding)
    std::string Output;          // where the finished dictionary goes
    std::string Name;            // UTF-8, as typed; empty lets dictd and StarDict sources name themselves
    std::string Notice;          // UTF-8
    int SectionSize = 256;
    // Auto: Windows-1252 when every character fits, else UTF-8. With
    // Windows-1252 forced, entries are transliterated as makrel does, but a
    // Name or Notice it cannot hold is refused: those were typed for this
    // build and are fixed in a moment, where a changed name goes unseen.
    TEncodingChoice Encoding = TEncodingChoice::Auto;
    // ISO 639-1 codes; each one left empty is the source's, when it names one.
    std::string HeadwordLanguage;
    std::string DefinitionLanguage;
    // False: an Output that exists when the build finishes is left untouched
    // and the build fails, so a file that appeared meanwhile is never lost.
    bool ReplaceExisting = false;
};

enum class TBuildStage { Reading, Writing, Checking };
enum class TBuildStatus { Succeeded, Failed, Cancelled };

struct TBuildResult {
    TBuildStatus Status = TBuildStatus::Failed;
    std::string Error;  // when Failed: one message for the user, naming the file at fault
    size_t Entries = 0;
    size_t Relations = 0;
    size_t ReplacedCharacters = 0;
    size_t ShortenedEntries = 0;
    lirabo::TTextDescription Text;  // when Succeeded: the encoding and languages written
    std::vector<std::string> Warnings;
};

// Imports, writes and checks one dictionary. The result appears at Output
// only once it has passed the verifier: until then it lives in a hidden
// temporary beside Output, so a cancelled or failed build leaves nothing
// behind and an existing file keeps its bytes.
class TBuildJob {
public:
    using TProgress = std::function<void(TBuildStage Stage, size_t Done, size_t Total)>;

    explicit TBuildJob(TBuildOptions Options);
    TBuildJob(const TBuildJob&) = delete;
    TBuildJob& operator=(const TBuildJob&) = delete;

    // Runs the build on the calling thread; Progress is called there too.
    // Never raises.
    TBuildResult Run(const TProgress& Progress = {});

    // From any thread: the running build stops at its next progress report.
    void Cancel() { FCancel = true; }
    bool CancelRequested() const { return FCancel; }

    const TBuildOptions& Options() const { return FOptions; }

private:
    void CheckCancel() const;
    TBuildResult Build(const TProgress& Progress);
    void PlaceOutput(const std::string& Temporary) const;

    TBuildOptions FOptions;
    std::atomic<bool> FCancel{false};
};

}  // namespace makrel
