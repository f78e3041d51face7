#include "dictionary_view/screen_text.h"

#include <algorithm>

#include "dictionary_view/char_class.h"
#include "dictionary_view/hit_test.h"
#include "dictionary_view/text_highlight.h"
#include "dictionary_view/text_walker.h"

namespace lirabo {

// Turns one walk of an entry into characters. The walk reports characters
// in text order whatever their direction, which is the order a reader
// wants; only what stands on a visible line above Bottom is read.
class TScreenText::TReader : public TLineVisitor {
public:
    TReader(TScreenText& Owner, int Bottom)
        : FOwner(Owner), FLineHeight(Owner.FLayout.LineHeight()), FBottom(Bottom)
    {
    }

    void BeginEntry(int Slot)
    {
        FSlot = Slot;
        FLineHasText = false;
        FPendingBody = -1;
        FStopped = false;
    }
    bool Stopped() const { return FStopped; }
    // Where the entry's reading ended, for the line break after it.
    TRect EndRect() const { return FEndRect; }

    void Add(char32_t Char, int Begin, int End, TRect Rect)
    {
        const int offset = static_cast<int>(FOwner.FText.size());
        if (Char >= 0x10000) {
            FOwner.FText += QChar(QChar::highSurrogate(Char));
            FOwner.FText += QChar(QChar::lowSurrogate(Char));
        } else {
            FOwner.FText += QChar(static_cast<char16_t>(Char));
        }
        FOwner.FChars.push_back({offset, Begin, End, FSlot, Rect});
    }

    bool Run(const TTextRun& Run) override
    {
        if (Run.Y >= FBottom)
            return Stop(Run.Begin);
        const std::string& text = FOwner.FEntries[static_cast<size_t>(FSlot)].Item.Text;
        for (const TTextCell& cell : Run.Cells) {
            BeforeText(Run.Y);
            const TRect rect{cell.X, Run.Y, cell.X + cell.Width, Run.Y + FLineHeight};
            // A cluster holds several characters, and may hold a code.
            for (size_t i = static_cast<size_t>(cell.Begin); i < static_cast<size_t>(cell.End);) {
                if (static_cast<unsigned char>(text[i]) < ' ') {
                    ++i;
                    continue;
                }
                const int begin = static_cast<int>(i);
                const char32_t c = NextChar(text, i);
                Add(c, begin, static_cast<int>(i), rect);
            }
        }
        return true;
    }

    bool Body(int Index, int X, int Y, bool Visible, bool /*FillGap*/) override
    {
        // A body that starts a line of its own needs no space before it.
        if (Visible && FLineHasText) {
            FPendingBody = Index;
            FBodyX = X;
            FBodyY = Y;
        }
        return true;
    }

    bool LineEnd(int Index, int X, int Y, int /*LineStart*/) override
    {
        if (Y >= FBottom)
            return Stop(Index);
        FPendingBody = -1;
        Add('\n', Index, Index + 1, {X, Y, FOwner.FRightEdge, Y + FLineHeight});
        FLineHasText = false;
        return true;
    }

    bool NextLine(int Index, unsigned char /*Code*/, int /*X*/, int Y, bool Visible,
                  int /*LineStart*/) override
    {
        return !Visible || Y < FBottom || Stop(Index);
    }

    void End(int Index, int X, int Y, bool /*Visible*/, TEnd Why) override
    {
        // The rest scrolled away under a headword of its own line: the line
        // ended there reads as the entry's end, not as a line more.
        std::vector<TChar>& chars = FOwner.FChars;
        if (Why == TEnd::Hidden && !chars.empty() && chars.back().Slot == FSlot &&
            chars.back().Begin == Index && FOwner.FText.endsWith(u'\n')) {
            chars.pop_back();
            FOwner.FText.chop(1);
        }
        FOwner.FEntries[static_cast<size_t>(FSlot)].EndIndex = Index;
        FEndRect = {X, Y, std::max(X, FOwner.FRightEdge), Y + FLineHeight};
    }

private:
    // The byte 1 reads as a space when the body goes on beside the headword.
    // When the body's first lines are scrolled away the rest of it still goes
    // on beside the headword; any other line change has had its line end.
    void BeforeText(int Y)
    {
        if (FPendingBody >= 0) {
            const int indent = FOwner.FLayout.Indent();
            if (Y == FBodyY)
                Add(' ', FPendingBody, FPendingBody + 1,
                    {FBodyX, Y, std::max(FBodyX, indent), Y + FLineHeight});
            else
                Add('\n', FPendingBody, FPendingBody + 1,
                    {FBodyX, FBodyY, FOwner.FRightEdge, FBodyY + FLineHeight});
            FPendingBody = -1;
        }
        FLineHasText = true;
    }

    bool Stop(int Index)
    {
        FOwner.FEntries[static_cast<size_t>(FSlot)].EndIndex = Index;
        FStopped = true;
        return false;
    }

