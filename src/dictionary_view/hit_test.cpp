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

    bool Run(int Begin, int End, int X, int Y, int Style) override
    {
        if (!Active(Y))
            return true;
        for (int i = Begin; i < End; ++i) {
            const int w = FLayout.Width(Style, static_cast<unsigned char>(FText[static_cast<size_t>(i)]));
            if (X + w >= FX)
                return Hit(i, {X, Y, X + w, Y + FLayout.LineHeight()});
            X += w;
        }
        return true;
    }

    bool Body(int Index, int X, int Y, bool Visible, bool /*FillGap*/) override
    {
        if (Visible && Active(Y) && FX <= FLayout.Indent())
            return Hit(Index, {X, Y, std::max(X, FLayout.Indent()), Y + FLayout.LineHeight()});
        return true;
    }

    bool LineEnd(int Index, int X, int Y, int /*LineStart*/) override
    {
        if (Active(Y) && FX >= X)
            return Hit(std::max(Index - 1, 0), {X, Y, FRightEdge, Y + FLayout.LineHeight()});
        return true;
    }

    bool NextLine(int Index, unsigned char /*Code*/, int /*X*/, int Y, bool Visible, int LineStart) override
    {
        if (Visible && Active(Y) && FX <= LineStart)
            return Hit(std::max(Index - 1, 0), {kLeftMargin, Y, LineStart, Y + FLayout.LineHeight()});
        return true;
    }

    void End(int Index, int X, int Y, bool Visible, TEnd Why) override
    {
        if (Why == TEnd::Text && Visible && Active(Y) && FX >= X)
            Hit(Index, {X, Y, FRightEdge, Y + FLayout.LineHeight()});
    }

    THit Result;

private:
    bool Active(int LineTop) const { return FY >= LineTop && FY < LineTop + FLayout.LineHeight(); }
    bool Hit(int Index, TRect Rect)
    {
        Result = {Index, Rect};
        return false;
    }

    const TEntryLayout& FLayout;
    const std::string& FText;
    int FX, FY, FRightEdge;
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
