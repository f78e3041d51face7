#include "dictionary_view/font_set.h"

#include <QFontMetrics>
#include <algorithm>

namespace lirabo {

void TFontSet::Measure(const QFont& Font)
{
    FLineHeight = 0;
    FAscent = 0;
    for (size_t s = 0; s < 4; ++s) {
        QFont font = Font;
        font.setBold(s & 1);
        font.setItalic(s & 2);
        // Characters are placed one by one, so pairs must not pull together.
        font.setKerning(false);
        const QFontMetrics metrics(font);
        FLineHeight = std::max(FLineHeight, metrics.height());
        FAscent = std::max(FAscent, metrics.ascent());
        FDecorations[s] = {metrics.underlinePos(), -metrics.strikeOutPos(), std::max(metrics.lineWidth(), 1)};
        FFonts[s] = font;
    }
    FRawFonts.Clear();
    FGlyphs.Reset(FFonts, FRawFonts);
    FShaper.Reset(FFonts, FRawFonts);
    FValid = FLineHeight > 0;
}

}  // namespace lirabo
