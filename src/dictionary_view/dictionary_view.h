#pragma once

#include <QScrollBar>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/dictionary_store.h"
#include "dictionary_view/dictionary_styles.h"
#include "dictionary_view/entry_layout.h"
#include "dictionary_view/font_set.h"
#include "dictionary_view/layout_cache.h"
#include "dictionary_view/link_recorder.h"

class QPainter;
class QKeyEvent;

namespace lirabo {

// The view of one source of entries: it lays entries out by element, paints
// them with the current entries on their own background, selects text by
// dragging, picks a word on a right click, follows links, moves the
// definition column by dragging its edge, and scrolls by line, page, wheel
// and its own scroll bar (which counts entries, not lines).
//
// It composes one store (the open dictionary or entry list) and reports to
// its owner only through the four On... callbacks, each raised only when set.
// What it shows and hands on (the callbacks' texts, highlights) is UTF-8,
// whatever the encoding of the file; what it passes to the store (LookUp,
// FindWord, WildcardSearch) is in the store's encoding (Encoding()), as the
// store takes it.
//
// The operations that search or lay out may raise what the store raises (a
// bzip2 error, a stream-read error, EAbort); the view's own event handling
// (painting, mouse, wheel, scroll bar, keys) never lets one escape.
//
// From the keyboard it keeps a caret in one entry's text, which the arrows,
// Home/End and the page keys move (Shift selecting within the entry), Tab
// walks the links on screen, and the menu key and Alt+Left/Right reach what
// the right button and the column edge do.
class TDictionaryView : public QWidget {
    Q_OBJECT

public:
    explicit TDictionaryView(QWidget* Parent = nullptr);
    ~TDictionaryView() override;

    // --- the source ---------------------------------------------------------

    // Opens a dictionary file; raises on any failure, leaving the view empty.
    void OpenDictionary(const std::string& FileName);
    // The same over a stream the view takes over.
    void OpenDictionary(std::unique_ptr<TStream> Stream);
    // Shows an entry list and takes it over (Items is left empty). An empty
    // list leaves the view empty. Encoding is that of the file the entries
    // came from.
    void SetItems(std::vector<TWordItem>& Items, TTextEncoding Encoding);
    // Closes whatever is open; the current range stays.
    void Clear();

    // Makes the entries of S (or the nearest after it) current and centres
    // them. Raises what the search raises; the current range then stays.
    void LookUp(const std::string& S);
    // Makes entries First..First+Count-1 current and scrolls them to the middle.
    void ShowEntries(int First, int Count);
    // The store's searches and relation listings, as TDictionaryStore states
    // them; they change nothing on screen.
    void FindWord(const std::string& S, bool Exact, int& First, int& Count);
    int WildcardSearch(const std::string& Pattern, std::vector<TWordItem>& Items, int MaxCount);
    void ListRelations(int First, TRelationRows& Strings, int Count);
    void ListCurrentRelations(TRelationRows& Strings);

    TDictionaryStore& Store() { return FStore; }
    // The encoding of what is open: the store's searches take text in it.
    TTextEncoding Encoding() const { return FStore.Rule().Encoding(); }
    const TDictionaryHeader& Header() const { return FStore.Header(); }
    int EntryCount() const { return FStore.EntryCount(); }
    int CurrentFirst() const { return FStore.CurrentFirst(); }
    int CurrentCount() const { return FStore.CurrentCount(); }

    // --- scrolling ----------------------------------------------------------

    // Scrolls by N lines (negative: toward the start), moving the pixels that
    // stay and repainting only what is uncovered and the pinned headword.
    void ScrollLines(int N);
    // Scrolls by N times the lines that fit in the view.
    void ScrollPages(int N);

    enum TScrollCode {
        scLineUp,
        scLineDown,
        scPageUp,
        scPageDown,
        scPosition,
        scTrack,
        scTop,
        scBottom,
        scEndScroll
    };
    // The scroll bar's notification; the bar's unit is one entry. Position is
    // set to the top entry on return.
    void ScrollBarScroll(TScrollCode Code, int& Position);

    // Lays out the entries the screen shows now, as the next paint will, so
    // that what is read out between paints is what will be painted. False
    // while the font cannot be measured. Raises what the store raises.
    bool ProcessScreen();

    int TopEntry() const { return FTopEntry; }
    int TopLine() const { return FTopLine; }
    // The lines entry Index takes (or would take) in this view.
    int EntryLineCount(int Index) { return FCache.EntryLineCount(Index, CountWidth()); }

    // --- appearance ---------------------------------------------------------

    // Moves the definition column to x, kept between the left margin and 15
    // pixels before the scroll bar (once the view has its size).
    void SetIndent(int X);
    int Indent() const { return FLayout.Indent(); }
    // The message shown while nothing is laid out (a space is added).
    void SetEmptyText(const QString& Message);
    QString EmptyText() const { return FEmptyText; }

