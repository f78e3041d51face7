#include "dictionary/definition_query.h"

#include <algorithm>

#include "dictionary/plain_text.h"
#include "dictionary/word_order.h"

namespace lirabo {

namespace {

constexpr std::string_view kWildcardBytes = "*?[";
constexpr size_t kShortestPiece = 2;  // single letters would light up half the text

std::vector<std::string> SplitWords(std::string_view Text, std::string_view Separators, size_t Shortest)
{
    std::vector<std::string> words;
    size_t start = 0;
    while (start < Text.size()) {
        const size_t end = std::min(Text.find_first_of(Separators, start), Text.size());
        if (end - start >= Shortest)
            words.emplace_back(Text.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// The literal runs of a pattern: what lies between its wildcards and sets.
std::vector<std::string> LiteralRuns(std::string_view Pattern)
{
    std::vector<std::string> runs;
    std::string run;
    const auto flush = [&] {
        if (run.size() >= kShortestPiece)
            runs.push_back(run);
        run.clear();
    };
    for (size_t i = 0; i < Pattern.size(); ++i) {
        const char c = Pattern[i];
        if (c == '*' || c == '?') {
            flush();
        } else if (c == '[') {
            flush();
            const size_t close = Pattern.find(']', i + 1);
            if (close == std::string_view::npos)
                break;
            i = close;
        } else {
            run.push_back(c);
        }
    }
    flush();
    // Spaces at a run's edges would mark the gaps between words.
    for (std::string& r : runs) {
        r.erase(0, r.find_first_not_of(' '));
        r.erase(r.find_last_not_of(' ') + 1);
    }
    std::erase_if(runs, [](const std::string& r) { return r.size() < kShortestPiece; });
    return runs;
}

}  // namespace

TDefinitionQuery::TDefinitionQuery(std::string_view Query, TTextEncoding Encoding)
    : FRule(Encoding),
      FIsPattern(Query.find_first_of(kWildcardBytes) != std::string_view::npos),
      FPattern(FIsPattern ? Query : std::string_view(), Encoding)
{
    std::string upper;
    FRule.AppendComparable(upper, FRule.Prepare(Query));
    if (FIsPattern) {
        FPieces = LiteralRuns(upper);
        return;
    }
    FWords = SplitWords(upper, " \t", 1);
    // The longest words are the rarest: tried first, most entries fail at once.
    std::sort(FWords.begin(), FWords.end(),
              [](const std::string& A, const std::string& B) { return A.size() > B.size(); });
    FWords.erase(std::unique(FWords.begin(), FWords.end()), FWords.end());
    FPieces = FWords;
}

bool TDefinitionQuery::Matches(std::string_view Definition, std::string& Scratch) const
{
    if (Empty())
        return false;
    UpperPlainText(Definition, Scratch);
    if (FIsPattern)
        return FPattern.Matches(Scratch);
    std::string_view text(Scratch);
    if (FRule.Utf8()) {
        thread_local std::string folded;
        folded.clear();
        FRule.AppendComparable(folded, Scratch);
        text = folded;
    }
    return std::all_of(FWords.begin(), FWords.end(),
                       [&](const std::string& Word) { return text.find(Word) != std::string_view::npos; });
}

}  // namespace lirabo
