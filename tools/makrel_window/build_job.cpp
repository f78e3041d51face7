#include "build_job.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <new>
#include <system_error>

#include "dictionary/ansi_codec.h"
#include "makrel/core/dictionary_verifier.h"
#include "makrel/core/import_report.h"
#include "makrel/core/importer.h"
#include "makrel/core/language_pair.h"
#include "makrel/core/replacement_file.h"
#include "makrel/core/text_escape.h"

namespace makrel {

namespace {

namespace fs = std::filesystem;

// Raised from a progress report once the user has cancelled. Deliberately
// not a std::exception: no importer's error handling may take it for a fault
// of the input and carry on.
struct TCancelled {};

// A failure with its message ready for the user.
struct TFailure {
    std::string Message;
};

constexpr size_t kMaxReportedProblems = 5;

std::atomic<unsigned> gTemporaryNumber{0};

// Hidden and unique, so Lirabo's catalogue never lists it and two builds of
// the same name cannot write over each other's half-finished file.
std::string TemporaryPathFor(const std::string& Output)
{
    const fs::path output(Output);
    const std::string name = "." + output.filename().string() + "." + std::to_string(getpid()) + "-" +
                             std::to_string(++gTemporaryNumber) + ".tmp";
    return (output.parent_path() / name).string();
}

// Name and Notice as typed (UTF-8), refused when a Windows-1252 file would
// have to change them.
std::string CheckedField(const std::string& Text, const char* What, TEncodingChoice Encoding)
{
    TDecodedField decoded = DecodeField(Text, false, "\r\n");
    if (!decoded.Error.empty())
        throw TFailure{std::string(What) + ": " + decoded.Error};
    if (Encoding != TEncodingChoice::Windows1252)
        return std::move(decoded.Text);
    const lirabo::TAnsiConversion converted = lirabo::Utf8ToAnsi(decoded.Text);
    if (converted.Unmappable > 0) {
        char name[16];
        std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(converted.FirstUnmappable));
        throw TFailure{std::string(What) + ": character " + name +
                       " has no Windows-1252 form; choose the encoding Automatic or UTF-8 to keep it"};
    }
    return std::move(decoded.Text);
}

void CheckLanguage(const std::string& Code, const char* What)
{
    if (Code.empty())
        return;
    const std::string error = LanguageCodeError(Code);
    if (!error.empty())
        throw TFailure{std::string(What) + ": " + error};
}

void ReplaceAll(std::string& Text, const std::string& From, const std::string& To)
{
    for (size_t at = Text.find(From); at != std::string::npos; at = Text.find(From, at + To.size()))
        Text.replace(at, From.size(), To);
}

// Removes the temporary unless the build got as far as placing it.
class TTemporaryFile {
public:
    explicit TTemporaryFile(std::string Path) : FPath(std::move(Path)) {}
    ~TTemporaryFile()
    {
        if (!FPath.empty())
            std::remove(FPath.c_str());
    }
    TTemporaryFile(const TTemporaryFile&) = delete;
    TTemporaryFile& operator=(const TTemporaryFile&) = delete;

    const std::string& Path() const { return FPath; }
    void Keep() { FPath.clear(); }

private:
    std::string FPath;
};

std::string Appeared(const std::string& Output)
{
    return Output + ": a file of this name appeared during the build and was left as it was";
}

}  // namespace

TBuildJob::TBuildJob(TBuildOptions Options) : FOptions(std::move(Options)) {}

void TBuildJob::CheckCancel() const
{
    if (FCancel)
        throw TCancelled{};
}

TBuildResult TBuildJob::Run(const TProgress& Progress)
{
    TBuildResult result;
    try {
        return Build(Progress);
    } catch (const TCancelled&) {
        result.Status = TBuildStatus::Cancelled;
    } catch (const TFailure& f) {
        result.Error = f.Message;
    } catch (const std::bad_alloc&) {
        result.Error = "there is not enough memory for this dictionary";
    } catch (const std::exception& e) {
        result.Error = FOptions.Output + ": " + e.what();
    }
    return result;
}

