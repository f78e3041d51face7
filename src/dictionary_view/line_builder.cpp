#include "dictionary_view/line_builder.h"

#include "dictionary_view/char_class.h"

namespace lirabo {

namespace {

bool EndsLine(unsigned char Code)
{
    return Code == mcEnd || Code == mcBody || Code == mcLineBreak || Code == mcSoftBreak ||
           IsInvalidCode(Code);
}

// The characters of Text[Begin, End), codes left out, as UTF-16.
void AppendUtf16(std::u16string& Out, std::string_view Text, size_t Begin, size_t End)
{
    for (size_t i = Begin; i < End;) {
        if (static_cast<unsigned char>(Text[i]) < ' ') {
            ++i;
            continue;
        }
        const char32_t c = NextChar(Text, i);
        if (c < 0x10000) {
            Out.push_back(static_cast<char16_t>(c));
        } else {
            Out.push_back(static_cast<char16_t>(0xD7C0 + (c >> 10)));
            Out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        }
    }
}

}  // namespace

size_t TLineBuilder::Build(std::string_view Text, size_t Begin, int X, int& Style, int& Remembered,
                           bool Measure)
{
    FEvents.clear();
    FCells.clear();
    FPieces.clear();
    FRightToLeft = false;
    FRunBegin = Begin;
    FRunCells = 0;
    const TDictionaryStyles& styles = FLayout.Styles();
    const TWordMeasure& measure = FLayout.Measure();
    // A code between the characters: the run before it ends there.
    auto addCode = [&](size_t At, size_t CellsBefore) {
        const auto code = static_cast<unsigned char>(Text[At]);
        CloseRun(At, Style, CellsBefore);
        TLineEvent event;
        event.Begin = static_cast<int>(At);
        event.End = event.Begin + 1;
        event.Code = code;
        event.FirstCell = static_cast<int>(CellsBefore);
        event.X = X;
        FEvents.push_back(event);
        styles.ApplyWidthCode(code, Style, Remembered);
        FRunBegin = At + 1;
        FRunCells = CellsBefore;
    };

    size_t i = Begin;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        if (c < ' ') {
            if (EndsLine(c))
                break;
            addCode(i, FCells.size());
            ++i;
            continue;
        }
        if (!Measure) {
            ++i;
            continue;
        }
        if (c == ' ') {
            FCells.push_back({static_cast<int>(i), static_cast<int>(i + 1), 0, measure.Advance(Style, ' ')});
            ++i;
            continue;
        }
        const TMeasuredWord word = measure.Measure(Text, i, Style, &FCells, &FPieces);
        FRightToLeft |= word.RightToLeft;
        // The codes inside a word split its runs; its clusters stay whole,
        // each in the run where it begins.
        for (size_t q = i; q < word.End; ++q) {
            if (static_cast<unsigned char>(Text[q]) >= ' ')
                continue;
            size_t before = FRunCells;
            while (before < FCells.size() && FCells[before].Begin < static_cast<int>(q))
                ++before;
            addCode(q, before);
        }
        i = word.End;
    }
    CloseRun(i, Style, FCells.size());
    DropClosingSpace(Text, i);
    if (FRightToLeft)
        PlaceVisually(Text, X);
    else
        Place(X);
    return i;
}

void TLineBuilder::CloseRun(size_t At, int Style, size_t CellEnd)
{
    if (At <= FRunBegin)
        return;
    TLineEvent run;
    run.IsRun = true;
    run.Begin = static_cast<int>(FRunBegin);
    run.End = static_cast<int>(At);
    run.Style = Style;
    run.FirstCell = static_cast<int>(FRunCells);
    run.CellCount = static_cast<int>(CellEnd - FRunCells);
    FEvents.push_back(run);
}

