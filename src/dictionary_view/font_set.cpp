#include "dictionary_view/font_set.h"

#include <QFontMetrics>
#include <algorithm>

#include "dictionary/ansi_codec.h"

namespace lirabo {

void TFontSet::Measure(const QFont& Font)
{
    FLineHeight = 0;
    FAscent = 0;
    for (int s = 0; s < 4; ++s) {
        QFont font = Font;
        font.setBold(s & 1);
        font.setItalic(s & 2);
        // Glyphs are placed one by one, so pairs must not pull together.
        font.setKerning(false);
        const QFontMetrics metrics(font);
        FLineHeight = std::max(FLineHeight, metrics.height());
        FAscent = std::max(FAscent, metrics.ascent());
        FDecorations[static_cast<size_t>(s)] = {metrics.underlinePos(), -metrics.strikeOutPos(),
                                                std::max(metrics.lineWidth(), 1)};
        FFonts[static_cast<size_t>(s)] = font;
        FRawFonts[static_cast<size_t>(s)] = QRawFont::fromFont(font);

        QString characters;
        for (int b = 0; b < 256; ++b)
            characters.append(
                QChar(static_cast<char16_t>(b < 32 ? ' ' : AnsiToUnicode(static_cast<unsigned char>(b)))));
        const QList<quint32> glyphs = FRawFonts[static_cast<size_t>(s)].glyphIndexesForString(characters);
        for (int b = 0; b < 256; ++b) {
            FWidths[static_cast<size_t>(s)][static_cast<size_t>(b)] =
                b < 32 ? 0 : metrics.horizontalAdvance(characters[b]);
            FGlyphs[static_cast<size_t>(s)][static_cast<size_t>(b)] = b < glyphs.size() ? glyphs[b] : 0;
        }
    }
    FValid = FLineHeight > 0;
}

}  // namespace lirabo
