#include "dictionary_view/word_measure.h"

#include "dictionary_view/char_class.h"
#include "dictionary_view/markup.h"
#include "dictionary_view/text_boundaries.h"

namespace lirabo {

namespace {

// What a layout measures with before it has a font: nothing takes room.
class TNoMetrics : public TTextMetrics {
public:
    int LineHeight() const override { return 0; }
    int Advance(int, char32_t) const override { return 0; }
    std::shared_ptr<const TShapedText> Shape(int, std::string_view, std::span<const uint32_t>) const override
    {
        static const auto empty = std::make_shared<const TShapedText>();
        return empty;
    }
};

const TNoMetrics kNoMetrics;

}  // namespace

bool IsWidthlessCode(unsigned char Code)
{
    return Code == mcUnderline || Code == mcStrikeOut || Code == mcSelStart || Code == mcSelEnd;
}

TWordMeasure::TWordMeasure(const TTextMetrics* Metrics)
{
    SetMetrics(Metrics);
}

void TWordMeasure::SetMetrics(const TTextMetrics* Metrics)
{
    FMetrics = Metrics ? Metrics : &kNoMetrics;
    for (int s = 0; s < 4; ++s)
        for (char32_t c = 0; c < 128; ++c)
            FAscii[static_cast<size_t>(s)][c] = Metrics && c >= 32 ? Metrics->Advance(s, c) : 0;
}

TMeasuredWord TWordMeasure::Measure(std::string_view Text, size_t Begin, int Style,
                                    std::vector<TTextCell>* Cells, std::vector<TShapedWord>* Words) const
{
    const std::array<int, 128>& ascii = FAscii[static_cast<size_t>(Style & 3)];
    TMeasuredWord word;
    int x = 0;
    size_t end = Begin;
    size_t i = Begin;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c > ' ' && c < 0x80) {
            if (!word.Shaped) {
                if (Cells)
                    Cells->push_back({static_cast<int>(i), static_cast<int>(i + 1), x, ascii[c]});
                x += ascii[c];
            }
            end = ++i;
            continue;
        }
        if (c >= 0x80) {
            const size_t at = i;
            const char32_t ch = NextChar(Text, i);
            end = i;
            word.NoSpaces |= BreaksWithoutSpaces(ch);
            word.RightToLeft |= IsRightToLeft(ch);
            if (!word.Shaped && NeedsShaping(ch))
                word.Shaped = true;
            if (!word.Shaped) {
                const int w = FMetrics->Advance(Style & 3, ch);
                if (Cells)
                    Cells->push_back({static_cast<int>(at), static_cast<int>(i), x, w});
                x += w;
            }
            continue;
        }
        // A word goes on over these codes only when a character follows.
        if (!IsWidthlessCode(c))
            break;
        ++i;
    }
    word.End = end;
    if (!word.Shaped) {
        word.Width = x;
        return word;
    }
    if (Cells) {
        // The characters measured alone before the one that needs shaping
        // are shaped with it.
        while (!Cells->empty() && Cells->back().Begin >= static_cast<int>(Begin))
            Cells->pop_back();
    }
    word.Width = MeasureShaped(Text, Begin, end, Style, Cells, Words).Width;
    if (Words)
        Words->back().RightToLeft = word.RightToLeft;
    return word;
}

TMeasuredWord TWordMeasure::MeasureShaped(std::string_view Text, size_t Begin, size_t End, int Style,
                                          std::vector<TTextCell>* Cells,
                                          std::vector<TShapedWord>* Words) const
{
    FPlain.clear();
    FSource.clear();
    for (size_t i = Begin; i < End; ++i) {
        if (static_cast<unsigned char>(Text[i]) < ' ')
            continue;
        FPlain.push_back(Text[i]);
        FSource.push_back(static_cast<uint32_t>(i));
    }
    ClusterEnds(FPlain, FClusterEnds);
    std::shared_ptr<const TShapedText> shape = FMetrics->Shape(Style & 3, FPlain, FClusterEnds);
    TMeasuredWord word;
    word.End = End;
    word.Shaped = true;
    word.Width = shape->Width;
    if (Cells) {
        const int index = Words ? static_cast<int>(Words->size()) : -1;
        uint32_t from = 0;
        for (size_t k = 0; k < FClusterEnds.size(); ++k) {
            const uint32_t to = FClusterEnds[k];
            // Metrics that answer for fewer clusters leave the rest no room.
            const TClusterBox box = k < shape->Clusters.size() ? shape->Clusters[k] : TClusterBox{};
            Cells->push_back({static_cast<int>(FSource[from]), static_cast<int>(FSource[to - 1] + 1),
                              box.Left, box.Width, index});
            from = to;
        }
    }
    if (Words) {
        TShapedWord shaped;
        shaped.Begin = static_cast<int>(Begin);
        shaped.End = static_cast<int>(End);
        shaped.Style = Style & 3;
        shaped.Shape = std::move(shape);
        Words->push_back(std::move(shaped));
    }
    return word;
}

}  // namespace lirabo
