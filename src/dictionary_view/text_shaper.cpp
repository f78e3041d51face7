#include "dictionary_view/text_shaper.h"

#include <QGlyphRun>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <vector>

#include "dictionary_view/char_class.h"

namespace lirabo {

namespace {

constexpr qreal kLineWidth = 1e6;  // wide enough for any word, within Qt's fixed-point range

}  // namespace

void TTextShaper::Reset(const std::array<QFont, 4>& Fonts, TRawFonts& Raw)
{
    FFonts = Fonts;
    FRaw = &Raw;
    for (auto& words : FPieces)
        words.clear();
}

std::shared_ptr<const TShapedText> TTextShaper::Shape(int Style, std::string_view Text,
                                                      std::span<const uint32_t> ClusterEnds)
{
    auto& words = FPieces[static_cast<size_t>(Style & 3)];
    const std::string key(Text);
    const auto found = words.find(key);
    if (found != words.end())
        return found->second;
    std::shared_ptr<const TShapedText> shaped = ShapeAfresh(Style & 3, Text, ClusterEnds);
    if (words.size() >= kMaxPieces)
        words.clear();
    words.emplace(key, shaped);
    return shaped;
}

std::shared_ptr<TShapedText> TTextShaper::ShapeAfresh(int Style, std::string_view Text,
                                                      std::span<const uint32_t> ClusterEnds)
{
    auto shaped = std::make_shared<TShapedText>();
    shaped->Clusters.resize(ClusterEnds.size());
    if (!FRaw || Text.empty())
        return shaped;

    // UTF-16 as the view reads the bytes (a damaged byte is one U+FFFD), and
    // where each byte offset falls in it.
    QString text;
    text.reserve(static_cast<qsizetype>(Text.size()));
    std::vector<int> utf16At(Text.size() + 1, 0);
    for (size_t i = 0; i < Text.size();) {
        const size_t from = i;
        const char32_t c = NextChar(Text, i);
        for (size_t j = from; j < i; ++j)
            utf16At[j] = static_cast<int>(text.size());
        text.append(QString::fromUcs4(&c, 1));
    }
    utf16At[Text.size()] = static_cast<int>(text.size());

    QTextLayout layout(text, FFonts[static_cast<size_t>(Style)]);
    QTextOption option;
    // A piece reads in one direction: the way of its first letter.
    size_t first = 0;
    option.setTextDirection(IsStrongRightToLeft(NextChar(Text, first)) ? Qt::RightToLeft : Qt::LeftToRight);
    option.setAlignment(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return shaped;
    }
    line.setLineWidth(kLineWidth);
    layout.endLayout();

    // Cluster edges where the cursor would stand before each cluster and
    // after the last, rounded once so that neighbouring clusters share them.
    std::vector<int> edges;
    edges.reserve(ClusterEnds.size() + 1);
    edges.push_back(qRound(line.cursorToX(0)));
    for (const uint32_t end : ClusterEnds)
        edges.push_back(qRound(line.cursorToX(utf16At[std::min<size_t>(end, Text.size())])));
    const int left = *std::min_element(edges.begin(), edges.end());
    const int right = *std::max_element(edges.begin(), edges.end());
    shaped->Width = right - left;
    for (size_t k = 0; k < ClusterEnds.size(); ++k) {
        const int a = edges[k] - left;
        const int b = edges[k + 1] - left;
        shaped->Clusters[k] = {std::min(a, b), std::abs(b - a)};
    }

    const qreal baseline = line.ascent();
    for (const QGlyphRun& run : line.glyphRuns()) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        if (!font.isValid() || glyphs.isEmpty() || positions.size() != glyphs.size())
            continue;
        TShapedGlyphs part;
        part.Font = FRaw->Add(font);
        part.Glyphs.assign(glyphs.begin(), glyphs.end());
        for (const QPointF& position : positions) {
            part.X.push_back(static_cast<float>(position.x() - left));
            part.Y.push_back(static_cast<float>(position.y() - baseline));
        }
        shaped->Glyphs.push_back(std::move(part));
    }
    return shaped;
}

}  // namespace lirabo
