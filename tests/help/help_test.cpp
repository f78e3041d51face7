// The help pages as shipped: every page stands on its own (no scripts, no
// outside resources), every link and anchor leads somewhere, every page leads
// back to the contents, and what the program shows (menu captions, dialog
// captions, keys, makrel's commands and options) is found in the page that
// describes it. The program's side is read from the program itself: the
// built-in English language file, the menu code, the key table and makrel's
// own usage text.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "language/language_file.h"
#include "main_window/key_table.h"
#include "makrel/cli/makrel_commands.h"

namespace {

namespace fs = std::filesystem;

const fs::path kHelpFolder = HELP_FOLDER;

std::string ReadFile(const fs::path& Path)
{
    std::ifstream in(Path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool ValidUtf8(const std::string& Text)
{
    size_t i = 0;
    while (i < Text.size()) {
        const auto c = static_cast<unsigned char>(Text[i]);
        const size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > Text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(Text[i + k]) >> 6) != 2)
                return false;
        i += length;
    }
    return true;
}

// The entities a page may use, decoded.
std::string DecodeEntities(const std::string& Text)
{
    static const std::map<std::string, std::string> kNamed = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", " "}};
    std::string out;
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == '&') {
            const size_t end = Text.find(';', i);
            if (end != std::string::npos && end - i <= 8) {
                const auto named = kNamed.find(Text.substr(i + 1, end - i - 1));
                if (named != kNamed.end()) {
                    out += named->second;
                    i = end;
                    continue;
                }
            }
        }
        out += Text[i];
    }
    return out;
}

// The readable text of some HTML: tags that stay inside a line (keys, code,
// links, emphasis) vanish, every other tag separates words. With Collapse,
// runs of white space become one space.
std::string VisibleText(const std::string& Html, bool Collapse)
{
    static const std::regex kInline(R"(^</?(kbd|code|span|a|b|i|em|strong)\b)", std::regex::icase);
    std::string text;
    size_t i = 0;
    while (i < Html.size()) {
        if (Html[i] != '<') {
            text += Html[i++];
            continue;
        }
        const size_t end = Html.find('>', i);
        const std::string tag = Html.substr(i, end == std::string::npos ? std::string::npos : end - i + 1);
        if (!std::regex_search(tag, kInline))
            text += ' ';
        i = end == std::string::npos ? Html.size() : end + 1;
    }
    text = DecodeEntities(text);
    if (!Collapse)
        return text;
    std::string collapsed;
    for (const char c : text) {
        const bool blank = std::isspace(static_cast<unsigned char>(c)) != 0;
        if (blank && (collapsed.empty() || collapsed.back() == ' '))
            continue;
        collapsed += blank ? ' ' : c;
    }
    return collapsed;
}

struct TPage {
    std::string Html;
    std::string Text;  // the body's readable text, white space collapsed
    std::vector<std::string> IdList;  // in page order, duplicates kept
    std::set<std::string> Ids;
    std::vector<std::string> Links;  // href values
};

std::vector<std::string> Captures(const std::string& Text, const std::regex& Pattern, int Group = 1)
{
    std::vector<std::string> found;
    for (auto it = std::sregex_iterator(Text.begin(), Text.end(), Pattern); it != std::sregex_iterator(); ++it)
        found.push_back((*it)[Group].str());
    return found;
}

