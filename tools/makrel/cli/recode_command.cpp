#include "makrel/cli/recode_command.h"

#include <map>
#include <memory>
#include <stdexcept>

#include "dictionary/text_encoding.h"
#include "makrel/cli/progress_bar.h"
#include "makrel/core/dictionary_recoder.h"
#include "makrel/core/import_report.h"

namespace makrel {

namespace {

constexpr const char* kRecodeUsage = "usage: makrel recode --from CODEPAGE [--languages HEAD-DEFS] OLD.ldi NEW.ldi";

std::runtime_error Failure(const std::string& Subject, const std::string& Message)
{
    return std::runtime_error(Subject + ": " + Message);
}

// "ru-en" as the headword and definition languages, as `build` reads it:
// a side that is empty or ? is unknown.
TRecodeOptions ParseLanguages(const std::string& Value)
{
    const size_t dash = Value.find('-');
    if (dash == std::string::npos || Value.find('-', dash + 1) != std::string::npos)
        throw Failure("--languages", "expected HEAD-DEFS, e.g. ru-en, with ? for a side that is unknown");
    const auto side = [](const std::string& Code) {
        if (Code.empty() || Code == "?")
            return std::string();
        if (!lirabo::IsLanguageCode(Code))
            throw Failure("--languages", "\"" + Code + "\" is not a two-letter ISO 639-1 language code in lower case");
        return Code;
    };
    return {side(Value.substr(0, dash)), side(Value.substr(dash + 1))};
}

}  // namespace

int RunRecode(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, bool Terminal)
{
    std::map<std::string, std::string> options;
    std::vector<std::string> files;
    for (size_t i = 1; i < Args.size(); ++i) {
        if (Args[i].starts_with("--") && files.empty()) {
            if ((Args[i] != "--from" && Args[i] != "--languages") || i + 1 >= Args.size())
                throw Failure(Args[0], "unknown or incomplete option " + Args[i] + "\n" + kRecodeUsage);
            options[Args[i]] = Args[i + 1];
            ++i;
        } else {
            files.push_back(Args[i]);
        }
    }
    if (files.size() != 2)
        throw Failure(Args[0], std::string("wrong number of arguments\n") + kRecodeUsage);
    if (!options.count("--from"))
        throw Failure(Args[0], std::string("--from is needed: the code page of the system the dictionary was "
                                           "made on, for example ") +
                                   TCodePageDecoder::Examples());
    const TRecodeOptions languages =
        options.count("--languages") ? ParseLanguages(options["--languages"]) : TRecodeOptions{};
    std::unique_ptr<TCodePageDecoder> decoder;
    try {
        decoder = std::make_unique<TCodePageDecoder>(options["--from"]);
    } catch (const std::invalid_argument& e) {
        throw Failure("--from", e.what());
    }

    TProgressBar bar(Err, Terminal);
    TRecodeReport report;
    try {
        report = RecodeDictionary(files[0], files[1], *decoder, languages,
                                  [&](const char* Stage, size_t Done, size_t Total) { bar.Update(Stage, Done, Total); });
    } catch (const EInputError& e) {
        throw Failure(files[0], e.what());
    } catch (const std::exception& e) {
        throw Failure(files[1], e.what());
    }
    bar.Finish();
    for (const std::string& warning : report.Warnings)
        Err << "makrel: " << files[0] << ": " << warning << '\n';
    Out << "entries: " << report.Entries << ", relations: " << report.Relations
        << ", replaced bytes: " << report.ReplacedBytes << ", shortened entries: " << report.ShortenedEntries;
    if (report.DroppedRelations > 0)
        Out << ", dropped relations: " << report.DroppedRelations;
    Out << '\n';
    return 0;
}

}  // namespace makrel