    TScreenText& FOwner;
    const int FLineHeight;
    const int FBottom;
    int FSlot = 0;
    bool FLineHasText = false;
    int FPendingBody = -1;  // the byte 1 waiting to be read as a space
    int FBodyX = 0;
    int FBodyY = 0;
    bool FStopped = false;
    TRect FEndRect = kNoRect;
};

void TScreenText::Clear()
{
    FText.clear();
    FChars.clear();
    FEntries.clear();
}

void TScreenText::Build(std::span<const TProcessedItem> Items, int FirstEntry, int TopLine, int Height,
                        int RightEdge)
{
    Clear();
    FRightEdge = RightEdge;
    const int lineHeight = FLayout.LineHeight();
    if (lineHeight <= 0)
        return;

    // The entries that reach the screen, placed as the painter places them.
    int64_t y = kTopMargin - int64_t{std::max(TopLine, 0)} * lineHeight;
    for (size_t j = 0; j < Items.size(); ++j) {
        const TProcessedItem& item = Items[j];
        const int lines = std::max(item.Lines, 1);
        TEntry entry;
        entry.Entry = FirstEntry + static_cast<int>(j);
        entry.Hidden = j == 0 ? std::clamp(TopLine, 0, lines - 1) : 0;
        if (j == 0)
            y = kTopMargin - int64_t{entry.Hidden} * lineHeight;
        entry.Top = j == 0 ? kTopMargin : static_cast<int>(y);
        if (entry.Top >= Height)
            break;
        y += int64_t{lines} * lineHeight;
        entry.Bottom = static_cast<int>(std::min<int64_t>(y, INT32_MAX));
        // Selection and search marks take no room: without them the walk
        // places every character where it is painted.
        entry.Item = {WithoutMarks(item.Text), lines};
        entry.EndIndex = static_cast<int>(entry.Item.Text.size());
        FEntries.push_back(std::move(entry));
    }

    TReader reader(*this, Height);
    const TTextWalker walker(FLayout);
    TRect endRect = kNoRect;
    for (size_t j = 0; j < FEntries.size(); ++j) {
        TEntry& entry = FEntries[j];
        if (j > 0) {
            TEntry& before = FEntries[j - 1];
            reader.Add('\n', before.EndIndex, before.EndIndex + 1, endRect);
            before.EndChar = static_cast<int>(FChars.size());
        }
        entry.FirstChar = static_cast<int>(FChars.size());
        reader.BeginEntry(static_cast<int>(j));
        walker.Walk(entry.Item.Text, entry.Item.Lines, entry.Top, entry.Hidden, reader);
        entry.EndChar = static_cast<int>(FChars.size());
        endRect = reader.EndRect();
        if (reader.Stopped()) {
            FEntries.resize(j + 1);
            break;
        }
    }
}

const TScreenText::TEntry* TScreenText::EntryOf(int Entry) const
{
    if (FEntries.empty() || Entry < FEntries.front().Entry)
        return nullptr;
    const size_t slot = static_cast<size_t>(Entry - FEntries.front().Entry);
    return slot < FEntries.size() ? &FEntries[slot] : nullptr;
}

int TScreenText::CharAt(int Offset) const
{
    if (Offset < 0 || Offset >= Length())
        return -1;
    const auto after = std::partition_point(FChars.begin(), FChars.end(),
                                            [Offset](const TChar& C) { return C.Offset <= Offset; });
    return static_cast<int>(after - FChars.begin()) - 1;
}

int TScreenText::OffsetOf(TScreenPosition Position) const
{
    const TEntry* entry = EntryOf(Position.Entry);
    if (!entry)
        return -1;
    const auto first = FChars.begin() + entry->FirstChar;
    const auto end = FChars.begin() + entry->EndChar;
    const auto at = std::partition_point(first, end, [&](const TChar& C) { return C.End <= Position.Index; });
    if (at != end)
        return at->Offset;
    return entry->EndChar < static_cast<int>(FChars.size())
               ? FChars[static_cast<size_t>(entry->EndChar)].Offset
               : Length();
}

TScreenPosition TScreenText::PositionAt(int Offset) const
{
    if (FEntries.empty())
        return {};
    const int c = CharAt(std::max(Offset, 0));
    if (c < 0)
        return {FEntries.back().Entry, FEntries.back().EndIndex};
    const TChar& ch = FChars[static_cast<size_t>(c)];
    return {FEntries[static_cast<size_t>(ch.Slot)].Entry, ch.Begin};
}

int TScreenText::EndOf(int Entry) const
{
    const TEntry* entry = EntryOf(Entry);
    return entry ? entry->EndIndex : -1;
}

TRect TScreenText::CharacterRect(int Offset) const
{
    const int c = CharAt(Offset);
    return c < 0 ? kNoRect : FChars[static_cast<size_t>(c)].Rect;
}

int TScreenText::OffsetAt(int X, int Y) const
{
    for (size_t j = 0; j < FEntries.size(); ++j) {
        const TEntry& entry = FEntries[j];
        if (Y < entry.Top || Y >= entry.Bottom)
            continue;
        const THit hit = HitTest(FLayout, entry.Item, X, Y, entry.Top, entry.Hidden, FRightEdge);
        return hit.Index < 0 ? -1 : OffsetOf({entry.Entry, hit.Index});
    }
    return -1;
}

}  // namespace lirabo
