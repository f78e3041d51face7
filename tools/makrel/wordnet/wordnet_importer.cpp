#include "makrel/wordnet/wordnet_importer.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "dictionary/markup_codes.h"
#include "dictionary/word_order.h"
#include "makrel/core/entry_limits.h"
#include "makrel/core/entry_text.h"

namespace makrel {

namespace {

using namespace lirabo::markup;

constexpr const char* kPosNames[wpCount] = {"noun", "verb", "adjective", "adverb"};

struct KindOfSymbol {
    const char* Symbol;
    uint8_t Kind;
};

// The relation codes of WordNet's pointer symbols, per part of speech of
// the synset the pointer leaves from.
constexpr KindOfSymbol kNounKinds[] = {{"!", 1},   {"@", 2},   {"@i", 2},  {"~", 3},   {"~i", 3},
                                       {"#m", 4},  {"%s", 5},  {"#p", 6},  {"%m", 7},  {"#s", 8},
                                       {"%p", 9},  {"=", 10},  {"+", 11},  {";c", 12}, {"-c", 13},
                                       {";r", 14}, {"-r", 15}, {";u", 16}, {"-u", 17}};
constexpr KindOfSymbol kVerbKinds[] = {{"!", 32}, {"@", 33}, {"~", 34},  {"*", 35},  {">", 36}, {"^", 37},
                                       {"$", 38}, {"+", 39}, {";c", 40}, {";r", 41}, {";u", 42}};
constexpr KindOfSymbol kAdjectiveKinds[] = {{"!", 64}, {"&", 65},  {"<", 66},  {"\\", 67}, {"=", 68},
                                            {"^", 69}, {";c", 70}, {";r", 71}, {";u", 72}};
constexpr KindOfSymbol kAdverbKinds[] = {{"!", 96}, {"\\", 97}, {";c", 98}, {";r", 99}, {";u", 100}};

// One sense of a spelling: a synset and the spelling's 1-based place in it.
struct Sense {
    int Synset;
    int Word;
};

std::string LowerAscii(std::string Text)
{
    for (char& c : Text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return Text;
}

bool IsDomain(const std::string& Symbol)
{
    return Symbol == ";c" || Symbol == ";r" || Symbol == ";u";
}

// Builds the entry texts; holds the database and the spellings.
class TWordNetEntries {
public:
    TWordNetEntries(const TWordNetDatabase& Database, TEntryText& Text)
        : FDatabase(Database), FSynsets(Database.Synsets()), FText(Text)
    {
    }

    void Collect();
    std::string Body(size_t Spelling);

    std::vector<std::string> Spellings;
    std::unordered_map<std::string, size_t> IdOf;
    std::vector<std::vector<Sense>> Senses;
    std::vector<std::vector<std::pair<EWordNetPos, std::string>>> FormOf;

private:
    size_t Id(const std::string& Spelling);
    void AppendGloss(std::string& Out, const std::string& Gloss);

    const TWordNetDatabase& FDatabase;
    const std::vector<TWordNetSynset>& FSynsets;
    TEntryText& FText;
};

size_t TWordNetEntries::Id(const std::string& Spelling)
{
    const auto [it, added] = IdOf.emplace(Spelling, Spellings.size());
    if (added) {
        Spellings.push_back(Spelling);
        Senses.emplace_back();
        FormOf.emplace_back();
    }
    return it->second;
}

void TWordNetEntries::Collect()
{
    for (size_t s = 0; s < FSynsets.size(); ++s)
        for (size_t w = 0; w < FSynsets[s].Words.size(); ++w)
            Senses[Id(FSynsets[s].Words[w])].push_back({static_cast<int>(s), static_cast<int>(w + 1)});

    // WordNet's sense order (most frequent first) comes from the index files.
    for (size_t i = 0; i < Spellings.size(); ++i) {
        const std::string lower = LowerAscii(Spellings[i]);
        const auto rank = [&](const Sense& s) {
            const TWordNetSynset& synset = FSynsets[static_cast<size_t>(s.Synset)];
            const std::vector<uint32_t>* order = FDatabase.Senses(synset.Pos, lower);
            const auto it = order ? std::find(order->begin(), order->end(), FDatabase.OffsetOf(s.Synset))
                                  : std::vector<uint32_t>::const_iterator();
            const size_t place =
                order && it != order->end() ? static_cast<size_t>(it - order->begin()) : SIZE_MAX;
            return std::make_tuple(synset.Pos, place, s.Synset);
        };
        std::sort(Senses[i].begin(), Senses[i].end(),
                  [&](const Sense& a, const Sense& b) { return rank(a) < rank(b); });
    }

    for (int p = 0; p < wpCount; ++p) {
        const auto pos = static_cast<EWordNetPos>(p);
        for (const TWordNetDatabase::TException& e : FDatabase.Exceptions(pos)) {
            for (const std::string& base : e.Bases) {
                if (base == e.Form || !IdOf.count(base))
                    continue;
                auto& forms = FormOf[Id(e.Form)];
                if (std::find(forms.begin(), forms.end(), std::make_pair(pos, base)) == forms.end())
                    forms.emplace_back(pos, base);
            }
        }
    }
}

void TWordNetEntries::AppendGloss(std::string& Out, const std::string& Gloss)
{
    // A gloss is a definition followed by quoted examples: def; "ex"; "ex"
    size_t examples = Gloss.find("; \"");
    if (examples == std::string::npos && Gloss.starts_with('"'))
        examples = 0;
    if (examples == std::string::npos) {
        FText.Append(Out, Gloss);
        return;
    }
    FText.Append(Out, std::string_view(Gloss).substr(0, examples));
    if (examples > 0) {
        Out += "; ";
        examples += 2;
    }
    Out += kItalic;
    FText.Append(Out, std::string_view(Gloss).substr(examples));
    Out += kItalic;
}

std::string TWordNetEntries::Body(size_t Spelling)
{
    std::string out;
    int pos = -1;
    int number = 0;
    const std::string& self = Spellings[Spelling];
    for (const Sense& sense : Senses[Spelling]) {
        const TWordNetSynset& synset = FSynsets[static_cast<size_t>(sense.Synset)];
        if (synset.Pos != pos) {
            if (!out.empty())
                out += kLineBreak;
            pos = synset.Pos;
            number = 0;
            out += kGrammar;
            out += kPosNames[pos];
            out += kDefinition;
        }
        out += kLineBreak;
        out += std::to_string(++number) + ". ";
        for (const TWordNetPointer& p : synset.Pointers) {
            if (!IsDomain(p.Symbol) || p.Target < 0 || (p.SourceWord != 0 && p.SourceWord != sense.Word))
                continue;
            const auto& words = FSynsets[static_cast<size_t>(p.Target)].Words;
            const size_t w = p.TargetWord > 0 ? static_cast<size_t>(p.TargetWord - 1) : 0;
            if (w >= words.size())
                continue;
            out += kField;
            FText.Append(out, words[w]);
            out += kDefinition;
            out += ' ';
        }
        AppendGloss(out, synset.Gloss);
        bool first = true;
        for (const std::string& word : synset.Words) {
            if (word == self)
                continue;
            if (first) {
                out += kLineBreak;
                out += kField;
                out += "Synonyms:";
                out += kDefinition;
                out += ' ';
            } else {
                out += ", ";
            }
            first = false;
            out += kLinkStart;
            FText.Append(out, word);
            out += kLinkEnd;
        }
    }
    for (const auto& [formPos, base] : FormOf[Spelling]) {
        if (!out.empty())
            out += kLineBreak;
        out += kField;
        out += "Form of:";
        out += kDefinition;
        out += ' ';
        out += kLinkStart;
        FText.Append(out, base);
        out += kLinkEnd;
        out += ' ';
        out += kGrammar;
        out += kPosNames[formPos];
        out += kDefinition;
    }
    return out;
}

}  // namespace

uint8_t TWordNetImporter::RelationKind(EWordNetPos Pos, const std::string& Symbol)
{
    const auto find = [&](const auto& Table) -> uint8_t {
        for (const KindOfSymbol& k : Table)
            if (Symbol == k.Symbol)
                return k.Kind;
        return 0;
    };
    switch (Pos) {
        case wpNoun:
            return find(kNounKinds);
        case wpVerb:
            return find(kVerbKinds);
        case wpAdjective:
            return find(kAdjectiveKinds);
        case wpAdverb:
            return find(kAdverbKinds);
        default:
            return 0;
    }
}

void TWordNetImporter::Import(const std::string& Input, TDictionaryWriter& Writer, TImportReport& Report,
                              const TProgress& Progress)
{
    TWordNetDatabase database;
    database.Load(Input);
    ImportDatabase(database, Writer, Report, Progress);
}

void TWordNetImporter::ImportDatabase(TWordNetDatabase& Database, TDictionaryWriter& Writer,
                                      TImportReport& Report, const TProgress& Progress)
{
    if (const size_t dangling = Database.ResolvePointers())
        AddWarning(Report, std::to_string(dangling) + " pointers to synsets that do not exist left out");
    const std::vector<TWordNetSynset>& synsets = Database.Synsets();

    std::map<std::string, size_t> unmapped;
    for (const TWordNetSynset& synset : synsets)
        for (const TWordNetPointer& p : synset.Pointers)
            if (RelationKind(synset.Pos, p.Symbol) == 0)
                ++unmapped[std::string(kPosNames[synset.Pos]) + " " + p.Symbol];
    if (!unmapped.empty()) {
        std::string list;
        size_t total = 0;
        for (const auto& [what, count] : unmapped) {
            list += (list.empty() ? "" : ", ") + what + " (" + std::to_string(count) + ")";
            total += count;
        }
        AddWarning(Report, std::to_string(total) + " pointers without a relation code left out: " + list);
    }

    TEntryText text;
    TWordNetEntries entries(Database, text);
    entries.Collect();
    const size_t count = entries.Spellings.size();

    // Equal headwords keep the order they are added in: lower case first.
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int c = lirabo::CompareWords(entries.Spellings[a], entries.Spellings[b]);
        return c != 0 ? c < 0 : entries.Spellings[a] > entries.Spellings[b];
    });
    std::vector<int> entryOf(count);
    for (size_t k = 0; k < count; ++k) {
        const size_t i = order[k];
        entryOf[i] = AddShortened(Writer, Report, text.Convert(entries.Spellings[i]), entries.Body(i));
        if (Progress && k % 4096 == 0)
            Progress(k, 2 * count);
    }