    // Background of the view and of ordinary entries; repaints.
    void SetColor(TColor Color);
    TColor Color() const { return FColor; }
    // Background of the current entries; repaints when some are current.
    void SetCurrentColor(TColor Color);
    TColor CurrentColor() const { return FCurrentColor; }
    // Background of selected text; shows at the next selection.
    void SetSelectedColor(TColor Color) { FSelectedColor = Color; }
    TColor SelectedColor() const { return FSelectedColor; }
    // Colour and style of the five text elements. A style change lays the
    // entries out again at once.
    TDictionaryStyles& Styles() { return FStyles; }

    // Shows these texts (UTF-8, matched on whole characters without regard
    // to case) in the selection colour wherever they occur in the plain text
    // of an entry; empty for none. Repaints.
    void SetHighlight(std::vector<std::string> Pieces);
    const std::vector<std::string>& Highlight() const { return FCache.Highlight(); }

    // Measures the view's font for the layout; false when it cannot.
    bool UpdateMetrics();

    // --- the keyboard -------------------------------------------------------

    // Where the caret stands: an entry number (-1 before there is one) and a
    // byte of that entry's laid-out text with the selection marks left out
    // (WithoutMarks of the cache item's Text), at a character boundary; the
    // text's length for its end.
    struct TCaret {
        int Entry = -1;
        int Index = 0;
        bool operator==(const TCaret&) const = default;
    };
    // Bytes [Begin, End) of one entry, in the caret's coordinates; none when Begin == End.
    struct TTextRange {
        int Entry = -1;
        int Begin = 0;
        int End = 0;
        bool Empty() const { return Begin >= End; }
    };

    // None of these raise: an entry the store cannot read leaves the caret
    // and the selection as they were.
    TCaret Caret() const;
    // Moves the caret, ends a keyboard selection, scrolls the caret into view, repaints.
    void SetCaret(TCaret Caret);
    // The keyboard selection (the mouse's lives only while a button is held).
    TTextRange Selection() const;
    // Selects Range (one entry) and puts the caret at its end.
    void SetSelection(TTextRange Range);
    // Puts the caret at the start of the first current entry (the top entry
    // when none is current), scrolls it into view and gives the view the focus.
    void FocusCurrentEntry();
    // The link that has the keyboard: an index into Links(), -1 for none. Enter then follows it.
    int FocusedLink() const { return FFocusedLink; }
    bool LinkFocused() const { return FocusedLink() >= 0; }
    // Gives link Index (into Links()) the keyboard and the caret its start.
    void FocusLink(int Index);
    // Where the menu of the last OnRightClick / OnLinkRightClick belongs, in
    // global coordinates: the pointer for a click, below the caret (or the link) for a key.
    QPoint MenuPoint() const { return FMenuPoint; }
    // The first line of the first current entry as a reader hears it: the
    // headword, a space, then the body up to its first hard line break,
    // mark-up left out, at most about 300 characters (cut at a word); empty when
    // none is current. Read from the store, so it works before any paint.
    QString CurrentEntryLine() const;
    // The rectangle of the caret in client pixels (invalid when it is not on screen).
    QRect CaretRect() const;

    // --- what tests and the owner may inspect -------------------------------

    const TEntryLayout& Layout() const { return FLayout; }
    const TLayoutCache& LayoutCache() const { return FCache; }
    const std::vector<TLinkRect>& Links() const { return FLinks; }
    QScrollBar* ScrollBar() const { return FScrollBar; }
    // The entry number of the last right click on text, -1 before any.
    int RightClickedEntry() const { return FRightClickedEntry; }
    // Whether that click picked a word of the definition (else of the headword).
    bool RightClickInDefinition() const { return FRightClickInDefinition; }
    // The right limit of text: 5 pixels left of the scroll bar.
    int RightLimit() const;

    // --- events -------------------------------------------------------------