TBuildResult TBuildJob::Build(const TProgress& Progress)
{
    const auto report = [&](TBuildStage Stage, size_t Done, size_t Total) {
        CheckCancel();
        if (Progress)
            Progress(Stage, Done, Total);
    };
    std::unique_ptr<TImporter> importer = MakeImporter(FOptions.Format);
    if (!importer)
        throw TFailure{"unknown format " + FOptions.Format};
    if (FOptions.Source.empty())
        throw TFailure{"no source chosen"};
    if (FOptions.Output.empty())
        throw TFailure{"no output file chosen"};
    std::error_code error;
    const fs::file_status existing = fs::symlink_status(FOptions.Output, error);
    if (fs::is_directory(existing))
        throw TFailure{FOptions.Output + ": is a folder"};
    // Refused before the work rather than after it.
    if (fs::exists(existing) && !FOptions.ReplaceExisting)
        throw TFailure{FOptions.Output + ": already exists"};

    TWriterOptions options;
    options.SectionSize = FOptions.SectionSize;
    options.Encoding = FOptions.Encoding;
    options.Name = CheckedField(FOptions.Name, "Name", FOptions.Encoding);
    options.Notice = CheckedField(FOptions.Notice, "Notice", FOptions.Encoding);
    CheckLanguage(FOptions.HeadwordLanguage, "Headword language");
    CheckLanguage(FOptions.DefinitionLanguage, "Definition language");
    // Each side left empty takes the source's suggestion.
    options.HeadwordLanguage = FOptions.HeadwordLanguage;
    options.DefinitionLanguage = FOptions.DefinitionLanguage;
    std::unique_ptr<TDictionaryWriter> writer;
    try {
        writer = std::make_unique<TDictionaryWriter>(options);
    } catch (const std::invalid_argument& e) {
        throw TFailure{e.what()};
    }

    CheckCancel();
    TImportReport imported;
    try {
        importer->Import(FOptions.Source, *writer, imported,
                         [&](size_t Done, size_t Total) { report(TBuildStage::Reading, Done, Total); });
    } catch (const std::exception& e) {
        throw TFailure{FOptions.Source + ": " + e.what()};
    }

    CheckCancel();
    TTemporaryFile temporary(TemporaryPathFor(FOptions.Output));
    try {
        writer->WriteFile(temporary.Path(),
                          [&](size_t Done, size_t Total) { report(TBuildStage::Writing, Done, Total); });
    } catch (const std::runtime_error& e) {
        // The user chose Output; the temporary's name would only puzzle.
        std::string message = e.what();
        ReplaceAll(message, temporary.Path(), FOptions.Output);
        throw TFailure{message};
    }
    TBuildResult result;
    result.Status = TBuildStatus::Succeeded;
    result.Entries = writer->EntryCount();
    result.Relations = writer->RelationCount();
    result.ReplacedCharacters = writer->ReplacedCharacters();
    result.ShortenedEntries = imported.ShortenedEntries + writer->ShortenedEntries();
    result.Text = writer->Text();
    result.Warnings = std::move(imported.Warnings);
    writer.reset();  // the entries are on disk; the check needs the memory more

    report(TBuildStage::Checking, 0, 1);
    const std::vector<std::string> problems = VerifyDictionary(temporary.Path());
    if (!problems.empty()) {
        std::string message = FOptions.Output + ": the written dictionary failed its check: ";
        for (size_t i = 0; i < problems.size() && i < kMaxReportedProblems; ++i)
            message += (i > 0 ? "; " : "") + problems[i];
        ReplaceAll(message, temporary.Path(), FOptions.Output);
        throw TFailure{message};
    }
    CheckCancel();
    PlaceOutput(temporary.Path());
    temporary.Keep();
    // The writer synced the temporary's name; the name it has now needs the
    // same, or a crash could take the finished dictionary back out of sight.
    try {
        SyncFolderOf(FOptions.Output);
    } catch (const std::runtime_error& e) {
        throw TFailure{e.what()};
    }
    if (Progress)
        Progress(TBuildStage::Checking, 1, 1);
    return result;
}

void TBuildJob::PlaceOutput(const std::string& Temporary) const
{
    const std::string& output = FOptions.Output;
    if (FOptions.ReplaceExisting) {
        std::error_code error;
        fs::rename(Temporary, output, error);
        if (error)
            throw TFailure{output + ": " + error.message()};
        return;
    }
    if (renameat2(AT_FDCWD, Temporary.c_str(), AT_FDCWD, output.c_str(), RENAME_NOREPLACE) == 0)
        return;
    int failure = errno;
    if (failure == EEXIST)
        throw TFailure{Appeared(output)};
    if (failure == EINVAL || failure == ENOSYS || failure == ENOTSUP) {
        // The file system cannot refuse to replace in one step; a hard link
        // can, and where that is missing too the check comes just before.
        if (link(Temporary.c_str(), output.c_str()) == 0) {
            std::remove(Temporary.c_str());
            return;
        }
        failure = errno;
        if (failure == EEXIST)
            throw TFailure{Appeared(output)};
        std::error_code error;
        if (fs::exists(fs::symlink_status(output, error)))
            throw TFailure{Appeared(output)};
        fs::rename(Temporary, output, error);
        if (!error)
            return;
        failure = error.value();
    }
    throw TFailure{output + ": " + std::strerror(failure)};
}

}  // namespace makrel