void TLineBuilder::DropClosingSpace(std::string_view Text, size_t End)
{
    // A single space before a line break or the end of the text is not
    // drawn: the line ends at the word before it.
    const unsigned char code =
        End < Text.size() ? static_cast<unsigned char>(Text[End]) : static_cast<unsigned char>(mcEnd);
    if (code != mcEnd && code != mcLineBreak && code != mcSoftBreak)
        return;
    if (FEvents.empty() || !FEvents.back().IsRun || FEvents.back().End != static_cast<int>(End) ||
        Text[End - 1] != ' ')
        return;
    TLineEvent& run = FEvents.back();
    --run.End;
    if (!FCells.empty() && FCells.back().Begin == run.End) {
        FCells.pop_back();
        --run.CellCount;
    }
    if (run.End == run.Begin)
        FEvents.pop_back();
}

void TLineBuilder::Place(int X)
{
    int x = X;
    int word = -1;
    for (TTextCell& cell : FCells) {
        if (cell.Piece < 0) {
            cell.X = x;
            x += cell.Width;
            continue;
        }
        if (cell.Piece != word) {
            word = cell.Piece;
            FPieces[static_cast<size_t>(word)].X = x;
            x += FPieces[static_cast<size_t>(word)].Shape->Width;
        }
        cell.X += FPieces[static_cast<size_t>(word)].X;
    }
    FRight = x;
    FCellRightToLeft.assign(FCells.size(), false);
    PlaceCodes(X);
}

void TLineBuilder::PlaceVisually(std::string_view Text, int X)
{
    // The units the line is ordered in: characters measured alone, and
    // shaped words, whose clusters the shaper has already put in order.
    FUtf16.clear();
    FUnitStarts.clear();
    FUnitCells.clear();
    for (size_t k = 0; k < FCells.size();) {
        const TTextCell& cell = FCells[k];
        FUnitStarts.push_back(static_cast<uint32_t>(FUtf16.size()));
        FUnitCells.push_back(static_cast<int>(k));
        size_t next = k + 1;
        if (cell.Piece < 0) {
            AppendUtf16(FUtf16, Text, static_cast<size_t>(cell.Begin), static_cast<size_t>(cell.End));
        } else {
            const TShapedPiece& word = FPieces[static_cast<size_t>(cell.Piece)];
            AppendUtf16(FUtf16, Text, static_cast<size_t>(word.Begin), static_cast<size_t>(word.End));
            while (next < FCells.size() && FCells[next].Piece == cell.Piece)
                ++next;
        }
        k = next;
    }
    FUnitCells.push_back(static_cast<int>(FCells.size()));
    FBidi.Order(FUtf16, FUnitStarts);

    FCellRightToLeft.assign(FCells.size(), false);
    int x = X;
    for (const int32_t unit : FBidi.Visual()) {
        const auto first = static_cast<size_t>(FUnitCells[static_cast<size_t>(unit)]);
        const auto last = static_cast<size_t>(FUnitCells[static_cast<size_t>(unit) + 1]);
        const bool rightToLeft = FBidi.RightToLeft(static_cast<size_t>(unit));
        for (size_t k = first; k < last; ++k)
            FCellRightToLeft[k] = rightToLeft;
        TTextCell& cell = FCells[first];
        if (cell.Piece < 0) {
            cell.X = x;
            x += cell.Width;
            if (rightToLeft) {
                size_t at = static_cast<size_t>(cell.Begin);
                const char32_t c = NextChar(Text, at);
                cell.Mirrored = MirroredChar(c) != c;
            }
            continue;
        }
        TShapedPiece& word = FPieces[static_cast<size_t>(cell.Piece)];
        word.X = x;
        for (size_t k = first; k < last; ++k)
            FCells[k].X += x;
        x += word.Shape->Width;
    }
    FRight = x;
    PlaceCodes(X);
}

void TLineBuilder::PlaceCodes(int X)
{
    // A code stands after the character before it in the text: right of it
    // in left-to-right text, left of it in right-to-left text.
    for (TLineEvent& event : FEvents) {
        if (event.IsRun)
            continue;
        if (event.FirstCell == 0) {
            event.X = X;
            continue;
        }
        const auto previous = static_cast<size_t>(event.FirstCell - 1);
        const TTextCell& cell = FCells[previous];
        event.X = FCellRightToLeft[previous] ? cell.X : cell.X + cell.Width;
    }
}

}  // namespace lirabo
