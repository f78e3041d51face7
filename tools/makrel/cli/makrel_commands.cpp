#include "makrel/cli/makrel_commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <functional>
#include <map>

#include "dictionary/ansi_codec.h"
#include "dictionary/crc32.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/exceptions.h"
#include "dictionary/file_stream.h"
#include "dictionary/relation_names.h"
#include "dictionary/utf8_text.h"
#include "ipc/instance_channel.h"
#include "makrel/cli/forms_command.h"
#include "makrel/cli/progress_bar.h"
#include "makrel/cli/recode_command.h"
#include "makrel/cli/suggest_command.h"
#include "makrel/core/dictionary_verifier.h"
#include "makrel/core/importer.h"
#include "makrel/core/language_pair.h"
#include "makrel/core/text_escape.h"
#include "makrel/tsv/tsv_importer.h"

namespace makrel {

using namespace lirabo;

namespace {

constexpr const char* kUsage =
    "usage: makrel build [--format tsv|wordnet|dictd|stardict] [--section-size N] [--name T]\n"
    "                    [--notice T] [--url T] [--information T] [--relations FILE]\n"
    "                    [--encoding auto|windows-1252|utf-8] [--languages HEAD-DEFS] INPUT OUTPUT.ldi\n"
    "         INPUT: tsv FILE.tsv, wordnet FOLDER (data.*, index.*, *.exc),\n"
    "                dictd FILE.index (beside .dict.dz or .dict), stardict FILE.ifo\n"
    "         --encoding: auto (the default) writes Windows-1252 when every character fits it, else\n"
    "                UTF-8; windows-1252 transliterates what does not fit\n"
    "         --languages: ISO 639-1 codes of the headwords and the definitions, e.g. pl-en;\n"
    "                ? or nothing for a side that is unknown\n"
    "         Texts are UTF-8; in TSV definitions and --information \\\\ is a backslash, \\n a line\n"
    "         break and \\xNN byte NN of Windows-1252 (\\x00-\\x1F: mark-up codes; \\xE9: \xC3\xA9)\n"
    "       makrel recode --from CODEPAGE [--languages HEAD-DEFS] OLD.ldi NEW.ldi  (to UTF-8)\n"
    "       makrel info FILE\n"
    "       makrel lookup [--exact] FILE WORD\n"
    "       makrel lookup --batch [--exact] FILE < WORDS\n"
    "       makrel search FILE PATTERN\n"
    "       makrel find FILE WORDS...  (entries whose definitions hold every word, or match a pattern)\n"
    "       makrel relations FILE WORD\n"
    "       makrel forms FILE WORD  (the headwords WORD is an inflected form of)\n"
    "       makrel suggest FILE WORD  (headwords spelt close to WORD, best first)\n"
    "       makrel verify FILE\n"
    "       makrel open FILE.ldi      (hands the file to the running Lirabo)";

constexpr int kNotFound = 1;
constexpr int kFailure = 2;

// A failure that ends the command: `makrel: Subject: Message`, exit 2.
struct Failure {
    std::string Subject;
    std::string Message;
};

// Options (`--name value` or flags) and positional arguments of a command.
struct Arguments {
    std::map<std::string, std::string> Options;
    std::vector<std::string> Positional;

