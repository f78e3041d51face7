#pragma once

#include <QString>
#include <span>
#include <vector>

#include "dictionary_view/entry_layout.h"
#include "dictionary_view/markup.h"

namespace lirabo {

// A place in an entry: Index is a byte of the entry's laid-out text with the
// selection marks left out (WithoutMarks of the layout cache's text), its
// length being the entry's end.
struct TScreenPosition {
    int Entry = -1;
    int Index = 0;
    bool operator==(const TScreenPosition&) const = default;
};

// The text a screen reader hears for what the view shows: the visible
// characters of every entry on screen, in text order, codes left out. Each
// screen line ends in "\n" (wraps and hard breaks alike, so that a reader's
// line navigation follows the screen), the byte 1 reads as a space unless the
// body starts a line of its own, and a "\n" separates entries. Offsets count
// UTF-16 units, as Qt's accessible text does.
//
// It walks the entries exactly as the painter does, so every character's
// rectangle is where it is drawn and a point maps to the character the mouse
// would hit there. Built on demand from a snapshot of the layout; it copies
// the item texts it needs, but Layout must outlive it.
class TScreenText {
public:
    explicit TScreenText(const TEntryLayout& Layout) : FLayout(Layout) {}

    // Reads Items (entries FirstEntry..., as the layout cache holds them) on a
    // screen Height pixels high whose first item has TopLine body lines
    // scrolled away; a line's end owns the space up to RightEdge (the
    // scroll bar's left edge). Lines starting at or below Height are left out.
    void Build(std::span<const TProcessedItem> Items, int FirstEntry, int TopLine, int Height, int RightEdge);
    void Clear();

    const QString& Text() const { return FText; }
    int Length() const { return static_cast<int>(FText.size()); }
    // The entries read, first and count; Count() is 0 when nothing is.
    int FirstEntry() const { return FEntries.empty() ? -1 : FEntries.front().Entry; }
    int EntryCount() const { return static_cast<int>(FEntries.size()); }

    // The offset of the character holding byte Index of Entry, or of the
    // first one after it when that byte is not read (a code, a hidden line);
    // the end of the entry's text for its end. -1 when Entry is not read.
    int OffsetOf(TScreenPosition Position) const;
    // The position of the character at Offset (inside a surrogate pair: its
    // start); past the text, the end of the last entry read. {-1, 0} when
    // nothing is read.
    TScreenPosition PositionAt(int Offset) const;
    // Where the reading of Entry stops: its text's length, or where a line
    // below the view cuts it off; -1 when Entry is not read.
    int EndOf(int Entry) const;
    // Where the character at Offset stands (client pixels), kNoRect outside
    // the text.
    TRect CharacterRect(int Offset) const;
    // The offset of the character at (X, Y), found by the view's own hit
    // test; -1 off the text.
    int OffsetAt(int X, int Y) const;

private:
    struct TChar {
        int Offset = 0;  // its first UTF-16 unit
        int Begin = 0;   // bytes [Begin, End) of its entry's text
        int End = 0;
        int Slot = 0;  // its entry in FEntries
        TRect Rect;
    };
    struct TEntry {
        int Entry = 0;
        TProcessedItem Item;  // without selection marks
        int Top = 0;          // its first line, as the walk takes it
        int Bottom = 0;       // below its last line on screen
        int Hidden = 0;
        int FirstChar = 0;  // its characters in FChars
        int EndChar = 0;
        int EndIndex = 0;  // where its reading stops: its length, or a line cut off
    };
    class TReader;

    const TEntry* EntryOf(int Entry) const;
    int CharAt(int Offset) const;

    const TEntryLayout& FLayout;
    QString FText;
    std::vector<TChar> FChars;
    std::vector<TEntry> FEntries;
    int FRightEdge = 0;
};

}  // namespace lirabo
