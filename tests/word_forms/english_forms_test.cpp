#include <gtest/gtest.h>

#include <algorithm>

#include "word_forms/english_exceptions.h"
#include "word_forms/english_forms.h"
#include "word_forms/word_forms.h"

namespace lirabo {
namespace {

using Strings = std::vector<std::string>;

// Where Expected's forms are among Candidates, in Expected's order.
bool InOrder(const Strings& Candidates, const Strings& Expected)
{
    auto from = Candidates.begin();
    for (const std::string& form : Expected) {
        from = std::find(from, Candidates.end(), form);
        if (from == Candidates.end())
            return false;
        ++from;
    }
    return true;
}

std::string Show(const Strings& Forms)
{
    std::string text;
    for (const std::string& form : Forms)
        text += (text.empty() ? "" : ", ") + form;
    return "{" + text + "}";
}

struct Case {
    const char* Word;
    Strings Expected;  // among the candidates, in this order
};

// From the exception lists: each irregular form's bases come first.
const Case kExceptions[] = {
    {"mice", {"mouse"}},        {"geese", {"goose"}},
    {"children", {"child"}},    {"went", {"go"}},
    {"running", {"run"}},       {"stopped", {"stop"}},
    {"sitting", {"sit"}},       {"was", {"be"}},
    {"biggest", {"big"}},       {"better", {"good", "well"}},
    {"farther", {"far"}},       {"axes", {"ax", "axis"}},
    {"went deep", {"go deep"}},
};

// From the detachment rules, nouns', then verbs', then adjectives'.
const Case kRules[] = {
    {"houses", {"house"}},    {"boxes", {"box"}},       {"buzzes", {"buzz"}},   {"churches", {"church"}},
    {"wishes", {"wish"}},     {"firemen", {"fireman"}}, {"studies", {"study"}}, {"walks", {"walk"}},
    {"hoped", {"hope"}},      {"walked", {"walk"}},     {"making", {"make"}},   {"singing", {"sing"}},
    {"taller", {"tall"}},     {"tallest", {"tall"}},    {"finer", {"fine"}},    {"spoonsful", {"spoonful"}},
    {"boxesful", {"boxful"}},
};

TEST(EnglishFormsTest, ExceptionsComeFirst)
{
    for (const Case& c : kExceptions) {
        const Strings forms = EnglishBaseForms(c.Word);
        ASSERT_GE(forms.size(), c.Expected.size()) << c.Word;
        EXPECT_EQ(c.Expected, Strings(forms.begin(), forms.begin() + static_cast<long>(c.Expected.size())))
            << c.Word << ": " << Show(forms);
    }
}

TEST(EnglishFormsTest, RulesGiveTheBaseForm)
{
    for (const Case& c : kRules)
        EXPECT_TRUE(InOrder(EnglishBaseForms(c.Word), c.Expected))
            << c.Word << ": " << Show(EnglishBaseForms(c.Word));
}

TEST(EnglishFormsTest, RulesRunInWordNetsOrder)
{
    const Case cases[] = {
        // s before ses; the verbs' repeats of them are not given twice.
        {"houses", {"house", "hous"}},
        {"churches", {"churche", "church"}},
        // The irregular plural, then the rules' guesses: "axe" of the verb.
        {"axes", {"ax", "axis", "axe"}},
        // Nouns before verbs before adjectives.
        {"whites", {"white", "whit"}},
        {"longer", {"long", "longe"}},
        {"sing", {"se", "s"}},
        // The noun list gives "is" as its own base: the word is never its own form.
        {"is", {"be", "i"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, EnglishBaseForms(c.Word)) << c.Word;
}

TEST(EnglishFormsTest, NothingToStrip)
{
    // A noun ending in ss is no plural, two letters are too few, and a rule
    // never strips a whole word.
    const Case cases[] = {{"glass", {"glas"}}, {"us", {"u"}}, {"s", {}},   {"es", {"e"}},
                          {"ing", {}},         {"ful", {}},   {"cat", {}}, {"", {}}};
    for (const Case& c : cases)
        EXPECT_EQ(c.Expected, EnglishBaseForms(c.Word)) << c.Word;
}

TEST(EnglishFormsTest, TheTableIsSortedWithOneRowPerForm)
{
    ASSERT_GT(kEnglishExceptionCount, 5000u);
    for (size_t i = 1; i < kEnglishExceptionCount; ++i)
        ASSERT_LT(std::string_view(kEnglishExceptions[i - 1].Form),
                  std::string_view(kEnglishExceptions[i].Form))
            << "row " << i;
    // Every row is found by the bisection, with a base.
    for (size_t i = 0; i < kEnglishExceptionCount; ++i)
        ASSERT_FALSE(EnglishExceptionBases(kEnglishExceptions[i].Form).empty()) << kEnglishExceptions[i].Form;
    EXPECT_TRUE(EnglishExceptionBases("").empty());
    EXPECT_TRUE(EnglishExceptionBases("zzzzz").empty());
    EXPECT_TRUE(EnglishExceptionBases("wen").empty());
}

TEST(EnglishFormsTest, CandidatesFoldTheWordAndLeaveItOut)
{
    TWordForms forms(std::vector<std::string>{});
    const char* words[] = {"Houses", "MICE",   "Went", "RUNNING",  "Studies",
                           "Taller", "Better", "AXES", "Went Deep"};
    for (const char* word : words) {
        std::string lower(word);
        std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) { return std::tolower(c); });
        const Strings candidates = forms.Candidates(word, "en");
        EXPECT_FALSE(candidates.empty()) << word;
        EXPECT_EQ(EnglishBaseForms(lower), candidates) << word;
        for (size_t i = 0; i < candidates.size(); ++i) {
            EXPECT_NE(lower, candidates[i]) << word;
            EXPECT_EQ(candidates.end(), std::find(candidates.begin() + static_cast<long>(i) + 1,
                                                  candidates.end(), candidates[i]))
                << word << ": " << candidates[i] << " twice";
        }
    }
}

}  // namespace
}  // namespace lirabo