    bool Has(const std::string& Name) const { return Options.count(Name) > 0; }
    std::string Get(const std::string& Name, const std::string& Default = "") const
    {
        const auto it = Options.find(Name);
        return it == Options.end() ? Default : it->second;
    }
};

Arguments Parse(const std::vector<std::string>& Args, const std::vector<std::string>& WithValue,
                const std::vector<std::string>& Flags, size_t Positional, bool MorePositional = false)
{
    Arguments parsed;
    for (size_t i = 1; i < Args.size(); ++i) {
        const std::string& a = Args[i];
        if (a.size() > 2 && a.starts_with("--") && parsed.Positional.empty()) {
            if (std::find(Flags.begin(), Flags.end(), a) != Flags.end()) {
                parsed.Options[a] = "";
            } else if (std::find(WithValue.begin(), WithValue.end(), a) != WithValue.end() &&
                       i + 1 < Args.size()) {
                parsed.Options[a] = Args[++i];
            } else {
                throw Failure{Args[0], "unknown or incomplete option " + a + "\n" + kUsage};
            }
        } else {
            parsed.Positional.push_back(a);
        }
    }
    if (parsed.Positional.size() < Positional || (parsed.Positional.size() > Positional && !MorePositional))
        throw Failure{Args[0], std::string("wrong number of arguments\n") + kUsage};
    return parsed;
}

// A command-line text, checked to be UTF-8; escapes only where asked.
std::string ReadText(const std::string& Text, const std::string& What, bool Escapes = false)
{
    TDecodedField decoded = DecodeField(Text, Escapes, "\r\n");
    if (!decoded.Error.empty())
        throw Failure{What, decoded.Error};
    return std::move(decoded.Text);
}

std::string CharacterName(char32_t Character)
{
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(Character));
    return name;
}

// A word or pattern from the command line (UTF-8) as the text of a file in
// Encoding. Empty Error on success; otherwise why the file cannot hold it,
// since leaving a character out would look for a different word.
struct TFileText {
    std::string Text;
    std::string Error;
};

TFileText ToFileText(const std::string& Argument, TTextEncoding Encoding)
{
    if (FindInvalidUtf8(Argument) != std::string::npos)
        return {"", "invalid UTF-8"};
    if (Encoding == TTextEncoding::Utf8)
        return {Argument, ""};
    TAnsiConversion converted = Utf8ToAnsi(Argument);
    if (converted.Unmappable > 0)
        return {"", "character " + CharacterName(converted.FirstUnmappable) +
                        " cannot occur in this dictionary, whose text is Windows-1252"};
    return {std::move(converted.Text), ""};
}

// Like ToFileText, but a text the file cannot hold ends the command.
std::string FileTextOrFail(const std::string& Argument, TTextEncoding Encoding)
{
    TFileText text = ToFileText(Argument, Encoding);
    if (!text.Error.empty())
        throw Failure{Argument, text.Error};
    return std::move(text.Text);
}

TEncodingChoice ParseEncoding(const std::string& Name)
{
    if (Name == "auto")
        return TEncodingChoice::Auto;
    if (Name == "windows-1252")
        return TEncodingChoice::Windows1252;
    if (Name == "utf-8")
        return TEncodingChoice::Utf8;
    throw Failure{"--encoding", "unknown encoding \"" + Name + "\" (auto, windows-1252 or utf-8)"};
}

// --languages HEAD-DEFS: both sides are the user's, so no importer's
// suggestion replaces an unknown one.
void ParseLanguages(const std::string& Text, TWriterOptions& Options)
{
    TLanguagePair pair;
    const std::string error = ReadLanguagePair(Text, pair);
    if (!error.empty())
        throw Failure{"--languages", error};
    Options.HeadwordLanguage = std::move(pair.Headword);
    Options.DefinitionLanguage = std::move(pair.Definition);
    Options.KeepLanguages = true;
}

std::string Reason(const std::exception& e)
{
    return *e.what() ? e.what() : "not a dictionary file";
}

// Opens FileName in Store; any failure becomes a Failure naming the file.
void Open(TDictionaryStore& Store, const std::string& FileName)
{
    try {
        Store.OpenDictionary(FileName);
    } catch (const std::exception& e) {
        throw Failure{FileName, Reason(e)};
    }
}

int Build(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, bool Terminal)
{
    const Arguments a = Parse(Args,
                              {"--format", "--section-size", "--name", "--notice", "--url", "--information",
                               "--relations", "--encoding", "--languages"},
                              {}, 2);
    const std::string& input = a.Positional[0];
    const std::string& output = a.Positional[1];
    TWriterOptions options;
    const std::string sectionSize = a.Get("--section-size", "256");
    try {
        size_t used = 0;
        options.SectionSize = std::stoi(sectionSize, &used);
        if (used != sectionSize.size())
            throw std::invalid_argument("");
    } catch (const std::exception&) {
        throw Failure{"--section-size", "not a number: " + sectionSize};
    }
    options.Name = ReadText(a.Get("--name"), "--name");
    options.Notice = ReadText(a.Get("--notice"), "--notice");
    options.URL = ReadText(a.Get("--url"), "--url");
    options.Information = ReadText(a.Get("--information"), "--information", true);
    options.Encoding = ParseEncoding(a.Get("--encoding", "auto"));
    if (a.Has("--languages"))
        ParseLanguages(a.Get("--languages"), options);

    const std::string format = a.Get("--format", "tsv");
    std::unique_ptr<TImporter> importer = MakeImporter(format);
    if (!importer)
        throw Failure{"--format", "unknown format " + format};

    TImportReport report;
    TProgressBar bar(Err, Terminal);
    try {
        TDictionaryWriter writer(options);
        try {
            importer->Import(input, writer, report,
                             [&](size_t done, size_t total) { bar.Update("reading", done, total); });
            if (a.Has("--relations"))
                ReadRelationsFile(a.Get("--relations"), writer, report);
        } catch (const std::exception& e) {
            const std::string subject =
                a.Has("--relations") && report.Entries == writer.EntryCount() ? a.Get("--relations") : input;
            throw Failure{subject, e.what()};
        }
        writer.WriteFile(output, [&](size_t done, size_t total) { bar.Update("writing", done, total); });
        bar.Finish();
        for (const std::string& warning : report.Warnings)
            Err << "makrel: " << input << ": " << warning << '\n';
        Out << "entries: " << writer.EntryCount() << ", relations: " << writer.RelationCount()
            << ", replaced characters: " << writer.ReplacedCharacters()
            << ", shortened entries: " << report.ShortenedEntries + writer.ShortenedEntries() << '\n';
    } catch (const Failure&) {
        throw;
    } catch (const std::exception& e) {
        throw Failure{output, e.what()};
    }
    return 0;
}

// The work is recode_command.cpp's; the options read as build's do.
int Recode(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, bool Terminal)
{
    const Arguments a = Parse(Args, {"--from", "--languages"}, {}, 2);
    TWriterOptions languages;
    if (a.Has("--languages"))
        ParseLanguages(a.Get("--languages"), languages);
    return RunRecode(a.Get("--from"), {languages.HeadwordLanguage, languages.DefinitionLanguage},
                     a.Positional[0], a.Positional[1], Out, Err, Terminal);
}

int Info(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 1);
    const std::string& file = a.Positional[0];
    TDictionaryHeader header;
    std::string crc = "none";
    try {
        header.LoadFromFile(file, false);
        if (header.CRC != 0) {
            TFileStream stream(file);
            stream.Seek(4);
            uint32_t actual = 0;
            StreamCRC(stream, actual);
            crc = actual == header.CRC ? "ok" : "mismatch";
        }
    } catch (const std::exception& e) {
        throw Failure{file, Reason(e)};
    }
    const TTextDescription& text = header.Text;
    const auto language = [](const std::string& Code) {
        return Code.empty() ? std::string("unknown") : Code;
    };
    const std::string languages =
        text.HeadwordLanguage.empty() && text.DefinitionLanguage.empty()
            ? "unknown"
            : language(text.HeadwordLanguage) + "-" + language(text.DefinitionLanguage);
    Out << "Name: " << EscapeMultiline(header.Name, text.Encoding) << '\n'
        << "Notice: " << EscapeMultiline(header.Notice, text.Encoding) << '\n'
        << "URL: " << EscapeMultiline(header.URL, text.Encoding) << '\n'
        << "Information: " << EscapeMultiline(header.Information, text.Encoding) << '\n'
        << "Encoding: " << EncodingName(text.Encoding) << '\n'
        << "Languages: " << languages << '\n'
        << "Words: " << header.WordCount << '\n'
        << "Sections: " << header.SectionCount << '\n'
        << "SectionSize: " << header.SectionSize << '\n'
        << "Relations: " << (header.RelationsEnd != 0 ? "yes" : "no") << '\n'
        << "CRC: " << crc << '\n';
    return 0;
}