// Every page of the help folder by file name, read once.
const std::map<std::string, TPage>& Pages()
{
    static const std::map<std::string, TPage> pages = [] {
        std::map<std::string, TPage> read;
        for (const fs::directory_entry& entry : fs::directory_iterator(kHelpFolder)) {
            if (entry.path().extension() != ".html")
                continue;
            TPage page;
            page.Html = ReadFile(entry.path());
            const size_t body = page.Html.find("<body");
            page.Text = VisibleText(page.Html.substr(body == std::string::npos ? 0 : body), true);
            page.IdList = Captures(page.Html, std::regex(R"re(\sid="([^"]*)")re"));
            page.Ids.insert(page.IdList.begin(), page.IdList.end());
            page.Links = Captures(page.Html, std::regex(R"re(\shref="([^"]*)")re"));
            read.emplace(entry.path().filename().string(), std::move(page));
        }
        return read;
    }();
    return pages;
}

const TPage& Page(const std::string& Name)
{
    const auto it = Pages().find(Name);
    if (it == Pages().end()) {
        ADD_FAILURE() << "the help has no page " << Name;
        static const TPage none;
        return none;
    }
    return it->second;
}

// Whether Text holds Phrase as words of their own: "Ctrl+T" is not found
// in "Ctrl+Tab", nor "Add" in "Address".
bool HasPhrase(const std::string& Text, const std::string& Phrase)
{
    const auto word = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    for (size_t at = Text.find(Phrase); at != std::string::npos; at = Text.find(Phrase, at + 1)) {
        const bool before = at == 0 || !word(Phrase.front()) || !word(Text[at - 1]);
        const size_t next = at + Phrase.size();
        const bool after = next == Text.size() || !word(Phrase.back()) || !word(Text[next]);
        if (before && after)
            return true;
    }
    return false;
}

std::string AllText()
{
    std::string all;
    for (const auto& [name, page] : Pages())
        all += page.Text + '\n';
    return all;
}

bool IsExternal(const std::string& Link)
{
    return Link.starts_with("http://") || Link.starts_with("https://") || Link.starts_with("mailto:");
}

// --- the built-in English language file ----------------------------------------

const lirabo::TLanguageFile& English()
{
    static const lirabo::TLanguageFile file = [] {
        lirabo::TLanguageFile ini;
        EXPECT_TRUE(ini.LoadFromFile(ENGLISH_LANGUAGE_FILE));
        return ini;
    }();
    return file;
}

std::string EnglishText(const std::string& Section, const std::string& Key)
{
    return English().ReadString(Section, Key);
}

// The key's kind by its thousands digit (the language file's own rule:
// 1 menu, 2 label, 3 button, 4 group box, 6 check box, 8 message, 9 other);
// 0 for the window's caption (key 1) and keys that are not four digits.
int KindOf(const std::string& Key)
{
    return Key.size() >= 4 && std::isdigit(static_cast<unsigned char>(Key[0])) ? Key[0] - '0' : 0;
}

size_t WordCount(const std::string& Text)
{
    std::istringstream words(Text);
    return static_cast<size_t>(std::distance(std::istream_iterator<std::string>(words),
                                             std::istream_iterator<std::string>()));
}

// --- keys as the pages write them -----------------------------------------------

std::string ModifierPrefix(Qt::KeyboardModifiers Modifiers)
{
    std::string prefix;
    if (Modifiers & Qt::ControlModifier)
        prefix += "Ctrl+";
    if (Modifiers & Qt::AltModifier)
        prefix += "Alt+";
    if (Modifiers & Qt::ShiftModifier)
        prefix += "Shift+";
    return prefix;
}

// The menu shortcuts as the main window's code sets them, e.g. "Ctrl+T",
// "F5", "Ctrl+Down"; the presets' computed keys give their first, "Ctrl+1".
std::set<std::string> MenuShortcuts()
{
    static const std::regex kShortcut(R"(setShortcut\(QKeySequence\(([^;]*)\)\);)");
    static const std::regex kKey(R"(Qt::Key_(\w+))");
    std::set<std::string> shortcuts;
    for (const fs::directory_entry& entry : fs::directory_iterator(MAIN_WINDOW_SOURCES)) {
        if (entry.path().extension() != ".cpp")
            continue;
        for (const std::string& expression : Captures(ReadFile(entry.path()), kShortcut)) {
            std::smatch key;
            if (!std::regex_search(expression, key, kKey)) {
                ADD_FAILURE() << "a shortcut the test cannot read: " << expression;
                continue;
            }
            std::string name;
            if (expression.find("Qt::CTRL") != std::string::npos)
                name += "Ctrl+";
            if (expression.find("Qt::ALT") != std::string::npos)
                name += "Alt+";
            if (expression.find("Qt::SHIFT") != std::string::npos)
                name += "Shift+";
            shortcuts.insert(name + key[1].str());
        }
    }
    return shortcuts;
}

// The keys the main window acts on before its controls see them, found by
// asking its key table about every key with every modifier. A combination
// that acts as the bare key does ("Shift+Enter" as "Enter") is the bare
// key's.
std::set<std::string> WindowKeys()
{
    std::vector<std::pair<int, std::string>> keys = {
        {Qt::Key_Enter, "Enter"},   {Qt::Key_Tab, "Tab"},       {Qt::Key_Escape, "Esc"},
        {Qt::Key_Space, "Space"},   {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Insert, "Insert"},
        {Qt::Key_Delete, "Delete"}, {Qt::Key_Home, "Home"},     {Qt::Key_End, "End"},
        {Qt::Key_PageUp, "PgUp"},   {Qt::Key_PageDown, "PgDn"}, {Qt::Key_Up, "Up"},
        {Qt::Key_Down, "Down"},     {Qt::Key_Left, "Left"},     {Qt::Key_Right, "Right"},
    };
    for (int f = 1; f <= 12; ++f)
        keys.push_back({Qt::Key_F1 + f - 1, "F" + std::to_string(f)});
    for (char c = 'A'; c <= 'Z'; ++c)
        keys.push_back({Qt::Key_A + (c - 'A'), std::string(1, c)});
    for (char c = '0'; c <= '9'; ++c)
        keys.push_back({Qt::Key_0 + (c - '0'), std::string(1, c)});
    const Qt::KeyboardModifiers modifierSets[] = {Qt::NoModifier, Qt::ControlModifier, Qt::AltModifier,
                                                   Qt::ShiftModifier};
    const auto action = [](int Key, Qt::KeyboardModifiers Modifiers) {
        const lirabo::TKeyAction pressed = lirabo::MainKeyAction(Key, Modifiers, false);
        return pressed != lirabo::TKeyAction::None ? pressed : lirabo::MainKeyAction(Key, Modifiers, true);
    };
    std::set<std::string> found;
    for (const auto& [key, name] : keys) {
        const lirabo::TKeyAction bare = action(key, Qt::NoModifier);
        for (const Qt::KeyboardModifiers modifiers : modifierSets) {
            const lirabo::TKeyAction acted = action(key, modifiers);
            if (acted == lirabo::TKeyAction::None || (modifiers != Qt::NoModifier && acted == bare))
                continue;
            found.insert(ModifierPrefix(modifiers) + name);
        }
    }
    return found;
}

// --- the pages as pages ----------------------------------------------------------------

TEST(HelpPages, StandAloneUtf8HtmlWithTheSharedStylesheet)
{
    ASSERT_GE(Pages().size(), 10u) << "no help pages in " << kHelpFolder;
    ASSERT_TRUE(fs::is_regular_file(kHelpFolder / "help.css"));
    for (const auto& [name, page] : Pages()) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(ValidUtf8(page.Html));
        EXPECT_TRUE(page.Html.starts_with("<!DOCTYPE html>"));
        EXPECT_NE(page.Html.find("<meta charset=\"utf-8\">"), std::string::npos);
        EXPECT_TRUE(std::regex_search(page.Html, std::regex(R"(<title>[^<]+</title>)")));
        EXPECT_NE(page.Html.find("<link rel=\"stylesheet\" href=\"help.css\">"), std::string::npos);
        // Opened from disk, a page may need nothing but its folder.
        EXPECT_EQ(page.Html.find("<script"), std::string::npos);
        EXPECT_EQ(page.Html.find("<iframe"), std::string::npos);
        for (const std::string& source : Captures(page.Html, std::regex(R"re(\ssrc="([^"]*)")re")))
            EXPECT_FALSE(source.find(':') != std::string::npos || source.starts_with("//")) << source;
        for (const std::string& link :
             Captures(page.Html, std::regex(R"re(<link[^>]*\shref="([^"]*)")re")))
            EXPECT_EQ(link, "help.css");
        EXPECT_EQ(page.Html.find("@import"), std::string::npos);
        // An id used twice makes one of its links lead to the wrong place.
        std::set<std::string> seen;
        for (const std::string& id : page.IdList)
            EXPECT_TRUE(seen.insert(id).second) << "id \"" << id << "\" twice";
    }
    const std::string css = ReadFile(kHelpFolder / "help.css");
    EXPECT_EQ(css.find("url("), std::string::npos) << "the stylesheet loads something";
    EXPECT_EQ(css.find("@import"), std::string::npos);
}

TEST(HelpPages, EveryLinkAndAnchorLeadsSomewhere)
{
    for (const auto& [name, page] : Pages()) {
        for (const std::string& link : page.Links) {
            SCOPED_TRACE(name + ": " + link);
            ASSERT_FALSE(link.empty());
            if (IsExternal(link))
                continue;
            EXPECT_EQ(link.find(':'), std::string::npos) << "a local link with a scheme";
            const size_t hash = link.find('#');
            const std::string file = link.substr(0, hash);
            const std::string anchor = hash == std::string::npos ? std::string() : link.substr(hash + 1);
            EXPECT_EQ(file.find('/'), std::string::npos) << "the help is one folder";
            const std::string target = file.empty() ? name : file;
            if (target.ends_with(".html")) {
                const auto linked = Pages().find(target);
                if (linked == Pages().end()) {
                    ADD_FAILURE() << "no such page";
                    continue;
                }
                if (!anchor.empty()) {
                    EXPECT_TRUE(linked->second.Ids.count(anchor)) << "no such anchor";
                }
            } else {
                EXPECT_TRUE(fs::is_regular_file(kHelpFolder / target)) << "no such file";
                EXPECT_TRUE(anchor.empty());
            }
        }
    }
}

TEST(HelpPages, EveryPageIsInTheContentsAndLeadsBackToThem)
{
    const TPage& contents = Page("index.html");
    const std::set<std::string> listed(contents.Links.begin(), contents.Links.end());
    for (const auto& [name, page] : Pages()) {
        if (name == "index.html")
            continue;
        SCOPED_TRACE(name);
        EXPECT_TRUE(listed.count(name)) << "not listed on the contents page";
        EXPECT_NE(std::find(page.Links.begin(), page.Links.end(), "index.html"), page.Links.end())
            << "no link back to the contents";
    }
}

// --- the pages against the program ----------------------------------------------------

TEST(HelpCoverage, EveryMenuItemIsDescribedWithItsKey)
{
    const std::string& menus = Page("menus.html").Text;
    // Key 1xxx of section Main is a menu caption, by the language file's rule.
    int captions = 0;
    for (const std::string& key : English().Keys("Main")) {
        if (KindOf(key) != 1 || !std::all_of(key.begin(), key.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        const std::string caption = EnglishText("Main", key);
        ++captions;
        EXPECT_TRUE(HasPhrase(menus, caption)) << "menus.html lacks the item " << key << " \"" << caption << "\"";
    }
    EXPECT_GE(captions, 25);
    // Items whose captions the code gives itself.
    const std::string code = ReadFile(fs::path(MAIN_WINDOW_SOURCES) / "frm_main_menus.cpp");
    for (const std::string& caption : Captures(code, std::regex(R"re(addAction\(QStringLiteral\("([^"]+)"\)\))re")))
        EXPECT_TRUE(HasPhrase(menus, caption)) << "menus.html lacks the item \"" << caption << "\"";

    const std::set<std::string> shortcuts = MenuShortcuts();
    EXPECT_GE(shortcuts.size(), 9u) << "the menu code no longer reads as the test expects";
    for (const std::string& shortcut : shortcuts) {
        EXPECT_TRUE(HasPhrase(menus, shortcut)) << "menus.html lacks the shortcut " << shortcut;
        EXPECT_TRUE(HasPhrase(Page("keyboard.html").Text, shortcut))
            << "keyboard.html lacks the shortcut " << shortcut;
    }
}

TEST(HelpCoverage, EveryKeyOfTheMainWindowIsListed)
{
    const std::set<std::string> keys = WindowKeys();
    EXPECT_GE(keys.size(), 5u);
    for (const std::string& key : keys)
        EXPECT_TRUE(HasPhrase(Page("keyboard.html").Text, key)) << "keyboard.html lacks the key " << key;
}

TEST(HelpCoverage, EveryWindowAndItsControlsAreDescribed)
{
    // Each window's section of the language file and the page that describes
    // it; the main window's texts may be explained anywhere. Short texts
    // only (titles, buttons, labels, check boxes, tool tips); messages and
    // texts with placeholders are what the program says, not what it shows.
    const std::map<std::string, std::string> pages = {
        {"Main", ""},
        {"Settings", "settings.html"},
        {"About", "information.html"},
        {"Information", "information.html"},
        {"Download", "download.html"},
        {"Preset", "presets.html"},
        {"VocabularyAssembly", "vocabulary.html"},
        {"VocabularyTest", "vocabulary.html"},
    };
    const std::string all = AllText();
    for (const std::string& section : English().SectionNames()) {
        if (section == "Data" || section == "Tips")
            continue;
        const auto page = pages.find(section);
        ASSERT_NE(page, pages.end()) << "a window the test does not know: [" << section << "]";
        const std::string& text = page->second.empty() ? all : Page(page->second).Text;
        for (const std::string& key : English().Keys(section)) {
            const int kind = KindOf(key);
            if (kind == 8 || (section == "Main" && kind == 1))
                continue;
            const std::string caption = EnglishText(section, key);
            if (caption.empty() || caption.find('%') != std::string::npos || WordCount(caption) > 5)
                continue;
            EXPECT_TRUE(HasPhrase(text, caption))
                << (page->second.empty() ? "the help" : page->second) << " lacks [" << section << "] " << key
                << " \"" << caption << "\"";
        }
    }
}

TEST(HelpCoverage, MakrelPageQuotesTheUsageAndCoversEveryCommandAndOption)
{
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(makrel::RunMakrel({"--help"}, out, err), 0);
    std::string usage = out.str();
    while (!usage.empty() && usage.back() == '\n')
        usage.pop_back();
    ASSERT_FALSE(usage.empty());

    const TPage& page = Page("makrel.html");
    bool quoted = false;
    for (const std::string& block : Captures(page.Html, std::regex(R"(<pre>([\s\S]*?)</pre>)")))
        quoted = quoted || VisibleText(block, false) == usage;
    EXPECT_TRUE(quoted) << "makrel.html does not quote makrel's usage as it is:\n" << usage;

    const std::set<std::string> commands = [&] {
        const auto found = Captures(usage, std::regex(R"(makrel ([a-z]+))"));
        return std::set<std::string>(found.begin(), found.end());
    }();
    EXPECT_GE(commands.size(), 8u);
    for (const std::string& command : commands) {
        EXPECT_TRUE(HasPhrase(page.Text, "makrel " + command)) << "makrel.html lacks makrel " << command;
        EXPECT_TRUE(page.Ids.count(command)) << "makrel.html has no section #" << command;
    }
    for (const std::string& option : Captures(usage, std::regex(R"((--[a-z][a-z-]*))")))
        EXPECT_TRUE(HasPhrase(page.Text, option)) << "makrel.html lacks the option " << option;
    std::smatch formats;
    ASSERT_TRUE(std::regex_search(usage, formats, std::regex(R"(--format ([a-z|]+))")));
    std::istringstream names(formats[1].str());
    for (std::string format; std::getline(names, format, '|');) {
        EXPECT_TRUE(HasPhrase(page.Text, "--format " + format)) << "makrel.html has no example of " << format;
        EXPECT_TRUE(page.Ids.count(format)) << "makrel.html has no section #" << format;
    }
}

}  // namespace
