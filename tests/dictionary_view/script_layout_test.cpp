// Layout, hit testing, word picks and highlights of text in other scripts
// than Latin, with metrics by simple rules (test_metrics.h): letters 10
// pixels, bold letters 20, spaces 10, characters of scripts without spaces
// twice a letter; shaped clusters a letter each, right-to-left words from
// the right. Lines are 20 high, the body column is at x = 100.

#include <gtest/gtest.h>

#include <random>

#include "dictionary/utf8_text.h"
#include "dictionary_view/hit_test.h"
#include "dictionary_view/link_recorder.h"
#include "dictionary_view/text_highlight.h"
#include "dictionary_view/text_walker.h"
#include "dictionary_view/word_pick.h"
#include "test_metrics.h"

namespace lirabo {
namespace {

using testing::Markup;
using testing::TFakeMetrics;
using testing::UniformMetrics;

constexpr int kBarLeft = 400;

class ScriptLayoutTest : public ::testing::Test {
protected:
    ScriptLayoutTest() : layout(styles)
    {
        layout.SetMetrics(&metrics);
        layout.SetIndent(100);
    }

    TProcessedItem Wrap(const std::string& Text, int W)
    {
        TProcessedItem item;
        layout.WrapEntry(item, Text, W);
        EXPECT_EQ(layout.CountLines(Text, W), item.Lines) << "counting and wrapping disagree: " << Text;
        return item;
    }

    THit Hit(const TProcessedItem& Item, int X, int Y)
    {
        return HitTest(layout, Item, X, Y, kTopMargin, 0, kBarLeft);
    }

