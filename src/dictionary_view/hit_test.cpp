#include "dictionary_view/hit_test.h"

#include <algorithm>

#include "dictionary_view/text_walker.h"

namespace lirabo {

namespace {

class THitVisitor : public TLineVisitor {
public:
    THitVisitor(const TEntryLayout& Layout, const std::string& Text, int X, int Y, int RightEdge)
        : FLayout(Layout), FText(Text), FX(X), FY(Y), FRightEdge(RightEdge)
    {
    }

    // A character owns the points from just right of its left edge up to
    // and including its right edge; the first one on the line also owns
    // what lies left of it.
    bool Run(const TTextRun& Run) override
    {
        if (!Active(Run.Y))
            return true;
        for (const TTextCell& cell : Run.Cells) {
            FLastCell = cell;
            FHasLastCell = true;
            if (cell.X < FX && FX <= cell.X + cell.Width)
                return Hit(cell.Begin, cell.End, CellRect(cell, Run.Y));
            if (FX <= cell.X && (!FHasLeftmost || cell.X < FLeftmost.X)) {
                FLeftmost = cell;
                FHasLeftmost = true;
                FLeftmostY = Run.Y;
            }
        }
        return true;
    }

    bool Body(int Index, int X, int Y, bool Visible, bool /*FillGap*/) override
    {
        if (HitLeftmost())
            return false;
        if (Visible && Active(Y) && FX <= FLayout.Indent())
            return Hit(Index, Index + 1, {X, Y, std::max(X, FLayout.Indent()), Y + FLayout.LineHeight()});
        FHasLastCell = false;
        return true;
    }

    bool LineEnd(int Index, int X, int Y, int /*LineStart*/) override
    {
        if (HitLeftmost())
            return false;
        if (Active(Y) && FX >= X)
            return HitBefore(Index, {X, Y, FRightEdge, Y + FLayout.LineHeight()});
        return true;
    }

    bool NextLine(int Index, unsigned char /*Code*/, int /*X*/, int Y, bool Visible, int LineStart) override
    {
        if (Visible && Active(Y) && FX <= LineStart)
            return HitBefore(Index, {kLeftMargin, Y, LineStart, Y + FLayout.LineHeight()});
        FHasLastCell = false;
        return true;
    }

    void End(int Index, int X, int Y, bool Visible, TEnd Why) override
    {
        if (HitLeftmost())
            return;
        if (Why == TEnd::Text && Visible && Active(Y) && FX >= X)
            Hit(Index, Index, {X, Y, FRightEdge, Y + FLayout.LineHeight()});
    }

    THit Result;

private:
    bool Active(int LineTop) const { return FY >= LineTop && FY < LineTop + FLayout.LineHeight(); }
    TRect CellRect(const TTextCell& Cell, int Y) const
    {
        return {Cell.X, Y, Cell.X + Cell.Width, Y + FLayout.LineHeight()};
    }
    bool Hit(int Index, int End, TRect Rect)
    {
        Result = {Index, End, Rect};
        return false;
    }
    // A point left of every character of its line: the leftmost one.
    bool HitLeftmost()
    {
        if (!FHasLeftmost)
            return false;
        Hit(FLeftmost.Begin, FLeftmost.End, CellRect(FLeftmost, FLeftmostY));
        return true;
    }
    // The rest of a line belongs to what ends it: the last character before
    // the break at Index, whole, or the byte before the break when that is a
    // code or a space left undrawn.
    bool HitBefore(int Index, TRect Rect)
    {
        if (FHasLastCell && FLastCell.End == Index)
            return Hit(FLastCell.Begin, FLastCell.End, Rect);
        int begin = std::max(Index - 1, 0);
        // Never the middle of a character, even of a damaged one.
        while (begin > 0 && Index - begin < 4 &&
               (static_cast<unsigned char>(FText[static_cast<size_t>(begin)]) & 0xC0) == 0x80)
            --begin;
        return Hit(begin, Index, Rect);
    }

    const TEntryLayout& FLayout;
    const std::string& FText;
    int FX, FY, FRightEdge;
    TTextCell FLastCell;  // the last character walked on the current line
    bool FHasLastCell = false;
    TTextCell FLeftmost;  // the leftmost character right of the point on the active line
    bool FHasLeftmost = false;
    int FLeftmostY = 0;
};

}  // namespace

THit HitTest(const TEntryLayout& Layout, const TProcessedItem& Item, int X, int Y, int Top, int Hidden,
             int RightEdge)
{
    if (Layout.LineHeight() <= 0)
        return {};
    THitVisitor visitor(Layout, Item.Text, X, Y, RightEdge);
    TTextWalker(Layout).Walk(Item.Text, Item.Lines, Top, Hidden, visitor);
    return visitor.Result;
}

}  // namespace lirabo
