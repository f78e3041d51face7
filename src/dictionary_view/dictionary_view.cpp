// The view's source, appearance and painting. Mouse handling and scrolling
// are in dictionary_view_input.cpp, the caret in dictionary_view_caret.cpp
// and the keys in dictionary_view_keys.cpp.

#include "dictionary_view/dictionary_view.h"

#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "dictionary_view/dictionary_painter.h"
#include "dictionary_view/text_walker.h"
#include "dictionary_view/view_accessible.h"

namespace lirabo {

namespace {

constexpr int kIndentGapBeforeBar = 15;  // the column edge stops this far before the bar

}  // namespace

TDictionaryView::TDictionaryView(QWidget* Parent)
    : QWidget(Parent),
      FLayout(FStyles),
      FCache(FStore, FLayout),
      FScrollBar(new QScrollBar(Qt::Vertical, this))
{
    // Every pixel outside the scroll bar is painted by the view itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    FScrollBar->setRange(0, 0);
    FScrollBar->setSingleStep(1);
    PlaceScrollBar();
    connect(FScrollBar, &QAbstractSlider::actionTriggered, this, &TDictionaryView::ScrollBarAction);
    FStore.SetOnCleared([this] { StoreCleared(); });
    FStyles.SetOnStyleChanged([this] { LayoutChanged(); });
    // Screen readers reach the view through its own accessible interface,
    // which exists only once one is active; these cost nothing before.
    TViewAccessible::Install();
    connect(this, &TDictionaryView::CaretMoved, this, [this] { TViewAccessible::NotifyCaretMoved(this); });
    connect(this, &TDictionaryView::SelectionChanged, this,
            [this] { TViewAccessible::NotifySelectionChanged(this); });
    connect(this, &TDictionaryView::LinkFocusChanged, this,
            [this] { TViewAccessible::NotifyLinkFocusChanged(this); });
}

TDictionaryView::~TDictionaryView()
{
    FStore.SetOnCleared(nullptr);
    FStyles.SetOnStyleChanged(nullptr);
}

// --- the source -------------------------------------------------------------

void TDictionaryView::OpenDictionary(const std::string& FileName)
{
    FStore.OpenDictionary(FileName);
    SyncScrollBar();
}

void TDictionaryView::OpenDictionary(std::unique_ptr<TStream> Stream)
{
    FStore.OpenDictionary(std::move(Stream));
    SyncScrollBar();
}

void TDictionaryView::SetItems(std::vector<TWordItem>& Items, TTextEncoding Encoding)
{
    FStore.SetItems(Items, Encoding);
    SyncScrollBar();
    update();
}

void TDictionaryView::SetHighlight(std::vector<std::string> Pieces)
{
    FCache.SetHighlight(std::move(Pieces));
    update();
}

void TDictionaryView::Clear()
{
    FStore.Clear();
}

void TDictionaryView::StoreCleared()
{
    FCache.Clear();
    FLinks.clear();
    FSelSaved = {};
    FSelShown.clear();
    FSelText.clear();
    FSelEntryIndex = -1;
    FRightClickedEntry = -1;
    FHotLink = -1;
    FHotRect = kNoRect;
    FTopEntry = 0;
    FTopLine = 0;
    const bool hadSelection = !Selection().Empty();
    const bool hadCaret = FCaretEntry >= 0;
    FAnchorPlain = -1;
    FMarkedEntry = -1;
    FSelectionGrew = false;
    FCaretEntry = -1;
    FCaretPlain = 0;
    SetFocusedLink(-1);
    SyncScrollBar();
    update();
    if (hadSelection)
        emit SelectionChanged();
    if (hadCaret)
        emit CaretMoved();
}

void TDictionaryView::LookUp(const std::string& S)
{
    int first = -1;
    int count = 1;
    FStore.FindWord(S, false, first, count);
    ShowEntries(first, count);
}

void TDictionaryView::FindWord(const std::string& S, bool Exact, int& First, int& Count)
{
    FStore.FindWord(S, Exact, First, Count);
}

int TDictionaryView::WildcardSearch(const std::string& Pattern, std::vector<TWordItem>& Items, int MaxCount)
{
    return FStore.WildcardSearch(Pattern, Items, MaxCount);
}

void TDictionaryView::ListRelations(int First, TRelationRows& Strings, int Count)
{
    FStore.ListRelations(First, Strings, Count);
}

void TDictionaryView::ListCurrentRelations(TRelationRows& Strings)
{
    FStore.ListCurrentRelations(Strings);
}

// --- appearance -------------------------------------------------------------

void TDictionaryView::SetIndent(int X)
{
    if (X == FLayout.Indent())
        return;
    // Before its first resize a view has no real width yet, and clamping to it
    // would lose the indent the owner restores from its settings.
    const int barLeft = FScrollBar->x();
    if (testAttribute(Qt::WA_Resized) && X >= barLeft - kIndentGapBeforeBar)
        X = barLeft - kIndentGapBeforeBar;
    FLayout.SetIndent(X > 4 ? X : kLeftMargin);
    LayoutChanged();
}

void TDictionaryView::SetEmptyText(const QString& Message)
{
    FEmptyText = Message + QLatin1Char(' ');
    if (FCache.ProcessedCount() < 1)
        update();
}

void TDictionaryView::SetColor(TColor Color)
{
    FColor = Color;
    update();
}

void TDictionaryView::SetCurrentColor(TColor Color)
{
    if (Color == FCurrentColor)
        return;
    FCurrentColor = Color;
    if (FStore.CurrentFirst() >= 0)
        update();
}

bool TDictionaryView::UpdateMetrics()
{
    FFonts.Measure(font());
    // The layout's own table of ASCII advances is taken afresh.
    FLayout.SetMetrics(&FFonts);
    if (!FFonts.Valid())
        return false;
    FMetricsValid = true;
    return true;
}

void TDictionaryView::LayoutChanged()
{
    FCache.MarkStale();
    update();
}

void TDictionaryView::changeEvent(QEvent* Event)
{
    if (Event->type() == QEvent::FontChange) {
        // Measured and laid out again at once, so that no line count taken
        // before the next paint is one of the old font.
        FMetricsValid = false;
        UpdateMetrics();
        LayoutChanged();
    }
    QWidget::changeEvent(Event);
}

int TDictionaryView::RightLimit() const
{
    return FScrollBar->x() - kLeftMargin;
}

void TDictionaryView::PlaceScrollBar()
{
    const int barWidth = FScrollBar->sizeHint().width();
    FScrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
}

void TDictionaryView::resizeEvent(QResizeEvent* Event)
{
    PlaceScrollBar();
    QWidget::resizeEvent(Event);
}

// --- painting ---------------------------------------------------------------

void TDictionaryView::paintEvent(QPaintEvent* Event)
{
    QPainter painter(this);
    try {
        Paint(painter, Event->rect());
    } catch (const std::exception&) {
        // A section that cannot be decoded shows as an empty view; nothing
        // may escape an event handler.
        FCache.Clear();
        FLinks.clear();
        painter.setClipping(false);
        painter.fillRect(QRect(0, 0, FScrollBar->x(), height()), ToQColor(FColor));
    }
    TViewAccessible::NotifyPainted(this);
}

void TDictionaryView::Paint(QPainter& Painter, const QRect& Clip)
{
    FLinks.clear();
    const QColor background = ToQColor(FColor);
    const int height = this->height();
    if (!ProcessScreen()) {
        Painter.fillRect(QRect(0, 0, FScrollBar->x(), height), background);
        return;
    }
    const int lineHeight = FLayout.LineHeight();
    const int right = RightLimit();
    const QRect clip = Clip & QRect(0, 0, right + kLeftMargin, height);
    Painter.setClipRect(clip);

    Painter.fillRect(QRect(0, 0, kLeftMargin, height), background);
    Painter.fillRect(QRect(right, 0, kLeftMargin, height), background);
    Painter.fillRect(QRect(0, 0, right, kTopMargin), background);

    const int fit = height / lineHeight + 1;
    const int count = FCache.ProcessedCount();
    // Fresh layouts come without the keyboard selection's marks.
    if (FAnchorPlain >= 0 || FMarkedEntry >= 0)
        ShowSelectionMarks();

    if (count < 1 && !FEmptyText.isEmpty()) {
        PaintEmptyText(Painter, right, height);
        return;
    }

    const TPaintColors colors{background, ToQColor(FCurrentColor), ToQColor(FSelectedColor)};
    TLinkRecorder links(lineHeight);
    TDictionaryPainter entryPainter(Painter, FLayout, FFonts, FStyles, colors, links, right, height, clip);
    const TTextWalker walker(FLayout);
    const int64_t currentFirst = FStore.CurrentFirst();
    const int64_t currentEnd = currentFirst + FStore.CurrentCount();
    int y = kTopMargin;
    int64_t lineSum = -FTopLine;
    for (int j = 0; j < count; ++j) {
        const TProcessedItem& item = FCache.Item(j);
        const int64_t entry = int64_t{FCache.ProcessedFirst()} + j;
        const bool current = currentFirst >= 0 && entry >= currentFirst && entry < currentEnd;
        const int hidden = j == 0 ? FTopLine : 0;
        entryPainter.BeginEntry(item.Text, current);
        if (current)
            entryPainter.Fill(3, y, kLeftMargin, y + (item.Lines - hidden) * lineHeight);
        y = walker.Walk(item.Text, item.Lines, y, hidden, entryPainter) + lineHeight;
        lineSum += item.Lines;
        if (lineSum >= fit || y > height)
            break;
    }
    if (y < height) {
        entryPainter.SetBackground(background);
        entryPainter.Fill(kLeftMargin, y, right, height);
    }
    FLinks = std::move(links.Links());
    FLinks.shrink_to_fit();
    PaintFocus(Painter);
}

bool TDictionaryView::ProcessScreen()
{
    if (!FMetricsValid)
        UpdateMetrics();
    const int lineHeight = FLayout.LineHeight();
    if (!FMetricsValid || lineHeight <= 0)
        return false;
    FCache.ProcessEntries(height() / lineHeight + 1, RightLimit(), FTopEntry, FTopLine);
    FStore.SetViewPosition(FTopEntry, FCache.ProcessedLines());
    // A relayout for another font or indent can leave the top entry shorter.
    if (FCache.ProcessedCount() > 0 && FTopLine >= FCache.Item(0).Lines)
        FTopLine = FCache.Item(0).Lines - 1;
    return true;
}

void TDictionaryView::PaintEmptyText(QPainter& Painter, int Right, int Height)
{
    const int lineHeight = FLayout.LineHeight();
    Painter.fillRect(QRect(kLeftMargin, kTopMargin, Right - kLeftMargin, Height - kTopMargin),
                     ToQColor(FColor));
    const TFontStyles style = FStyles.ElementStyle(deEntry);
    QFont font = FFonts.Font(style & 3);
    font.setUnderline(style & fsUnderline);
    font.setStrikeOut(style & fsStrikeOut);
    const QFontMetrics metrics(font);
    Painter.setFont(font);
    Painter.setPen(ToQColor(FStyles.ElementColor(deEntry)));

    // Word by word: a word that does not fit the rest of the line starts the
    // next one, at the left margin.
    int x = kLeftMargin;
    int y = kTopMargin;
    qsizetype start = 0;
    while (start < FEmptyText.size()) {
        qsizetype space = FEmptyText.indexOf(QLatin1Char(' '), start);
        if (space < 0)
            space = FEmptyText.size() - 1;
        const QString word = FEmptyText.mid(start, space - start);
        if (x > kLeftMargin && metrics.horizontalAdvance(word) > Right - x) {
            x = kLeftMargin;
            y += lineHeight;
        }
        const QString written = FEmptyText.mid(start, space - start + 1);
        Painter.drawText(x, y + FFonts.Ascent(), written);
        x += metrics.horizontalAdvance(written);
        start = space + 1;
    }
}

}  // namespace lirabo