    std::unordered_set<uint64_t> seen;
    for (size_t i = 0; i < count; ++i) {
        seen.clear();
        const auto relate = [&](uint8_t Kind, const std::string& Word) {
            const auto it = entries.IdOf.find(Word);
            if (it == entries.IdOf.end() || it->second == i)
                return;
            const int target = entryOf[it->second];
            if (!seen.insert(uint64_t{Kind} << 32 | static_cast<uint32_t>(target)).second)
                return;
            Writer.AddRelation(entryOf[i], Kind, target);
            ++Report.Relations;
        };
        for (const Sense& sense : entries.Senses[i]) {
            const TWordNetSynset& synset = synsets[static_cast<size_t>(sense.Synset)];
            for (const TWordNetPointer& p : synset.Pointers) {
                const uint8_t kind = RelationKind(synset.Pos, p.Symbol);
                if (kind == 0 || p.Target < 0 || (p.SourceWord != 0 && p.SourceWord != sense.Word))
                    continue;
                const auto& words = synsets[static_cast<size_t>(p.Target)].Words;
                if (p.TargetWord == 0 || p.SourceWord == 0) {
                    for (const std::string& word : words)
                        relate(kind, word);
                } else if (static_cast<size_t>(p.TargetWord) <= words.size()) {
                    relate(kind, words[static_cast<size_t>(p.TargetWord - 1)]);
                }
            }
        }
        if (Progress && i % 4096 == 0)
            Progress(count + i, 2 * count);
    }
    if (Progress)
        Progress(2 * count, 2 * count);
    Writer.SuggestLanguages("en", "en");
}

}  // namespace makrel
