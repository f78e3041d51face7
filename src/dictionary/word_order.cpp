#include "dictionary/word_order.h"

#include <algorithm>
#include <string>

namespace lirabo {

int CompareWords(std::string_view A, std::string_view B)
{
    const size_t n = std::min(A.size(), B.size());
    for (size_t i = 0; i < n; ++i) {
        const unsigned char a = UpperAscii(static_cast<unsigned char>(A[i]));
        const unsigned char b = UpperAscii(static_cast<unsigned char>(B[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

std::string UpperCaseAscii(std::string_view S)
{
    std::string u(S);
    for (char& c : u)
        c = static_cast<char>(UpperAscii(static_cast<unsigned char>(c)));
    return u;
}

}  // namespace lirabo
