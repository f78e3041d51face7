#include "makrel/cli/recode_command.h"

#include <memory>
#include <stdexcept>

#include "makrel/cli/progress_bar.h"
#include "makrel/core/import_report.h"

namespace makrel {

namespace {

std::runtime_error Failure(const std::string& Subject, const std::string& Message)
{
    return std::runtime_error(Subject + ": " + Message);
}

}  // namespace

int RunRecode(const std::string& CodePage, const TRecodeOptions& Languages, const std::string& Input,
              const std::string& Output, std::ostream& Out, std::ostream& Err, bool Terminal)
{
    // No default: Windows-1252 would be wrong for every file worth recoding.
    if (CodePage.empty())
        throw Failure("--from", std::string("a code page is needed: the one of the system the dictionary was "
                                            "made on, for example ") +
                                    TCodePageDecoder::Examples());
    std::unique_ptr<TCodePageDecoder> decoder;
    try {
        decoder = std::make_unique<TCodePageDecoder>(CodePage);
    } catch (const std::invalid_argument& e) {
        throw Failure("--from", e.what());
    }

    TProgressBar bar(Err, Terminal);
    TRecodeReport report;
    try {
        report = RecodeDictionary(Input, Output, *decoder, Languages,
                                  [&](const char* Stage, size_t Done, size_t Total) { bar.Update(Stage, Done, Total); });
    } catch (const EInputError& e) {
        throw Failure(Input, e.what());
    } catch (const std::exception& e) {
        throw Failure(Output, e.what());
    }
    bar.Finish();
    for (const std::string& warning : report.Warnings)
        Err << "makrel: " << Input << ": " << warning << '\n';
    Out << "entries: " << report.Entries << ", relations: " << report.Relations
        << ", replaced bytes: " << report.ReplacedBytes << ", shortened entries: " << report.ShortenedEntries;
    if (report.DroppedRelations > 0)
        Out << ", dropped relations: " << report.DroppedRelations;
    Out << '\n';
    return 0;
}

}  // namespace makrel
