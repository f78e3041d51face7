#include "dictionary_view/text_walker.h"

namespace lirabo {

int TTextWalker::Walk(std::string_view Text, int Lines, int Top, int Hidden, TLineVisitor& Visitor) const
{
    using TEnd = TLineVisitor::TEnd;
    const TDictionaryStyles& styles = FLayout.Styles();
    const int lineHeight = FLayout.LineHeight();
    const int n = static_cast<int>(Text.size());

    int x = kLeftMargin;
    int y = Top;
    int lineStart = kLeftMargin;
    bool drawing = true;
    int hidden = Hidden > 0 ? Hidden : 0;
    int headwordLines = 0;  // headword lines passed while body lines are hidden
    int s = styles.WidthStyle(deEntry);
    int remembered = 0;

    int i = 0;
    for (;;) {
        const int runStart = i;
        int width = 0;
        while (i < n && static_cast<unsigned char>(Text[static_cast<size_t>(i)]) >= 32) {
            width += FLayout.Width(s, static_cast<unsigned char>(Text[static_cast<size_t>(i)]));
            ++i;
        }
        const unsigned char code = i < n ? static_cast<unsigned char>(Text[static_cast<size_t>(i)])
                                         : static_cast<unsigned char>(mcEnd);
        int runEnd = i;
        if ((code == mcEnd || code == mcLineBreak || code == mcSoftBreak) && runEnd > runStart &&
            Text[static_cast<size_t>(runEnd - 1)] == ' ') {
            --runEnd;
            width -= FLayout.Width(s, ' ');
        }
        if (runEnd > runStart && drawing) {
            if (!Visitor.Run(runStart, runEnd, x, y, s))
                return y;
            x += width;
        }

        switch (code) {
            case mcEnd:
                Visitor.End(i, x, y, drawing, TEnd::Text);
                return y;
            case mcBody:
                if (!Visitor.Body(i, x, y, drawing, hidden + headwordLines < Lines))
                    return y;
                if (hidden > 0)
                    drawing = false;
                lineStart = FLayout.Indent();
                x = lineStart;
                s = styles.WidthStyle(deDefinition);
                break;
            case mcLineBreak:
            case mcSoftBreak:
                if (drawing && !Visitor.LineEnd(i, x, y, lineStart))
                    return y;
                if (!drawing) {
                    // A hidden body line: the next one takes its place.
                    y -= lineHeight;
                    --hidden;
                    drawing = hidden <= 0;
                } else if (hidden > 0) {
                    ++headwordLines;
                    if (Lines <= hidden + headwordLines) {
                        Visitor.End(i, x, y, false, TEnd::Hidden);
                        return y;
                    }
                }
                y += lineHeight;
                if (!Visitor.NextLine(i, code, x, y, drawing, lineStart))
                    return y;
                x = lineStart;
                break;
            default:
                if (IsInvalidCode(code)) {
                    Visitor.End(i, x, y, drawing, TEnd::Invalid);
                    return y;
                }
                styles.ApplyWidthCode(code, s, remembered);
                if (!Visitor.Code(i, code, x, y))
                    return y;
                break;
        }
        ++i;
    }
}

}  // namespace lirabo
