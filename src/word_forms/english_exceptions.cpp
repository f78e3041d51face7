#include "word_forms/english_exceptions.h"

#include <algorithm>

namespace lirabo {

std::vector<std::string> EnglishExceptionBases(std::string_view Form)
{
    const TEnglishException* end = kEnglishExceptions + kEnglishExceptionCount;
    const TEnglishException* row = std::lower_bound(
        kEnglishExceptions, end, Form,
        [](const TEnglishException& Row, std::string_view Key) { return std::string_view(Row.Form) < Key; });
    std::vector<std::string> bases;
    if (row == end || Form != row->Form)
        return bases;
    std::string_view rest = row->Bases;
    while (!rest.empty()) {
        const size_t tab = rest.find('\t');
        bases.emplace_back(rest.substr(0, tab));
        rest.remove_prefix(tab == std::string_view::npos ? rest.size() : tab + 1);
    }
    return bases;
}

}  // namespace lirabo
