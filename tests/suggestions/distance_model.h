#pragma once

// The distance the suggestions promise, computed the slow and obvious way:
// the full recursive definition, memoised, with no band, no bit vectors and
// no early exit.

#include <algorithm>
#include <string>
#include <vector>

namespace lirabo::test {

inline int ModelDistance(const std::u32string& A, const std::u32string& B)
{
    std::vector<std::vector<int>> d(A.size() + 1, std::vector<int>(B.size() + 1));
    for (size_t i = 0; i <= A.size(); ++i)
        for (size_t j = 0; j <= B.size(); ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = static_cast<int>(i + j);
                continue;
            }
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (A[i - 1] != B[j - 1])});
            if (i > 1 && j > 1 && A[i - 1] == B[j - 2] && A[i - 2] == B[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[A.size()][B.size()];
}

}  // namespace lirabo::test