void PrintEntry(std::ostream& Out, const TDictionaryStore& Store, int Index, const TWordItem& Item,
                bool WithDefinition)
{
    const TTextEncoding encoding = Store.Rule().Encoding();
    Out << Index << '\t' << EscapeForOutput(Item.Word, encoding);
    if (WithDefinition)
        Out << '\t' << EscapeForOutput(Item.Definition, encoding);
    Out << '\n';
}

// Prints the entries FindWord gives for Word; false when an exact search
// finds nothing.
bool LookupOne(TDictionaryStore& Store, const std::string& File, const std::string& Word, bool Exact,
               std::ostream& Out)
{
    int first = -1;
    int count = 0;
    try {
        Store.FindWord(Word, Exact, first, count);
        for (int i = first; i >= 0 && i < first + count; ++i)
            PrintEntry(Out, Store, i, *Store.GetItem(i), true);
        // Like the view after a lookup: only the sections around the result stay.
        Store.SetViewPosition(std::max(first, 0), count);
        Store.KeepSections();
    } catch (const EAbort&) {
        return false;
    } catch (const std::exception& e) {
        throw Failure{File, e.what()};
    }
    return true;
}

// One word per line of In; each word's lines end with an empty line, so
// that a reader can tell the groups apart. The dictionary is opened once.
// A word the file cannot hold has an empty group and a note on Err.
int LookupBatch(TDictionaryStore& Store, const std::string& File, bool Exact, std::istream& In,
                std::ostream& Out, std::ostream& Err)
{
    std::string line;
    while (std::getline(In, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const TFileText word = ToFileText(line, Store.Rule().Encoding());
        if (word.Error.empty())
            LookupOne(Store, File, word.Text, Exact, Out);
        else
            Err << "makrel: " << ShowableUtf8(line) << ": " << word.Error << '\n';
        Out << '\n';
    }
    return 0;
}

int Lookup(const std::vector<std::string>& Args, std::istream& In, std::ostream& Out, std::ostream& Err)
{
    const bool batch = std::find(Args.begin(), Args.end(), "--batch") != Args.end();
    const Arguments a = Parse(Args, {}, {"--exact", "--batch"}, batch ? 1 : 2);
    const std::string& file = a.Positional[0];
    const bool exact = a.Has("--exact");
    TDictionaryStore store;
    Open(store, file);
    if (batch)
        return LookupBatch(store, file, exact, In, Out, Err);
    const TFileText word = ToFileText(a.Positional[1], store.Rule().Encoding());
    if (!word.Error.empty() && !exact)
        throw Failure{a.Positional[1], word.Error};
    if (!word.Error.empty()) {
        Err << "not found: " << word.Error << '\n';
        return kNotFound;
    }
    if (!LookupOne(store, file, word.Text, exact, Out)) {
        Err << "not found\n";
        return kNotFound;
    }
    return 0;
}

using TVisit = std::function<void(int Index, const TWordItem& Item)>;

// INDEX<TAB>HEADWORD for each entry a whole-dictionary search of File visits.
int PrintMatches(const std::string& File, const std::function<void(TDictionaryStore&, const TVisit&)>& Search,
                 std::ostream& Out)
{
    TDictionaryStore store;
    Open(store, File);
    try {
        Search(store, [&](int Index, const TWordItem& Item) { PrintEntry(Out, store, Index, Item, false); });
    } catch (const std::exception& e) {
        throw Failure{File, e.what()};
    }
    return 0;
}

int Search(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 2);
    return PrintMatches(
        a.Positional[0],
        [&](TDictionaryStore& Store, const TVisit& Visit) {
            Store.ForEachMatch(FileTextOrFail(a.Positional[1], Store.Rule().Encoding()), INT_MAX, Visit);
        },
        Out);
}

