#include <map>

#include "view_fixture.h"

namespace lirabo::testing {
namespace {

// Where each drawn byte of a walked entry stands.
class TCellRecorder : public TLineVisitor {
public:
    explicit TCellRecorder(const TEntryLayout& Layout) : FLayout(Layout) {}

    bool Run(const TTextRun& Run) override
    {
        for (const TTextCell& cell : Run.Cells)
            for (int i = cell.Begin; i < cell.End; ++i)
                Cells[i] = QRect(cell.X, Run.Y, cell.Width, FLayout.LineHeight());
        return true;
    }

    std::map<int, QRect> Cells;

private:
    const TEntryLayout& FLayout;
};

// One paint of a single entry: the picture and where its bytes stand.
struct TPaint {
    QImage Image;
    std::string Text;
    std::map<int, QRect> Cells;

    // The pixels of the first occurrence of Word, one line high.
    QImage Of(const std::string& Word) const
    {
        const size_t at = Text.find(Word);
        if (at == std::string::npos || !Cells.contains(static_cast<int>(at)))
            return {};
        QRect area = Cells.at(static_cast<int>(at));
        for (size_t i = at; i < at + Word.size(); ++i)
            area |= Cells.at(static_cast<int>(i));
        return Image.copy(area);
    }
};

struct TStyleCode {
    std::string Code;
    TFontStyles Style;
};

const TStyleCode kStyleCodes[] = {
    {kBold, fsBold}, {kItalic, fsItalic}, {kUnderline, fsUnderline}, {kStrikeOut, fsStrikeOut}};

// Each picture of toggled text is compared, word by word, with a paint in
// which the whole definition element has the style (or has none). Words are
// drawn at whole pixels, so a word looks the same wherever it stands.
class StylePaintTest : public ViewTest {
protected:
    TPaint Paint(const std::string& Definition, TFontStyles DefinitionStyle = 0)
    {
        view->Styles().SetElementStyle(deDefinition, DefinitionStyle);
        std::vector<TWordItem> items{{"h", Definition}};
        view->SetItems(items, TTextEncoding::Windows1252);
        TPaint paint;
        paint.Image = Shot();
        const TLayoutCache& cache = view->LayoutCache();
        EXPECT_EQ(cache.ProcessedFirst(), 0);
        if (cache.ProcessedCount() < 1)
            return paint;
        paint.Text = cache.Item(0).Text;
        TCellRecorder cells(view->Layout());
        TTextWalker(view->Layout()).Walk(paint.Text, cache.Item(0).Lines, kTopMargin, 0, cells);
        paint.Cells = std::move(cells.Cells);
        return paint;
    }
};

TEST_F(StylePaintTest, AToggledStyleShowsExactlyBetweenItsCodes)
{
    for (const auto& [code, style] : kStyleCodes) {
        const std::string name = StyleToLetters(style);
        const TPaint plain = Paint("ant bee");
        const TPaint styled = Paint("ant bee", style);
        ASSERT_FALSE(plain.Of("ant").isNull());
        ASSERT_FALSE(plain.Of("ant") == styled.Of("ant")) << name << " must show";

        const TPaint on = Paint(code + "ant" + code + " bee");
        EXPECT_TRUE(on.Of("ant") == styled.Of("ant")) << name << " switched on";
        EXPECT_TRUE(on.Of("bee") == plain.Of("bee")) << name << " switched off";
        // In an element that has the style, the toggle takes it away and gives it back.
        const TPaint off = Paint(code + "ant" + code + " bee", style);
        EXPECT_TRUE(off.Of("ant") == plain.Of("ant")) << name << " switched off";
        EXPECT_TRUE(off.Of("bee") == styled.Of("bee")) << name << " switched on again";
    }
}

TEST_F(StylePaintTest, AToggledStyleRunsOnAcrossAHardBreak)
{
    for (const auto& [code, style] : kStyleCodes) {
        const std::string name = StyleToLetters(style);
        const TPaint plain = Paint("ant" + kBreak + "bee cow");
        const TPaint styled = Paint("ant" + kBreak + "bee cow", style);
        const TPaint toggled = Paint(code + "ant" + kBreak + "bee" + code + " cow");
        ASSERT_NE(toggled.Cells.at(static_cast<int>(toggled.Text.find("bee"))).top(), kTopMargin)
            << "bee is on the second line";
        EXPECT_TRUE(toggled.Of("ant") == styled.Of("ant")) << name;
        EXPECT_TRUE(toggled.Of("bee") == styled.Of("bee")) << name << " on the next line";
        EXPECT_TRUE(toggled.Of("cow") == plain.Of("cow")) << name << " switched off";
    }
}

TEST_F(StylePaintTest, ALinkShowsInItsOwnStyleAndAToggledStyleResumesAfterIt)
{
    const std::string link = kLink + "elk" + kLinkEnd;
    for (const auto& [code, style] : kStyleCodes) {
        const std::string name = StyleToLetters(style);
        const TPaint plain = Paint("ant " + link + " bee cow");
        const TPaint styled = Paint("ant " + link + " bee cow", style);
        const TPaint toggled = Paint(code + "ant " + link + " bee" + code + " cow");
        EXPECT_TRUE(toggled.Of("ant") == styled.Of("ant")) << name;
        EXPECT_TRUE(toggled.Of("elk") == plain.Of("elk")) << name << " does not reach into the link";
        EXPECT_TRUE(toggled.Of("bee") == styled.Of("bee")) << name << " resumes after the link";
        EXPECT_TRUE(toggled.Of("cow") == plain.Of("cow")) << name << " switched off after the link";
        // A toggle inside the link ends with the link.
        const TPaint inside = Paint("ant " + kLink + code + "elk" + kLinkEnd + " bee cow");
        EXPECT_TRUE(inside.Of("bee") == plain.Of("bee")) << name << " toggled inside the link";
    }
}

}  // namespace
}  // namespace lirabo::testing