    // The left button was released after selecting text.
    std::function<void(const std::string& Text)> OnTextSelected;
    // The right button was released on text: the entry's text (headword,
    // byte 1, body, without mark-up) and the word picked (empty on a delimiter).
    // While it runs, RightClickedEntry() is the entry's number.
    std::function<void(const std::string& EntryText, const std::string& Word)> OnRightClick;
    // The left or middle button was released after a press on a link.
    std::function<void(const std::string& Link)> OnLinkClick;
    // The right button was released after a press on a link.
    std::function<void(const std::string& Link)> OnLinkRightClick;

signals:
    void CaretMoved();        // the caret moved (by key, click, SetCaret or a new lookup)
    void SelectionChanged();  // the keyboard selection changed
    void LinkFocusChanged();  // FocusedLink() changed

protected:
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void changeEvent(QEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void keyReleaseEvent(QKeyEvent* Event) override;
    void contextMenuEvent(QContextMenuEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;
    bool focusNextPrevChild(bool Next) override;

private:
    enum TMouseMode { mmNone = 0, mmSelect = 1, mmWordMenu = 2, mmLink = 4, mmLinkMenu = 5, mmIndent = 6 };

    void Paint(QPainter& Painter, const QRect& Clip);
    void PaintEmptyText(QPainter& Painter, int Right, int Height);
    void StoreCleared();
    void LayoutChanged();
    void SetTopEntry(int Entry, int Line);
    void SyncScrollBar();
    int CountWidth() const;
    void ScrollBarAction(int Action);
    void PlaceScrollBar();

    int LinkAt(int X, int Y) const;
    void Press(Qt::MouseButton Button, int X, int Y);
    void Move(int X, int Y);
    void Release();
    void MoveSelection(int X, int Y);
    void MarkSelection(std::string Marked);
    // Text with the selection codes around its bytes [Begin, End).
    static std::string Marked(const std::string& Text, size_t Begin, size_t End);
    TProcessedItem* SelectedItem();
    // The text between the selection marks of Marked, as the view hands a
    // selection on: byte 1 read as a space, codes left out, showable UTF-8.
    static std::string SelectedText(const std::string& Marked);

    // The caret's entry laid out as on screen, without marks. May raise.
    std::string CaretText(int Entry) const;
    // Puts the caret on byte Laid of Entry's laid-out Text; Extend keeps (or
    // starts) the keyboard selection, else it ends. Scrolls the caret into view.
    // Scroll false leaves the view where it is (the caret is on screen already).
    void PlaceCaret(int Entry, const std::string& Text, int Laid, bool Extend, bool Scroll = true);
    void DropSelection();
    // Puts the keyboard selection's marks into its cache item (and takes them
    // out of any other), as the mouse's selection shows.
    void ShowSelectionMarks();
    void HandOnSelection();
    void ScrollToCaret();
    // Where entry Entry's first line is on screen and how many of its body
    // lines are scrolled away; false when it is not laid out on screen.
    bool EntryOnScreen(int Entry, int& Top, int& Hidden) const;
    void PaintFocus(QPainter& Painter);
    void SetFocusedLink(int Index);

    bool HandleKey(QKeyEvent* Event);
    bool MoveByKey(int Key, Qt::KeyboardModifiers Modifiers);
    void MoveLines(int N, bool Extend);
    void KeyMenu();
    bool StepLink(bool Next);

    TDictionaryStore FStore;
    TDictionaryStyles FStyles;
    TEntryLayout FLayout;
    TLayoutCache FCache;
    TFontSet FFonts;
    bool FMetricsValid = false;
    QScrollBar* FScrollBar;  // a child: Qt's parent ownership frees it

    int FTopEntry = 0;
    int FTopLine = 0;
    std::vector<TLinkRect> FLinks;
    QString FEmptyText;
    TColor FColor = 0xFFFFFF;
    TColor FCurrentColor = 0;
    TColor FSelectedColor = 0;

    TMouseMode FMouseMode = mmNone;
    int FMouseAnchor = -1;
    int FMouseAnchorEnd = -1;  // the byte after the character at the anchor
    int FRightClickedEntry = -1;
    bool FRightClickInDefinition = false;
    int FSelEntryIndex = -1;      // the entry number of the item being selected in
    uint64_t FSelGeneration = 0;  // the cache generation the selection belongs to
    TProcessedItem FSelSaved;     // the item as it was at the press, without marks
    std::string FSelShown;        // its text as shown at the press, search highlights and all
    std::string FSelText;         // the item's text with the selection marks
    TRect FSelEntryRect = kNoRect;
    int FSelHidden = 0;  // hidden body lines of the selected item
    int FHotLink = -1;
    TRect FHotRect = kNoRect;
    std::string FPressedLink;  // the text of the link pressed

    // The caret and the keyboard selection are kept in the entry's text
    // without soft breaks, so that a new layout (another width, indent or
    // font) leaves them on the same characters.
    int FCaretEntry = -1;
    int FCaretPlain = 0;
    bool FCaretBeforeBreak = false;  // at the end of a wrapped line rather than the start of the next
    int FAnchorPlain = -1;         // the other end of the keyboard selection, -1 without one
    int FMarkedEntry = -1;         // the entry whose cache item shows the keyboard selection
    bool FSelectionGrew = false;   // grown since it was last handed on
    int FFocusedLink = -1;
    QPoint FMenuPoint;
};

}  // namespace lirabo
