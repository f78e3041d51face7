#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "dictionary_view/markup.h"
#include "dictionary_view/text_walker.h"

namespace lirabo {

// One screen piece of a link: a link wrapped by soft breaks has one piece per
// line. Every piece carries the whole link's text, so that a click on any
// piece looks the whole link up. A piece covers the characters of the link
// on its line, wherever right-to-left text puts them.
struct TLinkRect {
    TRect Rect;
    std::string Link;  // the text between the link codes, mark-up removed
    // A later piece of the same link, after a wrap: two links of the same
    // text on consecutive lines are still two.
    bool Continued = false;
};

// Collects the link pieces of the entries a paint walks. The painter forwards
// its walk to it; the pieces live until the next paint.
class TLinkRecorder : public TLineVisitor {
public:
    explicit TLinkRecorder(int LineHeight) : FLineHeight(LineHeight) {}

    // Starts a new entry; Text must stay alive until the entry's walk ends.
    void BeginEntry(std::string_view Text);

    bool Run(const TTextRun& Run) override;
    bool NextLine(int Index, unsigned char Code, int X, int Y, bool Visible, int LineStart) override;
    bool Code(int Index, unsigned char Code, int X, int Y) override;
    void End(int Index, int X, int Y, bool Visible, TEnd Why) override;
    // The walk stops at Index before the entry ends (the rest is below the
    // view): a link still open gets its text from where it really ends.
    void CutOff(int Index);

    std::vector<TLinkRect>& Links() { return FLinks; }

private:
    void CloseOpenLink(size_t TextEnd);

    std::vector<TLinkRect> FLinks;
    std::string_view FText;
    int FLineHeight;
    int FOpenFrom = -1;          // the first piece of the open link, -1 when none is open
    size_t FTextStart = 0;       // where the open link's text starts
    bool FPieceHasText = false;  // characters of the link stand on the last piece
};

}  // namespace lirabo