    TFakeMetrics metrics = UniformMetrics(10, 20, 20);
    TDictionaryStyles styles;
    TEntryLayout layout;
};

struct TWrapCase {
    const char* Name;
    std::string Text;  // Markup(): '|' body, '/' hard break, '~' soft break
    int W;
    std::string Expected;
};

TEST_F(ScriptLayoutTest, WrapsCharactersNotBytes)
{
    const TWrapCase cases[] = {
        // Seven characters from the column: 100..170, "gęślą " to 230, "jaźń" to 270.
        {"Polish fits", "h|zażółć gęślą jaźń", 270, "h|zażółć gęślą jaźń"},
        {"Polish wraps at its space", "h|zażółć gęślą jaźń", 269, "h|zażółć gęślą ~jaźń"},
        {"Greek", "h|καλός λόγος", 210, "h|καλός λόγος"},
        {"Greek wraps", "h|καλός λόγος", 209, "h|καλός ~λόγος"},
        {"Cyrillic", "h|большой дом", 209, "h|большой ~дом"},
        // Japanese characters are 20 wide: four fit from 100 to 180.
        {"Japanese breaks between characters", "h|日本語の辞書", 180, "h|日本語の~辞書"},
        {"Japanese takes several lines", "h|日本語の辞書です", 140, "h|日本~語の~辞書~です"},
        // The full stop (a letter wide) would end at 170.
        {"no break before a closing mark", "h|日本語。日本", 165, "h|日本~語。日~本"},
        {"no break after an opening bracket", "h|日本「語」", 160, "h|日本~「語」"},
        {"Chinese after Latin", "h|see 中文词典", 190, "h|see 中文~词典"},
        {"Korean syllables", "h|한국어사전", 180, "h|한국어사~전"},
        // A word with no break before it on its line runs past the limit.
        {"a word longer than the line", "h|supercalifragilistic tail", 200, "h|supercalifragilistic ~tail"},
        {"a long word after a hard break", "h|aa/supercalifragilistic", 200, "h|aa/supercalifragilistic"},
        {"Latin beside Japanese breaks only beside Japanese", "h|日本well-known", 200, "h|日本~well-known"},
        {"a code between two characters stays on the first line", "h|日本\x03語\x03", 160,
         "h|日本~\x03語\x03"},
    };
    for (const TWrapCase& c : cases) {
        const TProcessedItem item = Wrap(Markup(c.Text), c.W);
        EXPECT_EQ(item.Text, Markup(c.Expected)) << c.Name;
        const auto breaks =
            std::count_if(c.Expected.begin(), c.Expected.end(), [](char b) { return b == '~' || b == '/'; });
        EXPECT_EQ(item.Lines, static_cast<int>(breaks) + 1) << c.Name;
    }
}

TEST_F(ScriptLayoutTest, ShapedWordsAreMeasuredWholeAndThaiBreaksBetweenWords)
{
    // "é" as e and a combining accent is one cluster: three clusters, 30
    // wide, then the space and "x" end at 150.
    EXPECT_EQ(Wrap(Markup("h|e\u0301te\u0301 x"), 150).Text, Markup("h|e\u0301te\u0301 x"));
    EXPECT_EQ(Wrap(Markup("h|e\u0301te\u0301 x"), 149).Text, Markup("h|e\u0301te\u0301 ~x"));
    // Thai has no spaces between words: lines break between words only.
    const TProcessedItem thai = Wrap(Markup("h|ภาษาไทยง่ายมาก"), 150);
    EXPECT_EQ(thai.Text, Markup("h|ภาษา~ไทย~ง่าย~มาก"));
    EXPECT_GT(metrics.Shaped, 0);
}

// The cell a walk puts each character in, by its first byte.
class TCellLog : public TLineVisitor {
public:
    bool Run(const TTextRun& Run) override
    {
        for (const TTextCell& cell : Run.Cells)
            Cells[cell.Begin] = cell;
        return true;
    }
    std::map<int, TTextCell> Cells;
};

struct THitCase {
    const char* Name;
    std::string Text;
    int X;
    std::string Hit;  // the characters hit, "" for none
};

TEST_F(ScriptLayoutTest, HitsFollowWhatStandsUnderThePointWholeCharactersAndClusters)
{
    // Hebrew "אבג דהו" reads from the right: "דהו" stands at 100..130, the
    // space at 130..140 and "אבג" at 140..170, א rightmost.
    const THitCase cases[] = {
        {"two-byte letters", "h|zażółć", 125, "ż"},
        {"the next one", "h|zażółć", 131, "ó"},
        {"right edge belongs to the character", "h|zażółć", 130, "ż"},
        {"combining mark with its base", "h|e\u0301te\u0301", 105, "e\u0301"},
        {"the mark's cluster at its right edge", "h|e\u0301te\u0301", 130, "e\u0301"},
        {"the first Hebrew word stands rightmost", "h|אבג דהו", 165, "א"},
        {"its last letter", "h|אבג דהו", 145, "ג"},
        {"the space between", "h|אבג דהו", 135, " "},
        {"the second word's last letter stands leftmost", "h|אבג דהו", 105, "ו"},
        {"numbers keep their order inside", "h|אבג 12", 105, "1"},
        {"Latin after Hebrew", "h|אב cd", 135, "c"},
        {"a full stop after Hebrew stands at the line's right end", "h|אב.", 125, "."},
        {"a full stop inside Hebrew follows its word", "h|אב. גד", 105, "ד"},
        {"four-byte characters", "h|𝄞𝄢", 115, "𝄢"},
        {"a damaged byte is one character", "h|a\xC5z", 115, "\xC5"},
    };
    for (const THitCase& c : cases) {
        const TProcessedItem item{Markup(c.Text), 1};
        const THit hit = Hit(item, c.X, 10);
        ASSERT_GE(hit.Index, 0) << c.Name;
        EXPECT_EQ(item.Text.substr(static_cast<size_t>(hit.Index), static_cast<size_t>(hit.End - hit.Index)),
                  c.Hit)
            << c.Name;
        EXPECT_EQ(hit.Rect.Right - hit.Rect.Left, 10) << c.Name;
    }
}

TEST_F(ScriptLayoutTest, ARightToLeftRunIsPlacedInVisualOrderAcrossCodesAndLinks)
{
    // A selection mark or a link inside the run changes nothing of its order.
    for (const std::string text : {"h|אבג דהו", "h|א{בג ד}הו", "h|אבג [דהו]"}) {
        const std::string laidOut = Markup(text);
        TCellLog log;
        TTextWalker(layout).Walk(laidOut, 1, kTopMargin, 0, log);
        std::string visual;
        for (int x = 100; x < 170; x += 10)
            for (const auto& [begin, cell] : log.Cells)
                if (cell.X == x)
                    visual += laidOut.substr(static_cast<size_t>(cell.Begin),
                                             static_cast<size_t>(cell.End - cell.Begin));
        EXPECT_EQ(visual, "והד גבא") << text;
    }
    // Brackets in right-to-left order are drawn mirrored, elsewhere not.
    for (const auto& [text, mirrored] :
         {std::pair<std::string, bool>{"h|אב (גד) הו", true}, {"h|ab (cd) ef", false}}) {
        const std::string laidOut = Markup(text);
        TCellLog log;
        TTextWalker(layout).Walk(laidOut, 1, kTopMargin, 0, log);
        EXPECT_EQ(log.Cells[static_cast<int>(laidOut.find('('))].Mirrored, mirrored) << text;
        EXPECT_EQ(log.Cells[static_cast<int>(laidOut.find(')'))].Mirrored, mirrored) << text;
    }
    // The link's piece covers its characters where they stand.
    const std::string linked = Markup("h|אבג [דהו]");
    TLinkRecorder links(layout.LineHeight());
    links.BeginEntry(linked);
    TTextWalker(layout).Walk(linked, 1, kTopMargin, 0, links);
    ASSERT_EQ(links.Links().size(), 1u);
    EXPECT_EQ(links.Links()[0].Rect, (TRect{100, 5, 130, 25}));
    EXPECT_EQ(links.Links()[0].Link, "דהו");
}

struct TPickCase {
    const char* Name;
    std::string Text;
    std::string At;  // the anchor is the first occurrence of this
    std::string Word;
};

TEST(WordPickTest, PicksWordsOnCharactersAndByWordRulesWithoutSpaces)
{
    const TPickCase cases[] = {
        {"Polish", "h|zażółć gęślą", "ó", "zażółć"},
        {"a word after a dash", "h|słowo—inne", "inne", "inne"},
        {"a hyphen belongs to the word", "h|biało‐czerwony", "cz", "biało‐czerwony"},
        {"guillemets belong to the word", "h|a «słowo» b", "ł", "«słowo»"},
        {"a no-break space delimits", "h|ab\u00A0cd", "c", "cd"},
        {"Cyrillic", "h|большой дом", "ш", "большой"},
        {"combining marks stay", "h|cafe\u0301 noir", "c", "cafe\u0301"},
        {"Arabic", "h|كتاب جيد", "ت", "كتاب"},
        {"the headword whole", "日本 語|x", "語", "日本 語"},
        {"Japanese by word rules", "h|日本語の辞書です。", "書", "辞書"},
        {"Chinese by word rules", "h|我喜欢学习中文", "习", "学习"},
        {"Thai by word rules", "h|ภาษาไทยง่าย", "ไ", "ไทย"},
        {"an ideographic full stop", "h|日本。", "。", ""},
        {"an ideographic comma", "h|日本、中国", "、", ""},
        {"a damaged byte is part of a word", "h|a\xC5z b", "a", "a\xC5z"},
    };
    for (const TPickCase& c : cases) {
        const std::string text = Markup(c.Text);
        const size_t anchor = text.find(c.At);
        ASSERT_NE(anchor, std::string::npos) << c.Name;
        const TPickedWord word = PickWord(text, anchor);
        EXPECT_EQ(text.substr(word.Begin, word.End - word.Begin), c.Word) << c.Name;
    }
}

struct THighlightCase {
    const char* Name;
    std::string Text;
    std::vector<std::string> Pieces;
    std::string Expected;  // Markup(): '{' and '}' the marks
};

TEST(TextHighlightTest, MatchesFoldedTextOnWholeCharacters)
{
    const THighlightCase cases[] = {
        {"Polish any case", "żółw|Żółw, żółw morski", {"żółw"}, "{żółw}|{Żółw}, {żółw} morski"},
        {"upper-case piece", "h|mały żółw", {"ŻÓŁW"}, "h|mały {żółw}"},
        {"Greek final sigma", "h|ο λόγος", {"ΛΌΓΟΣ"}, "h|ο {λόγος}"},
        {"Cyrillic", "h|Большой дом", {"большой"}, "h|{Большой} дом"},
        {"across a code inside a word", "h|ż\x03ółw", {"żółw"}, "h|{ż\x03ółw}"},
        {"Japanese", "h|日本語の辞書", {"辞書"}, "h|日本語の{辞書}"},
        {"no match inside a longer character", "h|ą", {"a"}, "h|ą"},
    };
    for (const THighlightCase& c : cases) {
        std::string text = Markup(c.Text);
        MarkPieces(text, c.Pieces);
        EXPECT_EQ(text, Markup(c.Expected)) << c.Name;
    }
}

// Where each character of valid UTF-8 begins, so that nothing may cut one.
std::vector<bool> CharacterStarts(const std::string& Text)
{
    std::vector<bool> starts(Text.size() + 1, true);
    for (size_t i = 0; i < Text.size();) {
        const size_t from = i;
        NextUnit(Text, i);
        for (size_t j = from + 1; j < i; ++j)
            starts[j] = false;
    }
    return starts;
}

TEST_F(ScriptLayoutTest, RandomBytesNeverCutACharacterNorLeaveTheText)
{
    // Bytes, codes, damaged sequences and characters of many scripts.
    const std::vector<std::string> pool = {
        "a",    " ",    " ",        "\x01", "\x03", "\x09", "\x0B", "\x0C", "\x0D",   "\x0F",   "\x10",
        "\x80", "\xC5", "\xE6\x97", "ż",    "λ",    "д",    "א",    "ب",    "\u0301", "\u200D", "日",
        "。",   "「",   "ก",        "่",     "한",   "𝄞",    "é",    "(",    "."};
    std::mt19937 random(17);
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        const int parts = static_cast<int>(random() % 60);
        for (int p = 0; p < parts; ++p)
            text += pool[random() % pool.size()];
        const int w = 100 + static_cast<int>(random() % 200);
        const TProcessedItem item = Wrap(text, w);
        // Every soft break the layout adds (the pool has none) stands
        // between two characters of the text it was given.
        const std::vector<bool> inputStarts = CharacterStarts(text);
        size_t consumed = 0;
        for (const char c : item.Text) {
            if (c == '\x0E')
                EXPECT_TRUE(inputStarts[consumed]) << round;
            else
                ++consumed;
        }
        const std::vector<bool> starts = CharacterStarts(item.Text);
        for (int probe = 0; probe < 10; ++probe) {
            const THit hit = Hit(item, static_cast<int>(random() % 420), static_cast<int>(random() % 120));
            EXPECT_GE(hit.Index, -1);
            EXPECT_LE(hit.Index, static_cast<int>(item.Text.size()));
            if (hit.Index >= 0) {
                EXPECT_GE(hit.End, hit.Index);
                EXPECT_LE(hit.End, static_cast<int>(item.Text.size()));
                EXPECT_TRUE(starts[static_cast<size_t>(hit.Index)] && starts[static_cast<size_t>(hit.End)])
                    << round;
                const TPickedWord word = PickWord(item.Text, static_cast<size_t>(hit.Index));
                EXPECT_LE(word.End, item.Text.size());
                EXPECT_TRUE(word.Empty() || (starts[word.Begin] && starts[word.End])) << round;
            }
        }
        TLinkRecorder links(layout.LineHeight());
        links.BeginEntry(item.Text);
        TTextWalker(layout).Walk(item.Text, item.Lines, kTopMargin, 0, links);
        for (const TLinkRect& link : links.Links())
            EXPECT_EQ(FindInvalidUtf8(link.Link), std::string::npos);
        std::string marked = item.Text;
        MarkPieces(marked, {pool[random() % pool.size()] + pool[random() % pool.size()]});
        EXPECT_EQ(WithoutMarks(marked), WithoutMarks(item.Text));
    }
}

}  // namespace
}  // namespace lirabo
