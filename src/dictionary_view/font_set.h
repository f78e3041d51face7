#pragma once

#include <QFont>
#include <QRawFont>
#include <array>

#include "dictionary_view/entry_layout.h"

namespace lirabo {

// A font measured for the view: the width tables and line height the layout
// needs, and the glyph of each byte in each width style, so that text is
// drawn glyph by glyph exactly where the tables put it.
class TFontSet {
public:
    // Measures Font in its four width styles. A byte is measured and drawn as
    // its Windows-1252 character; the mark-up codes below 32 have no width.
    void Measure(const QFont& Font);

    bool Valid() const { return FValid; }
    const TCharWidths& Widths() const { return FWidths; }
    int LineHeight() const { return FLineHeight; }
    int Ascent() const { return FAscent; }
    const QFont& Font(int Style) const { return FFonts[Style & 3]; }
    const QRawFont& RawFont(int Style) const { return FRawFonts[Style & 3]; }
    quint32 Glyph(int Style, unsigned char Byte) const { return FGlyphs[Style & 3][Byte]; }
    // Where underline and strike-out lines go, in pixels below the baseline
    // (negative: above), and how thick they are.
    int UnderlinePos(int Style) const { return FDecorations[Style & 3].Underline; }
    int StrikeOutPos(int Style) const { return FDecorations[Style & 3].StrikeOut; }
    int LineWidth(int Style) const { return FDecorations[Style & 3].Width; }

private:
    bool FValid = false;
    TCharWidths FWidths{};
    std::array<std::array<quint32, 256>, 4> FGlyphs{};
    std::array<QFont, 4> FFonts;
    std::array<QRawFont, 4> FRawFonts;
    struct TDecoration {
        int Underline = 0;
        int StrikeOut = 0;
        int Width = 1;
    };
    std::array<TDecoration, 4> FDecorations{};
    int FLineHeight = 0;
    int FAscent = 0;
};

}  // namespace lirabo
