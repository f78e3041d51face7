#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

namespace lirabo {

// One cluster of a shaped word on screen: pixels from the word's left edge.
struct TClusterBox {
    int Left = 0;
    int Width = 0;
};

// Glyphs of one font, for drawing a shaped word; positions in pixels from
// the word's left edge and its baseline. Font numbers belong to the metrics
// that shaped the word.
struct TShapedGlyphs {
    uint16_t Font = 0;
    std::vector<uint32_t> Glyphs;
    std::vector<float> X;
    std::vector<float> Y;
};

// A word measured whole, because its characters change with their
// neighbours (joining, marks, right-to-left order).
struct TShapedText {
    int Width = 0;
    // One box per cluster asked for, in text order: a right-to-left word's
    // first cluster stands rightmost.
    std::vector<TClusterBox> Clusters;
    // What draws it; metrics that only measure leave it empty.
    std::vector<TShapedGlyphs> Glyphs;
};

// How wide text is in the view's font, in whole pixels, for each width style
// (0 plain, 1 bold, 2 italic, 3 bold italic). Layout, walking, painting and
// hit testing all measure through one of these, so they agree to the pixel;
// tests inject simple rules instead of a font.
class TTextMetrics {
public:
    virtual ~TTextMetrics() = default;

    // The height of every screen line.
    virtual int LineHeight() const = 0;
    // The advance of a character that stands alone (char_class.h
    // NeedsShaping is false), the space included.
    virtual int Advance(int Style, char32_t Char) const = 0;
    // Text (UTF-8 without codes, one word) shaped whole. ClusterEnds are the
    // byte offsets where its grapheme clusters end, ascending, the last one
    // Text's size. Never null; may be shared with later calls.
    virtual std::shared_ptr<const TShapedText> Shape(int Style, std::string_view Text,
                                                     std::span<const uint32_t> ClusterEnds) const = 0;
};

}  // namespace lirabo
