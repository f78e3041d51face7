#include "dictionary_view/link_recorder.h"

#include <algorithm>

#include "dictionary/utf8_text.h"
#include "dictionary_view/text_helpers.h"

namespace lirabo {

void TLinkRecorder::BeginEntry(std::string_view Text)
{
    FText = Text;
    FOpenFrom = -1;
}

bool TLinkRecorder::Run(const TTextRun& Run)
{
    if (FOpenFrom < 0)
        return true;
    TRect& rect = FLinks.back().Rect;
    if (rect.Top != Run.Y)
        return true;
    if (!FPieceHasText) {
        rect.Left = Run.Left;
        rect.Right = Run.Right;
        FPieceHasText = true;
    } else {
        rect.Left = std::min(rect.Left, Run.Left);
        rect.Right = std::max(rect.Right, Run.Right);
    }
    return true;
}

bool TLinkRecorder::NextLine(int /*Index*/, unsigned char Code, int X, int Y, bool /*Visible*/, int LineStart)
{
    // A soft break splits the open link; a hard break inside a link does not.
    if (Code == mcSoftBreak && FOpenFrom >= 0) {
        if (!FPieceHasText)
            FLinks.back().Rect.Right = X;
        FLinks.push_back({{LineStart, Y, LineStart, Y + FLineHeight}, {}, true});
        FPieceHasText = false;
    }
    return true;
}

bool TLinkRecorder::Code(int Index, unsigned char Code, int X, int Y)
{
    if (Code == mcLinkStart) {
        // A link opened inside an open link abandons the first: it never closes.
        if (FOpenFrom >= 0)
            End(Index, X, Y, false, TEnd::Invalid);
        FOpenFrom = static_cast<int>(FLinks.size());
        FTextStart = static_cast<size_t>(Index) + 1;
        FLinks.push_back({{X, Y, X, Y + FLineHeight}, {}});
        FPieceHasText = false;
    } else if (Code == mcLinkEnd && FOpenFrom >= 0) {
        // After a hard break inside the link the piece ends where the link
        // does, on the later line, as it always has.
        if (!FPieceHasText || FLinks.back().Rect.Top != Y)
            FLinks.back().Rect.Right = X;
        CloseOpenLink(static_cast<size_t>(Index));
    }
    return true;
}

void TLinkRecorder::CloseOpenLink(size_t TextEnd)
{
    // Damaged text never leaves the view as a link to look up.
    const std::string link =
        ShowableUtf8(RemoveChars(FText.substr(FTextStart, TextEnd - FTextStart), CharsBelow32()));
    for (size_t j = static_cast<size_t>(FOpenFrom); j < FLinks.size(); ++j)
        FLinks[j].Link = link;
    FOpenFrom = -1;
}

void TLinkRecorder::CutOff(int Index)
{
    if (FOpenFrom < 0)
        return;
    const size_t end = FText.find(static_cast<char>(mcLinkEnd), static_cast<size_t>(Index));
    if (end == std::string_view::npos)
        End(Index, 0, 0, false, TEnd::Text);
    else
        CloseOpenLink(end);
}

void TLinkRecorder::End(int /*Index*/, int /*X*/, int /*Y*/, bool /*Visible*/, TEnd /*Why*/)
{
    // A link that never closes cannot be clicked: its pieces get no width.
    if (FOpenFrom >= 0) {
        for (size_t j = static_cast<size_t>(FOpenFrom); j < FLinks.size(); ++j)
            FLinks[j].Rect.Right = FLinks[j].Rect.Left;
        FOpenFrom = -1;
    }
}

}  // namespace lirabo