int Find(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 2, true);
    return PrintMatches(
        a.Positional[0],
        [&](TDictionaryStore& Store, const TVisit& Visit) {
            std::string query;
            for (size_t i = 1; i < a.Positional.size(); ++i)
                query += (i > 1 ? " " : "") + FileTextOrFail(a.Positional[i], Store.Rule().Encoding());
            Store.ForEachDefinitionMatch(query, INT_MAX, Visit);
        },
        Out);
}

int Relations(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err)
{
    const Arguments a = Parse(Args, {}, {}, 2);
    const std::string& file = a.Positional[0];
    TDictionaryStore store;
    Open(store, file);
    if (!store.HasRelations()) {
        Err << "makrel: " << file << ": the dictionary has no relations\n";
        return kNotFound;
    }
    const TFileText word = ToFileText(a.Positional[1], store.Rule().Encoding());
    if (!word.Error.empty()) {
        Err << "makrel: " << a.Positional[1] << ": not found: " << word.Error << '\n';
        return kNotFound;
    }
    TRelationRows rows;
    try {
        int first = -1;
        int count = 0;
        store.FindWord(word.Text, true, first, count);
        store.ListRelations(first, rows, 1);
    } catch (const EAbort&) {
        Err << "makrel: " << a.Positional[1] << ": not found\n";
        return kNotFound;
    } catch (const std::exception& e) {
        throw Failure{file, e.what()};
    }
    for (const TRelationRow& row : rows)
        Out << row.Mark << '\t'
            << EscapeForOutput(RelationRowText(row.Mark, row.Text), store.Rule().Encoding()) << '\n';
    return 0;
}

