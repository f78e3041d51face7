#include "dictionary_view/caret_geometry.h"

#include <cstdlib>

#include "dictionary_view/char_class.h"

namespace lirabo {

void TCaretGeometry::Walk(std::string_view Text, int Lines, int Top, int Hidden)
{
    FText = Text;
    FStops.clear();
    FDrawing = true;
    FHidden = Hidden;
    if (FLayout.LineHeight() > 0)
        TTextWalker(FLayout).Walk(Text, Lines, Top, Hidden, *this);
}

void TCaretGeometry::Add(int Index, int X, int Y)
{
    if (FDrawing)
        FStops.push_back({Index, X, Y});
}

bool TCaretGeometry::Run(const TTextRun& Run)
{
    for (const TTextCell& cell : Run.Cells) {
        // Before a character read right to left the caret stands at its right edge.
        bool rightToLeft = cell.Mirrored;
        if (cell.Piece >= 0 && static_cast<size_t>(cell.Piece) < Run.Pieces.size()) {
            size_t first = static_cast<size_t>(Run.Pieces[static_cast<size_t>(cell.Piece)].Begin);
            rightToLeft = first < FText.size() && IsStrongRightToLeft(NextChar(FText, first));
        }
        Add(cell.Begin, rightToLeft ? cell.X + cell.Width : cell.X, Run.Y);
    }
    return true;
}

bool TCaretGeometry::Body(int Index, int X, int Y, bool Visible, bool /*FillGap*/)
{
    FDrawing = Visible;
    Add(Index, X, Y);
    // Hidden body lines follow the headword of a partly scrolled entry.
    FDrawing = Visible && FHidden <= 0;
    return true;
}

bool TCaretGeometry::LineEnd(int Index, int X, int Y, int /*LineStart*/)
{
    Add(Index, X, Y);
    return true;
}

bool TCaretGeometry::NextLine(int Index, unsigned char /*Code*/, int /*X*/, int Y, bool Visible, int LineStart)
{
    FDrawing = Visible;
    Add(Index + 1, LineStart, Y);
    return true;
}

bool TCaretGeometry::Code(int Index, unsigned char /*Code*/, int X, int Y)
{
    Add(Index, X, Y);
    return true;
}

void TCaretGeometry::End(int Index, int X, int Y, bool Visible, TEnd Why)
{
    FDrawing = Visible && Why != TEnd::Hidden;
    Add(Index, X, Y);
}

const TCaretStop* TCaretGeometry::Find(int Index) const
{
    // Stops come in text order but for the cells of a reordered line; the
    // lowest index at or after Index wins.
    const TCaretStop* best = nullptr;
    for (const TCaretStop& stop : FStops)
        if (stop.Index >= Index && (!best || stop.Index < best->Index))
            best = &stop;
    return best;
}

const TCaretStop* TCaretGeometry::Nearest(int Y, int X) const
{
    const TCaretStop* best = nullptr;
    for (const TCaretStop& stop : FStops)
        if (stop.Y == Y && (!best || std::abs(stop.X - X) < std::abs(best->X - X)))
            best = &stop;
    return best;
}

const TCaretStop* TCaretGeometry::LineFirst(int Y) const
{
    const TCaretStop* best = nullptr;
    for (const TCaretStop& stop : FStops)
        if (stop.Y == Y && (!best || stop.Index < best->Index))
            best = &stop;
    return best;
}

const TCaretStop* TCaretGeometry::LineLast(int Y) const
{
    const TCaretStop* best = nullptr;
    for (const TCaretStop& stop : FStops)
        if (stop.Y == Y && (!best || stop.Index > best->Index))
            best = &stop;
    return best;
}

}  // namespace lirabo
