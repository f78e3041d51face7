#include "word_forms/english_forms.h"

#include <algorithm>
#include <span>

#include "word_forms/english_exceptions.h"

namespace lirabo {

namespace {

// One detachment rule: a word ending in Suffix may be Ending's word.
struct TRule {
    std::string_view Suffix;
    std::string_view Ending;
};

// WordNet's rules, in its order within each part of speech.
constexpr TRule kNounRules[] = {{"s", ""},      {"ses", "s"},   {"xes", "x"},   {"zes", "z"},
                                {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
constexpr TRule kVerbRules[] = {{"s", ""},   {"ies", "y"}, {"es", "e"},  {"es", ""},
                                {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
constexpr TRule kAdjectiveRules[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

// "ful" words inflect before it: "spoonsful" is the plural of "spoonful".
constexpr std::string_view kFul = "ful";

void Add(std::vector<std::string>& Forms, std::string_view Word, std::string Form)
{
    if (!Form.empty() && Form != Word && std::find(Forms.begin(), Forms.end(), Form) == Forms.end())
        Forms.push_back(std::move(Form));
}

// Appends what each rule makes of Stem, with Tail put back after it. A rule
// that would strip the whole word makes nothing.
void ApplyRules(std::vector<std::string>& Forms, std::string_view Word, std::string_view Stem,
                std::string_view Tail, std::span<const TRule> Rules)
{
    for (const TRule& rule : Rules) {
        if (Stem.size() <= rule.Suffix.size() || !Stem.ends_with(rule.Suffix))
            continue;
        std::string form(Stem.substr(0, Stem.size() - rule.Suffix.size()));
        form += rule.Ending;
        form += Tail;
        Add(Forms, Word, std::move(form));
    }
}

void ApplyNounRules(std::vector<std::string>& Forms, std::string_view Word)
{
    if (Word.size() > kFul.size() && Word.ends_with(kFul)) {
        ApplyRules(Forms, Word, Word.substr(0, Word.size() - kFul.size()), kFul, kNounRules);
        return;
    }
    // "glass" is no plural of "glas", and two letters are too few to guess at.
    if (Word.ends_with("ss") || Word.size() <= 2)
        return;
    ApplyRules(Forms, Word, Word, "", kNounRules);
}

}  // namespace

std::vector<std::string> EnglishBaseForms(std::string_view Word)
{
    std::vector<std::string> forms;
    for (std::string& base : EnglishExceptionBases(Word))
        Add(forms, Word, std::move(base));
    ApplyNounRules(forms, Word);
    ApplyRules(forms, Word, Word, "", kVerbRules);
    ApplyRules(forms, Word, Word, "", kAdjectiveRules);
    return forms;
}

}  // namespace lirabo