// The work is suggest_command.cpp's; its failures name their subject.
int Suggest(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 2);
    return RunSuggest(a.Positional[0], a.Positional[1], Out);
}

int Verify(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 1);
    const std::vector<std::string> problems = VerifyDictionary(a.Positional[0]);
    for (const std::string& problem : problems)
        Out << a.Positional[0] << ": " << problem << '\n';
    if (problems.empty())
        Out << a.Positional[0] << ": ok\n";
    return problems.empty() ? 0 : kFailure;
}

// Exit 0 when the running Lirabo has the file, 1 when none is running.
int Open(const std::vector<std::string>& Args, std::ostream& Out)
{
    const Arguments a = Parse(Args, {}, {}, 1);
    const std::string& file = a.Positional[0];
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        throw Failure{file, "no such file"};
    const std::size_t dot = file.rfind('.');
    std::string extension = dot == std::string::npos ? std::string() : file.substr(dot);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension != ".ldi")
        throw Failure{file, "not a .ldi file"};
    std::string error;
    switch (ipc::SendOpenMessageWhenReady(ipc::AbsolutePath(file), error)) {
        case ipc::TSendResult::Delivered:
            return 0;
        case ipc::TSendResult::NoProgram:
            Out << "Lirabo is not running" << (error.empty() ? "" : " (" + error + ")") << '\n';
            return kNotFound;
        case ipc::TSendResult::Failed:
            break;
    }
    throw Failure{file, error};
}

}  // namespace

int RunMakrel(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, bool Terminal,
              std::istream& In)
{
    try {
        const std::string command = Args.empty() ? "" : Args[0];
        if (command == "build")
            return Build(Args, Out, Err, Terminal);
        if (command == "recode")
            return Recode(Args, Out, Err, Terminal);
        if (command == "info")
            return Info(Args, Out);
        if (command == "lookup")
            return Lookup(Args, In, Out, Err);
        if (command == "search")
            return Search(Args, Out);
        if (command == "find")
            return Find(Args, Out);
        if (command == "relations")
            return Relations(Args, Out, Err);
        if (command == "forms") {
            const Arguments a = Parse(Args, {}, {}, 2);
            return RunForms(a.Positional[0], a.Positional[1], Out, Err);
        }
        if (command == "suggest")
            return Suggest(Args, Out);
        if (command == "verify")
            return Verify(Args, Out);
        if (command == "open")
            return Open(Args, Out);
        if (command == "--help" || command == "help") {
            Out << kUsage << '\n';
            return 0;
        }
        if (command.empty()) {
            // Nothing was asked for: the usage says what can be.
            Err << kUsage << '\n';
            return kFailure;
        }
        throw Failure{command, std::string("unknown command\n") + kUsage};
    } catch (const Failure& f) {
        Err << "makrel: " << f.Subject << ": " << f.Message << '\n';
    } catch (const std::exception& e) {
        Err << "makrel: " << e.what() << '\n';
    }
    return kFailure;
}

}  // namespace makrel
