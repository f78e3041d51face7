// The view with real fonts on text of other scripts: what a reader selects,
// picks and sees.

#include <random>

#include "dictionary/utf8_text.h"
#include "dictionary_view/text_walker.h"
#include "view_fixture.h"

namespace lirabo::testing {
namespace {

class ScriptViewTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        view->OnTextSelected = [this](const std::string& Text) { Selected.push_back(Text); };
        view->OnRightClick = [this](const std::string&, const std::string& Word) { Picked.push_back(Word); };
    }

    void Show(const std::string& Headword, const std::string& Body)
    {
        std::vector<TWordItem> items{{Headword, Body}};
        view->SetItems(items, TTextEncoding::Utf8);
        Shot();
    }

    const std::string& Text() const { return view->LayoutCache().Item(0).Text; }

    // Where each character of entry 0 stands, by its first byte.
    std::map<int, QRect> Cells() const
    {
        struct TLog : TLineVisitor {
            bool Run(const TTextRun& Run) override
            {
                for (const TTextCell& cell : Run.Cells)
                    Cells[cell.Begin] = QRect(cell.X, Run.Y, cell.Width, 1);
                return true;
            }
            std::map<int, QRect> Cells;
        } log;
        const TProcessedItem& item = view->LayoutCache().Item(0);
        TTextWalker(view->Layout()).Walk(item.Text, item.Lines, kTopMargin, 0, log);
        return log.Cells;
    }

    QRect CellOf(const std::string& Character) const
    {
        const size_t at = Text().find(Character);
        return at == std::string::npos ? QRect() : Cells()[static_cast<int>(at)];
    }

    void Drag(QPoint From, QPoint To)
    {
        QTest::mousePress(view.get(), Qt::LeftButton, {}, From);
        QTest::mouseMove(view.get(), To);
        QTest::mouseRelease(view.get(), Qt::LeftButton, {}, To);
    }

    void RightClick(QPoint At)
    {
        QTest::mousePress(view.get(), Qt::RightButton, {}, At);
        QTest::mouseRelease(view.get(), Qt::RightButton, {}, At);
    }

    std::vector<std::string> Selected;
    std::vector<std::string> Picked;
};

struct TSelectCase {
    const char* Name;
    std::string Body;
    std::string From;  // pressed on the first character of its first occurrence
    std::string To;    // released on the first character of its first occurrence
    std::string Selected;
    std::string Picked;  // what a right click where the drag started picks
};

TEST_F(ScriptViewTest, SelectionAndWordPickTakeWholeCharactersAndClusters)
{
    const TSelectCase cases[] = {
        {"Polish", "Żółw błotny, zażółć", "bł", "y", "błotny", "błotny"},
        {"one two-byte letter", "Żółw błotny", "ł", "ł", "ł", "Żółw"},
        {"Greek", "λόγος καλός", "λόγ", "ς ", "λόγος", "λόγος"},
        {"Cyrillic", "большой дом", "дом", "м", "дом", "дом"},
        {"Japanese", "日本語の辞書です", "辞", "書", "辞書", "辞書"},
        {"a letter with a combining accent", "cafe\u0301 noir", "e\u0301", "e\u0301", "e\u0301",
         "cafe\u0301"},
        {"Arabic, dragged right to left", "كتاب أكثر رواجا", "كتاب", "ب", "كتاب", "كتاب"},
    };
    for (const TSelectCase& c : cases) {
        Show("h", c.Body);
        Selected.clear();
        Picked.clear();
        const QPoint from = PointOf(0, static_cast<int>(Text().find(c.From)));
        Drag(from, PointOf(0, static_cast<int>(Text().find(c.To))));
        ASSERT_EQ(Selected.size(), 1u) << c.Name;
        EXPECT_EQ(Selected[0], c.Selected) << c.Name;
        RightClick(from);
        ASSERT_EQ(Picked.size(), 1u) << c.Name;
        EXPECT_EQ(Picked[0], c.Picked) << c.Name;
    }
}

TEST_F(ScriptViewTest, ArabicJoinsAndReadsFromTheRight)
{
    Show("h", "كتاب أكثر رواجا");
    // The first word stands rightmost, its first letter at its right end.
    const QRect kaf = CellOf("كتاب");
    const QRect lastAlif = Cells()[static_cast<int>(Text().rfind("ا"))];
    EXPECT_GT(kaf.left(), lastAlif.left());
    EXPECT_GT(CellOf("ب").left(), CellOf("أ").left());
    // Joined letters: the word is narrower than its letters drawn alone.
    int alone = 0;
    for (const char* letter : {"ك", "ت", "ا", "ب"}) {
        Show("h", letter);
        alone += CellOf(letter).width();
    }
    Show("h", "كتاب");
    int joined = 0;
    for (const auto& [begin, cell] : Cells())
        if (begin > 1)
            joined += cell.width();
    EXPECT_LT(joined, alone);
}

