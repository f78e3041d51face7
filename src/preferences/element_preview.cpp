#include "preferences/element_preview.h"

#include <QMouseEvent>
#include <QPainter>

#include "dictionary_view/dictionary_painter.h"

namespace lirabo {

namespace {

constexpr int kMargin = 5;
constexpr int kDefinitionColumn = 100;
// The samples are drawn at one fixed size whatever the view's font size, so
// that they always fit the preview.
constexpr int kPreviewPixelSize = 13;

// Draws samples left to right from a pen position, each on the brush colour
// of the moment, and records where each one landed.
class TSampleWriter {
public:
    TSampleWriter(QPainter& Painter, const TDisplayLook& Look, const QFont& Font,
                  std::array<TElementPreview::TArea, TElementPreview::kAreaCount>& Areas)
        : FPainter(Painter), FLook(Look), FFont(Font), FAreas(Areas)
    {
    }

    void MoveTo(int X, int Y)
    {
        FX = X;
        FY = Y;
    }
    void MoveToX(int X) { FX = X; }
    void SetBrush(int Element) { FBrush = ToQColor(FLook.Colors[Element]); }

    // Text in the colour and style of Element, recorded as Area picking Picks.
    void Write(const QString& Text, int Element, int Area, int Picks)
    {
        QFont font = FFont;
        const TFontStyles style = FLook.Styles[Element];
        font.setBold(style & fsBold);
        font.setItalic(style & fsItalic);
        font.setUnderline(style & fsUnderline);
        font.setStrikeOut(style & fsStrikeOut);
        FPainter.setFont(font);
        const QFontMetrics metrics(font);
        const QRect rect(FX, FY, metrics.horizontalAdvance(Text), metrics.height());
        FPainter.fillRect(rect, FBrush);
        FPainter.setPen(ToQColor(FLook.Colors[Element]));
        FPainter.drawText(FX, FY + metrics.ascent(), Text);
        FAreas[Area] = {rect, Picks};
        FX = rect.right() + 1;
    }

private:
    QPainter& FPainter;
    const TDisplayLook& FLook;
    QFont FFont;
    std::array<TElementPreview::TArea, TElementPreview::kAreaCount>& FAreas;
    QColor FBrush;
    int FX = 0;
    int FY = 0;
};

enum : int { kEntry = 0, kDefinition = 1, kField = 2, kGrammar = 3, kLink = 4,
             kBackground = 5, kCurrent = 6, kSelected = 7 };

}  // namespace

TElementPreview::TElementPreview(QWidget* Parent) : QWidget(Parent)
{
    setObjectName(QStringLiteral("pntElements"));
    setCursor(Qt::PointingHandCursor);
}

void TElementPreview::SetLook(const TDisplayLook& Look)
{
    FLook = Look;
    update();
}

QFont TElementPreview::PreviewFont() const
{
    QFont font(FLook.FontName);
    font.setPixelSize(kPreviewPixelSize);
    return font;
}

QSize TElementPreview::sizeHint() const
{
    // Room for four rows and for the widest row at the definition column,
    // whatever font was chosen.
    const QFontMetrics metrics(PreviewFont());
    QFont bold = PreviewFont();
    bold.setBold(true);
    const QFontMetrics boldMetrics(bold);
    const int row = boldMetrics.horizontalAdvance(QStringLiteral("[field] n. definition"));
    return {std::max(269, kDefinitionColumn + row + kMargin),
            std::max(78, 2 * kMargin + 4 * std::max(metrics.height(), boldMetrics.height()))};
}

int TElementPreview::ElementAt(QPoint Point) const
{
    for (const TArea& area : FAreas) {
        if (area.Element >= 0 && area.Rect.contains(Point))
            return area.Element;
    }
    return -1;
}

void TElementPreview::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFont font = PreviewFont();
    const int th = QFontMetrics(font).height();
    TSampleWriter writer(painter, FLook, font, FAreas);

    writer.MoveTo(kMargin, kMargin);
    writer.SetBrush(kBackground);
    FAreas[12] = {rect(), kBackground};
    painter.fillRect(rect(), ToQColor(FLook.Colors[kBackground]));

    writer.Write(QStringLiteral("entry"), kEntry, 0, kEntry);
    writer.MoveToX(kDefinitionColumn);
    writer.Write(QStringLiteral("[field] "), kField, 1, kField);
    writer.Write(QStringLiteral("n. "), kGrammar, 2, kGrammar);
    writer.Write(QStringLiteral("definition"), kDefinition, 3, kDefinition);
    writer.MoveTo(kDefinitionColumn, kMargin + th);
    writer.Write(QStringLiteral("See "), kDefinition, 4, kDefinition);
    writer.Write(QStringLiteral("link"), kLink, 5, kLink);

    const QRect band(0, kMargin + 2 * th, width(), height() - (kMargin + 2 * th));
    FAreas[11] = {band, kCurrent};
    writer.SetBrush(kCurrent);
    painter.fillRect(band, ToQColor(FLook.Colors[kCurrent]));
    writer.MoveTo(kMargin, kMargin + 2 * th);
    writer.Write(QStringLiteral("entry"), kEntry, 6, kEntry);
    writer.MoveToX(kDefinitionColumn);
    writer.Write(QStringLiteral("[field] "), kField, 7, kField);
    writer.Write(QStringLiteral("n. "), kGrammar, 8, kGrammar);
    writer.Write(QStringLiteral("definition"), kDefinition, 9, kDefinition);
    writer.MoveTo(kDefinitionColumn, kMargin + 3 * th);
    writer.SetBrush(kSelected);
    writer.Write(QStringLiteral("Selected text "), kDefinition, 10, kSelected);
}

void TElementPreview::mousePressEvent(QMouseEvent* Event)
{
    const int element = ElementAt(Event->position().toPoint());
    if (element >= 0 && OnPick)
        OnPick(element);
}

}  // namespace lirabo
