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
                                    std::vector<TTextCell>* Cells, std::vector<TShapedPiece>* Pieces) const
{
    const std::array<int, 128>& ascii = FAscii[static_cast<size_t>(Style & 3)];
    TMeasuredWord word;
    const size_t cellsBefore = Cells ? Cells->size() : 0;
    int x = 0;
    size_t i = Begin;
    // Most words are ASCII letters: taken without a question per byte.
    for (unsigned c; i < Text.size() && (c = static_cast<unsigned char>(Text[i])) - 0x21u < 0x5Fu; ++i) {
        if (Cells)
            Cells->push_back({static_cast<int>(i), static_cast<int>(i + 1), x, ascii[c]});
        x += ascii[c];
    }
    size_t end = i;
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
            word.Shaped |= NeedsShaping(ch);
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
    // The characters measured before the first that needs shaping are
    // measured again with the pieces around it.
    if (Cells)
        Cells->resize(cellsBefore);
    word.Width = MeasurePieces(Text, Begin, end, Style, Cells, Pieces);
    return word;
}

int TWordMeasure::MeasurePieces(std::string_view Text, size_t Begin, size_t End, int Style,
                                std::vector<TTextCell>* Cells, std::vector<TShapedPiece>* Pieces) const
{
    int width = 0;
    size_t i = Begin;
    while (i < End) {
        if (static_cast<unsigned char>(Text[i]) < ' ') {
            ++i;
            continue;
        }
        const size_t from = i;
        const bool rightToLeft = IsStrongRightToLeft(NextChar(Text, i));
        // A right-to-left piece runs over letters of its direction and what
        // clings to them; any other piece up to the next such letter.
        bool shaped = rightToLeft;
        size_t to = i;
        for (size_t j = i; j < End;) {
            if (static_cast<unsigned char>(Text[j]) < ' ') {
                ++j;
                continue;
            }
            size_t next = j;
            const char32_t c = NextChar(Text, next);
            if (rightToLeft ? !IsStrongRightToLeft(c) && !ExtendsCluster(c) : IsStrongRightToLeft(c))
                break;
            shaped |= NeedsShaping(c);
            to = j = next;
        }
        if (!shaped) {
            size_t at = from;
            shaped |= NeedsShaping(NextChar(Text, at));
        }
        if (shaped) {
            width += MeasureShaped(Text, from, to, Style, Cells, Pieces);
        } else {
            for (size_t j = from; j < to;) {
                if (static_cast<unsigned char>(Text[j]) < ' ') {
                    ++j;
                    continue;
                }
                const size_t at = j;
                const int w = Advance(Style, NextChar(Text, j));
                if (Cells)
                    Cells->push_back({static_cast<int>(at), static_cast<int>(j), width, w});
                width += w;
            }
        }
        i = to;
    }
    return width;
}

int TWordMeasure::MeasureShaped(std::string_view Text, size_t Begin, size_t End, int Style,
                                std::vector<TTextCell>* Cells, std::vector<TShapedPiece>* Pieces) const
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
    const int width = shape->Width;
    if (Cells) {
        const int index = Pieces ? static_cast<int>(Pieces->size()) : -1;
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
    if (Pieces) {
        TShapedPiece piece;
        piece.Begin = static_cast<int>(Begin);
        piece.End = static_cast<int>(End);
        piece.Style = Style & 3;
        piece.Shape = std::move(shape);
        Pieces->push_back(std::move(piece));
    }
    return width;
}

}  // namespace lirabo
