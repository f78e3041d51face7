#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRawFont>
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "dictionary_view/raw_fonts.h"

namespace lirabo {

// How one character that stands alone is drawn: its glyph, the font that
// has it and its advance in whole pixels.
struct TGlyph {
    uint32_t Glyph = 0;
    int Advance = 0;
    uint16_t Font = 0;
};

// The glyph of every character the view has drawn, per width style: an
// array for the range below U+0800 (Latin, Greek, Cyrillic and the rest of
// the two-byte range stay on it with no call to Qt once seen), a hash table
// beyond. A character the view's font lacks comes from the font Qt's own
// font merging picks for it; one that no font has shows as U+FFFD.
class TGlyphCache {
public:
    // Starts over for Fonts (the four width styles), whose raw fonts are
    // numbered in Raw. Raw must outlive the cache.
    void Reset(const std::array<QFont, 4>& Fonts, TRawFonts& Raw);

    const TGlyph& Glyph(int Style, char32_t Char)
    {
        if (Char < kFastChars && FRaw) {
            const TGlyph& glyph = FStyles[static_cast<size_t>(Style & 3)].Fast[Char];
            if (glyph.Advance >= 0)
                return glyph;
        }
        return Lookup(Style, Char);
    }

private:
    static constexpr char32_t kFastChars = 0x800;

    struct TStyle {
        QFont Font;
        std::optional<QFontMetrics> Metrics;
        QRawFont Primary;
        uint16_t PrimaryNumber = 0;
        std::vector<TGlyph> Fast;  // Advance -1: not looked up yet
        std::unordered_map<char32_t, TGlyph> Rest;
        QRawFont LastFallback;  // tried before asking Qt again
    };

    const TGlyph& Lookup(int Style, char32_t Char);
    TGlyph Find(TStyle& Style, char32_t Char);
    std::optional<TGlyph> FromFallback(TStyle& Style, char32_t Char);

    std::array<TStyle, 4> FStyles;
    TRawFonts* FRaw = nullptr;
};

}  // namespace lirabo
