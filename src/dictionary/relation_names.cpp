#include "dictionary/relation_names.h"

#include <array>
#include <charconv>

namespace lirabo {

namespace {

constexpr int kLowest = -3;
constexpr int kHighest = 100;

struct NamedCode {
    int Index;
    const char* Name;
};

constexpr NamedCode kNames[] = {
    {-3, "Adverb"}, {-2, "Adjective"}, {-1, "Verb"}, {0, "Noun"},
    {1, "Antonym"}, {2, "Type of"}, {3, "Types"}, {4, "Member of"}, {5, "Substances"},
    {6, "Part of"}, {7, "Members"}, {8, "Substance of"}, {9, "Parts"}, {10, "Attribute"},
    {11, "Derivations"}, {12, "Categories"}, {13, "Same category"}, {14, "Regions"},
    {15, "Same region"}, {16, "Usages"}, {17, "Same usage"},
    {32, "Antonym"}, {33, "Type of"}, {34, "Types"}, {35, "Entailment"}, {36, "Cause"},
    {37, "See also"}, {38, "Group"}, {39, "Derivations"}, {40, "Category"}, {41, "Region"},
    {42, "Usage"},
    {64, "Antonym"}, {65, "Similar to"}, {66, "Participle of"}, {67, "Pertains to"},
    {68, "Attribute of"}, {69, "See also"}, {70, "Category"}, {71, "Region"}, {72, "Usage"},
    {96, "Antonym"}, {97, "Derived from"}, {98, "Category"}, {99, "Region"}, {100, "Usage"},
};

const std::array<std::string, kHighest - kLowest + 1>& Table()
{
    static const auto table = [] {
        std::array<std::string, kHighest - kLowest + 1> t;
        for (const NamedCode& n : kNames)
            t[static_cast<size_t>(n.Index - kLowest)] = n.Name;
        return t;
    }();
    return table;
}

}  // namespace

const std::string& RelationName(int Index)
{
    static const std::string empty;
    if (Index < kLowest || Index > kHighest)
        return empty;
    return Table()[static_cast<size_t>(Index - kLowest)];
}

std::string NameRelationRow(const std::string& Text)
{
    if (Text.empty() || Text[0] != '+')
        return Text;
    int value = 0;
    const char* first = Text.data() + 1;
    const char* last = Text.data() + Text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error != std::errc() || end != last)
        return RelationName(kHighest + 1);
    return RelationName(value);
}

std::string RelationRowText(int Mark, const std::string& Text)
{
    return Mark < 0 ? NameRelationRow(Text) : Text;
}

}  // namespace lirabo