TEST_F(ScriptViewTest, CharactersNoFontHasShowAsABoxOrReplacementAndCanBeSelected)
{
    // Qt says once per font that it cannot shape a script no font has.
    static QtMessageHandler previous = nullptr;
    previous =
        qInstallMessageHandler([](QtMsgType Type, const QMessageLogContext& Context, const QString& Message) {
            if (!Message.contains(QLatin1String("OpenType support missing")))
                previous(Type, Context, Message);
        });
    // Yi stands alone and Devanagari is shaped; neither is in any font here.
    for (const std::string missing : {"\xEA\x80\x80", "\xE0\xA4\x95"}) {
        Show("h", "a" + missing + "b");
        const QRect cell = CellOf(missing);
        ASSERT_GT(cell.width(), 0);
        const QImage image = Shot();
        const QRect drawn(cell.left(), kTopMargin, cell.width(), LineHeight());
        EXPECT_LT(CountPixels(image, drawn, Rgb(0xFFFFFF)), drawn.width() * drawn.height())
            << "something shows";
        Selected.clear();
        Drag(PointOf(0, static_cast<int>(Text().find(missing))),
             PointOf(0, static_cast<int>(Text().find(missing))));
        ASSERT_EQ(Selected.size(), 1u);
        EXPECT_EQ(Selected[0], missing);
    }
    qInstallMessageHandler(previous);
}

TEST_F(ScriptViewTest, JapaneseWithoutSpacesWrapsInsideTheView)
{
    std::string body;
    for (int i = 0; i < 12; ++i)
        body += "日本語の辞書です。";
    Show("日本", body);
    EXPECT_GT(view->LayoutCache().Item(0).Lines, 3);
    const std::map<int, QRect> cells = Cells();
    for (const auto& [begin, cell] : cells)
        EXPECT_LE(cell.right() + 1, view->RightLimit()) << begin;
    // No line starts with a full stop.
    const std::string& text = Text();
    for (size_t at = text.find('\x0E'); at != std::string::npos; at = text.find('\x0E', at + 1))
        EXPECT_NE(text.compare(at + 1, 3, "。"), 0);
}

TEST_F(ScriptViewTest, HighlightsShowOnThePolishWordInAnyCase)
{
    view->SetHighlight({"żółw"});
    Show("żółw", "Żółw błotny");
    const std::string& text = Text();
    EXPECT_NE(text.find("\x0B\xC5\xBC\xC3\xB3\xC5\x82w\x0C"), std::string::npos);
    EXPECT_NE(text.find("\x0B\xC5\xBB\xC3\xB3\xC5\x82w\x0C"), std::string::npos);
    const QRect word = CellOf("Żółw") | CellOf("w b");
    EXPECT_GT(CountPixels(Shot(), QRect(word.left(), kTopMargin, 20, LineHeight()), Rgb(0xFCC898)), 20);
}

TEST_F(ScriptViewTest, RandomBytesNeverCrashAndWhatTheViewHandsOnIsUtf8)
{
    std::mt19937 random(23);
    const std::vector<std::string> pool = {
        "a", " ", "\x03", "\x09",   "\x0D", "\x0F", "\xC5", "\x80",         "\xE6\x97", "ż",
        "λ", "א", "ب",    "\u0301", "日",   "。",   "ก",    "\xEA\x80\x80", "(",        "\x01"};
    std::vector<std::string> links;
    view->OnLinkClick = [&](const std::string& Link) { links.push_back(Link); };
    for (int round = 0; round < 40; ++round) {
        std::vector<TWordItem> items;
        for (int e = 0; e < 3; ++e) {
            std::string word, body;
            for (int p = static_cast<int>(random() % 8); p > 0; --p)
                word += pool[random() % pool.size()];
            for (int p = static_cast<int>(random() % 80); p > 0; --p)
                body += pool[random() % pool.size()];
            items.push_back({word, body});
        }
        view->SetItems(items, round % 2 ? TTextEncoding::Utf8 : TTextEncoding::Windows1252);
        Shot();
        for (int click = 0; click < 6; ++click) {
            const QPoint a(static_cast<int>(random() % 600), static_cast<int>(random() % 120));
            const QPoint b(static_cast<int>(random() % 600), static_cast<int>(random() % 120));
            Drag(a, b);
            RightClick(b);
        }
    }
    for (const std::vector<std::string>* texts : {&Selected, &Picked, &links})
        for (const std::string& text : *texts)
            EXPECT_EQ(FindInvalidUtf8(text), std::string::npos);
    EXPECT_FALSE(Selected.empty());
}

}  // namespace
}  // namespace lirabo::testing
