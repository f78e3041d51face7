#include "dictionary_view/char_class.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <array>
#include <cstdint>

#include "dictionary/utf8_text.h"
#include "dictionary_view/text_helpers.h"

namespace lirabo {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kCachedChars = 0x800;  // Latin, Greek, Cyrillic, Hebrew and Arabic
constexpr char32_t kHyphen = 0x2010;
constexpr char32_t kNonBreakingHyphen = 0x2011;

enum : uint8_t {
    kShaping = 1,
    kRightToLeft = 2,
    kNoSpaces = 4,
    kDelimiter = 8,
    kStrongRightToLeft = 16,
    kExtends = 32,
};

bool DirectionIsRightToLeft(UCharDirection Direction)
{
    switch (Direction) {
        case U_RIGHT_TO_LEFT:
        case U_RIGHT_TO_LEFT_ARABIC:
        case U_ARABIC_NUMBER:
        case U_RIGHT_TO_LEFT_EMBEDDING:
        case U_RIGHT_TO_LEFT_OVERRIDE:
        case U_RIGHT_TO_LEFT_ISOLATE:
        case U_LEFT_TO_RIGHT_EMBEDDING:
        case U_LEFT_TO_RIGHT_OVERRIDE:
        case U_LEFT_TO_RIGHT_ISOLATE:
        case U_FIRST_STRONG_ISOLATE:
        case U_POP_DIRECTIONAL_FORMAT:
        case U_POP_DIRECTIONAL_ISOLATE:
            return true;
        default:
            return false;
    }
}

// Scripts whose characters stand alone: each has one glyph whatever its
// neighbours, left to right. Any other script is shaped, which is never
// wrong, only slower.
bool ScriptStandsAlone(UScriptCode Script)
{
    switch (Script) {
        case USCRIPT_COMMON:
        case USCRIPT_LATIN:
        case USCRIPT_GREEK:
        case USCRIPT_CYRILLIC:
        case USCRIPT_ARMENIAN:
        case USCRIPT_GEORGIAN:
        case USCRIPT_HAN:
        case USCRIPT_HIRAGANA:
        case USCRIPT_KATAKANA:
        case USCRIPT_BOPOMOFO:
        case USCRIPT_ETHIOPIC:
        case USCRIPT_CHEROKEE:
        case USCRIPT_CANADIAN_ABORIGINAL:
        case USCRIPT_YI:
        case USCRIPT_RUNIC:
        case USCRIPT_OGHAM:
        case USCRIPT_BRAILLE:
            return true;
        default:
            return false;
    }
}

uint8_t Classify(char32_t Char)
{
    const auto c = static_cast<UChar32>(Char);
    uint8_t flags = 0;
    const int8_t category = u_charType(c);
    const int32_t mask = U_MASK(category);
    const UCharDirection direction = u_charDirection(c);
    if (DirectionIsRightToLeft(direction))
        flags |= kRightToLeft;
    const bool strongRightToLeft = direction == U_RIGHT_TO_LEFT || direction == U_RIGHT_TO_LEFT_ARABIC;
    if (strongRightToLeft)
        flags |= kStrongRightToLeft;
    const bool extends =
        (mask & (U_GC_M_MASK | U_GC_CF_MASK)) != 0 || u_hasBinaryProperty(c, UCHAR_EMOJI_MODIFIER);
    if (extends)
        flags |= kExtends;
    UErrorCode status = U_ZERO_ERROR;
    const UScriptCode script = uscript_getScript(c, &status);
    // Hangul syllables stand alone; the conjoining jamo are shaped into them.
    const bool hangulSyllable = Char >= 0xAC00 && Char <= 0xD7A3;
    const bool digit = direction == U_ARABIC_NUMBER || direction == U_EUROPEAN_NUMBER;
    if (strongRightToLeft || extends ||
        (!ScriptStandsAlone(script) && !hangulSyllable && !digit && script != USCRIPT_INHERITED) ||
        u_hasBinaryProperty(c, UCHAR_REGIONAL_INDICATOR))
        flags |= kShaping;
    if (Char >= 0x0E00) {
        switch (u_getIntPropertyValue(c, UCHAR_LINE_BREAK)) {
            case U_LB_IDEOGRAPHIC:
            case U_LB_CONDITIONAL_JAPANESE_STARTER:
            case U_LB_COMPLEX_CONTEXT:
            case U_LB_H2:
            case U_LB_H3:
            case U_LB_JL:
            case U_LB_JV:
            case U_LB_JT:
                flags |= kNoSpaces;
                break;
            default:
                break;
        }
    }
    if (Char < 0x80) {
        if (WordDelimiters().test(Char))
            flags |= kDelimiter;
    } else if ((mask & (U_GC_Z_MASK | U_GC_P_MASK)) != 0 && (mask & (U_GC_PI_MASK | U_GC_PF_MASK)) == 0 &&
               Char != kHyphen && Char != kNonBreakingHyphen) {
        flags |= kDelimiter;
    }
    return flags;
}

const std::array<uint8_t, kCachedChars>& FlagTable()
{
    static const std::array<uint8_t, kCachedChars> table = [] {
        std::array<uint8_t, kCachedChars> t{};
        for (char32_t c = 0; c < kCachedChars; ++c)
            t[c] = Classify(c);
        return t;
    }();
    return table;
}

uint8_t Flags(char32_t Char)
{
    if (Char < kCachedChars)
        return FlagTable()[Char];
    // The commonest characters beyond the table: ideographs, kana and Hangul
    // syllables stand alone and break anywhere.
    if ((Char >= 0x4E00 && Char <= 0x9FFF) || (Char >= 0x3041 && Char <= 0x3096) ||
        (Char >= 0x30A1 && Char <= 0x30FA) || (Char >= 0xAC00 && Char <= 0xD7A3))
        return kNoSpaces;
    return Classify(Char);
}

}  // namespace

char32_t NextChar(std::string_view Text, size_t& Position)
{
    // The engine's units, with every damaged byte shown as one replacement.
    const char32_t unit = NextUnit(Text, Position);
    return unit >= kInvalidUnit ? kReplacement : unit;
}

bool NeedsShaping(char32_t Char)
{
    return Char >= 0x80 && (Flags(Char) & kShaping) != 0;
}

bool ExtendsCluster(char32_t Char)
{
    return Char >= 0x80 && (Flags(Char) & kExtends) != 0;
}

bool IsStrongRightToLeft(char32_t Char)
{
    return Char >= 0x80 && (Flags(Char) & kStrongRightToLeft) != 0;
}

char32_t MirroredChar(char32_t Char)
{
    return static_cast<char32_t>(u_charMirror(static_cast<UChar32>(Char)));
}

bool IsRightToLeft(char32_t Char)
{
    return Char >= 0x80 && (Flags(Char) & kRightToLeft) != 0;
}

bool BreaksWithoutSpaces(char32_t Char)
{
    return Char >= 0x0E00 && (Flags(Char) & kNoSpaces) != 0;
}

bool IsWordDelimiter(char32_t Char)
{
    if (Char < 0x80)
        return WordDelimiters().test(Char);
    return (Flags(Char) & kDelimiter) != 0;
}

}  // namespace lirabo
