#include "dictionary/utf8_text.h"

#include <unicode/uchar.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <vector>

#include "dictionary/ansi_codec.h"

namespace lirabo {

namespace {

// ICU's folding cached for the two-byte range, which holds Latin, Greek,
// Cyrillic, Hebrew and Arabic: a comparison of such text never leaves the
// table, and the table is ICU's answer, not one of our own.
constexpr char32_t kCachedUnits = 0x800;

const std::array<char32_t, kCachedUnits>& FoldCache()
{
    static const std::array<char32_t, kCachedUnits> cache = [] {
        std::array<char32_t, kCachedUnits> table{};
        for (char32_t c = 0; c < kCachedUnits; ++c)
            table[c] = static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
        return table;
    }();
    return cache;
}

inline unsigned char LowerAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}

}  // namespace

char32_t NextUnit(std::string_view Text, size_t& Position)
{
    const auto lead = static_cast<unsigned char>(Text[Position]);
    if (lead < 0x80) {
        ++Position;
        return lead;
    }
    char32_t c = 0;
    if (DecodeUtf8(Text, Position, c))
        return c;
    ++Position;
    return kInvalidUnit + lead;
}

char32_t FoldUnit(char32_t Unit)
{
    if (Unit < kCachedUnits)
        return FoldCache()[Unit];
    if (Unit >= kInvalidUnit)
        return Unit;
    return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(Unit), U_FOLD_CASE_DEFAULT));
}

int CompareUtf8Words(std::string_view A, std::string_view B)
{
    size_t i = 0;
    size_t j = 0;
    while (i < A.size() && j < B.size()) {
        const auto a = static_cast<unsigned char>(A[i]);
        const auto b = static_cast<unsigned char>(B[j]);
        if ((a | b) < 0x80) {
            if (a != b) {
                const unsigned char la = LowerAscii(a);
                const unsigned char lb = LowerAscii(b);
                if (la != lb)
                    return la < lb ? -1 : 1;
            }
            ++i;
            ++j;
            continue;
        }
        const char32_t ua = FoldUnit(NextUnit(A, i));
        const char32_t ub = FoldUnit(NextUnit(B, j));
        if (ua != ub)
            return ua < ub ? -1 : 1;
    }
    const bool restA = i < A.size();
    const bool restB = j < B.size();
    return restA == restB ? 0 : (restA ? 1 : -1);
}

bool Utf8StartsWith(std::string_view Text, std::string_view Prefix)
{
    size_t i = 0;
    size_t j = 0;
    while (j < Prefix.size()) {
        if (i >= Text.size() || FoldUnit(NextUnit(Text, i)) != FoldUnit(NextUnit(Prefix, j)))
            return false;
    }
    return true;
}

void AppendFoldedBytes(std::string& Out, std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c < 0x80) {
            Out.push_back(static_cast<char>(LowerAscii(c)));
            ++i;
            continue;
        }
        const char32_t unit = FoldUnit(NextUnit(Text, i));
        if (unit < kInvalidUnit) {
            AppendUtf8(Out, unit);
        } else {
            const unsigned byte = unit - kInvalidUnit;
            Out.push_back(static_cast<char>(0xF8 + (byte >> 6)));
            Out.push_back(static_cast<char>(0x80 + (byte & 0x3F)));
        }
    }
}

std::string FoldedPrefix(std::string_view Text, size_t Bytes)
{
    // Every unit folds to at least one byte and takes at most four.
    std::string folded;
    AppendFoldedBytes(folded, Text.substr(0, 4 * Bytes));
    folded.resize(std::min(folded.size(), Bytes));
    return folded;
}

std::array<unsigned char, 4> Utf8SectionKey(std::string_view Headword)
{
    const std::string folded = FoldedPrefix(Headword, 4);
    std::array<unsigned char, 4> key{};
    for (size_t i = 0; i < key.size() && i < folded.size(); ++i)
        key[i] = static_cast<unsigned char>(folded[i]);
    return key;
}

std::string NormalizeNfc(std::string_view Text)
{
    if (std::all_of(Text.begin(), Text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }) ||
        FindInvalidUtf8(Text) != std::string_view::npos)
        return std::string(Text);
    UErrorCode status = U_ZERO_ERROR;
    const UNormalizer2* nfc = unorm2_getNFCInstance(&status);
    if (U_FAILURE(status))
        return std::string(Text);
    std::vector<UChar> wide(Text.size() + 1);
    int32_t wideLength = 0;
    u_strFromUTF8(wide.data(), static_cast<int32_t>(wide.size()), &wideLength, Text.data(),
                  static_cast<int32_t>(Text.size()), &status);
    if (U_FAILURE(status))
        return std::string(Text);
    if (unorm2_isNormalized(nfc, wide.data(), wideLength, &status) && U_SUCCESS(status))
        return std::string(Text);
    status = U_ZERO_ERROR;
    // Composition never lengthens UTF-16 text by more than a factor of three.
    std::vector<UChar> normal(static_cast<size_t>(wideLength) * 3 + 1);
    const int32_t normalLength = unorm2_normalize(nfc, wide.data(), wideLength, normal.data(),
                                                  static_cast<int32_t>(normal.size()), &status);
    if (U_FAILURE(status))
        return std::string(Text);
    std::string out(static_cast<size_t>(normalLength) * 3, '\0');
    int32_t outLength = 0;
    u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &outLength, normal.data(), normalLength, &status);
    if (U_FAILURE(status))
        return std::string(Text);
    out.resize(static_cast<size_t>(outLength));
    return out;
}

size_t FindInvalidUtf8(std::string_view Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        if (static_cast<unsigned char>(Text[i]) < 0x80) {
            ++i;
            continue;
        }
        char32_t c = 0;
        if (!DecodeUtf8(Text, i, c))
            return i;
    }
    return std::string_view::npos;
}

size_t Utf8Boundary(std::string_view Text, size_t Limit)
{
    if (Limit >= Text.size())
        return Text.size();
    // Only a well-formed character spans several bytes, and none spans a
    // lead byte: so the limit splits a character exactly when the nearest
    // lead byte before it begins one that reaches past it.
    for (size_t s = Limit; s > 0 && Limit - s < 3;) {
        --s;
        const auto byte = static_cast<unsigned char>(Text[s]);
        if ((byte & 0xC0) == 0x80)
            continue;
        size_t end = s;
        char32_t c = 0;
        if (byte >= 0xC0 && DecodeUtf8(Text, end, c) && end > Limit)
            return s;
        break;
    }
    return Limit;
}

std::string ShowableUtf8(std::string_view Text)
{
    std::string out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        const size_t start = i;
        const char32_t unit = NextUnit(Text, i);
        if (unit >= kInvalidUnit)
            out += "\xEF\xBF\xBD";
        else
            out.append(Text.substr(start, i - start));
    }
    return out;
}

}  // namespace lirabo
