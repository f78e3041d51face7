#pragma once

#include <QFont>
#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>

#include "dictionary_view/raw_fonts.h"
#include "dictionary_view/text_metrics.h"

namespace lirabo {

// Shapes pieces of words whose glyphs depend on their neighbours with Qt's
// own text layout (joined Arabic letters, marks placed on their base,
// right-to-left order, fallback fonts for what the view's font lacks), and
// keeps the results, since the same pieces are measured by the layout and
// then walked at every paint. A piece reads in the direction of its first
// letter. Cluster edges are rounded to whole pixels and tile the piece from
// 0 to its width.
class TTextShaper {
public:
    // Starts over for Fonts (the four width styles); Raw numbers the fonts
    // glyphs come from and must outlive the shaper.
    void Reset(const std::array<QFont, 4>& Fonts, TRawFonts& Raw);

    // As TTextMetrics::Shape.
    std::shared_ptr<const TShapedText> Shape(int Style, std::string_view Text,
                                             std::span<const uint32_t> ClusterEnds);

private:
    // A bound on the pieces kept per style: past it the cache starts afresh.
    static constexpr size_t kMaxPieces = 4096;

    std::shared_ptr<TShapedText> ShapeAfresh(int Style, std::string_view Text,
                                             std::span<const uint32_t> ClusterEnds);

    std::array<QFont, 4> FFonts;
    std::array<std::unordered_map<std::string, std::shared_ptr<const TShapedText>>, 4> FPieces;
    TRawFonts* FRaw = nullptr;
};

}  // namespace lirabo
