#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "main_window/activation_token_scope.h"
#include "main_window/character_label.h"
#include "main_window/clipboard_text.h"
#include "main_window/tray_state.h"
#include "main_window/window_opacity.h"
#include "test_folder.h"

namespace lirabo {
namespace {

TEST(CharacterLabelTest, NamesWhatAMessageIsAbout)
{
    const struct {
        char32_t Character;
        const char* Label;  // UTF-8
    } cases[] = {
        {U'\u017C', "\u017C (U+017C)"},
        {U'\u03A3', "\u03A3 (U+03A3)"},
        {U'\U0001F600', "\U0001F600 (U+1F600)"},
        {U'\uFFFD', "\uFFFD (U+FFFD)"},  // what stands for text that was not UTF-8
        // Nothing to see by itself: the code point alone.
        {U'\u200B', "U+200B"},
        {U'\u00A0', "U+00A0"},
        {U'\u0007', "U+0007"},
        {U'\uE000', "U+E000"},
        {U'\U0010FFFF', "U+10FFFF"},
        {0x110000, "U+110000"},
        // A combining mark on the circle fonts set it on.
        {U'\u0301', "\u25CC\u0301 (U+0301)"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CharacterLabel(c.Character), QString::fromUtf8(c.Label)) << c.Label;
}

TEST(ActivationTokenScopeTest, OnWaylandTheTokenIsThereForTheActivationAndGoneAfter)
{
    struct TCase {
        const char* Name;
        bool Wayland;
        QString Token;
        const char* Before;  // in the environment before; nullptr: unset
        bool QtTakesIt;      // the platform used the token and unset it
        const char* During;
        const char* After;
    };
    const std::vector<TCase> cases = {
        {"token", true, "t-1", nullptr, false, "t-1", nullptr},
        {"token used", true, "t-1", nullptr, true, nullptr, nullptr},
        {"over the program's own, unused", true, "t-1", "own", false, "t-1", nullptr},
        {"no token", true, "", "own", false, "own", "own"},
        {"X11", false, "t-1", nullptr, false, nullptr, nullptr},
        {"X11, the program's own stays", false, "t-1", "own", false, "own", "own"},
    };
    const auto current = [] {
        return qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN")
                   ? std::optional(qgetenv("XDG_ACTIVATION_TOKEN"))
                   : std::nullopt;
    };
    const auto expected = [](const char* Value) {
        return Value ? std::optional(QByteArray(Value)) : std::nullopt;
    };
    const std::optional<QByteArray> saved = current();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        if (c.Before)
            qputenv("XDG_ACTIVATION_TOKEN", c.Before);
        else
            qunsetenv("XDG_ACTIVATION_TOKEN");
        {
            const TActivationTokenScope scope(c.Token, c.Wayland);
            if (c.QtTakesIt)
                qunsetenv("XDG_ACTIVATION_TOKEN");
            EXPECT_EQ(current(), expected(c.During));
        }
        EXPECT_EQ(current(), expected(c.After));
    }
    if (saved)
        qputenv("XDG_ACTIVATION_TOKEN", *saved);
    else
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

TEST(ClipboardTextTest, KeepsTheFirstHundredCharactersNeverHalfACharacter)
{
    EXPECT_EQ(ClipboardLookupText(QString(150, QLatin1Char('a'))), QString(100, QLatin1Char('a')));
    EXPECT_EQ(ClipboardLookupText("apple"), "apple");
    // A character outside the basic plane is two UTF-16 units but one
    // character: 99 letters and it fit, the 101st unit is not cut off alone.
    const QString apple = QString::fromUtf8("\xf0\x9f\x8d\x8e");
    const QString text = QString(99, QLatin1Char('b')) + apple + "tail";
    EXPECT_EQ(ClipboardLookupText(text), QString(99, QLatin1Char('b')) + apple);
    const QString late = QString(100, QLatin1Char('b')) + apple;
    EXPECT_EQ(ClipboardLookupText(late), QString(100, QLatin1Char('b')));
}

TEST(ClipboardTextTest, WhiteSpaceAndControlCharactersAloneLookNothingUp)
{
    EXPECT_EQ(ClipboardLookupText(""), "");
    EXPECT_EQ(ClipboardLookupText(" \t\r\n\x01\x1f"), "");
    EXPECT_EQ(ClipboardLookupText(QString::fromUtf8("\xe2\x80\x8b\xc2\xa0")), "");  // zero width, no-break
    // Only what survives the cut counts.
    EXPECT_EQ(ClipboardLookupText(QString(100, QLatin1Char(' ')) + "word"), "");
    EXPECT_EQ(ClipboardLookupText("  cat\n"), "  cat\n");  // the lookup itself trims nothing
}

TEST(WindowOpacityTest, TwelveStepsReachFifteenTheThirteenthZeroThenBackUp)
{
    TOpacity o;
    std::vector<int> down;
    for (int i = 0; i < 13; ++i) {
        o = MoreTransparent(o);
        down.push_back(o.Alpha);
        EXPECT_TRUE(o.Blending);
    }
    EXPECT_EQ(down, (std::vector<int>{235, 215, 195, 175, 155, 135, 115, 95, 75, 55, 35, 15, 0}));
    EXPECT_EQ(MoreTransparent(o), (TOpacity{0, true}));
    std::vector<int> up;
    for (int i = 0; i < 13; ++i) {
        o = LessTransparent(o);
        up.push_back(o.Alpha);
    }
    EXPECT_EQ(up, (std::vector<int>{20, 40, 60, 80, 100, 120, 140, 160, 180, 200, 220, 240, 255}));
    EXPECT_FALSE(o.Blending);
    EXPECT_DOUBLE_EQ(WindowOpacityOf(o), 1.0);
}

TEST(WindowOpacityTest, LessTransparentAtTheTopTurnsBlendingOff)
{
    EXPECT_EQ(LessTransparent(TOpacity{}), (TOpacity{255, false}));
    EXPECT_EQ(LessTransparent(TOpacity{234, true}), (TOpacity{254, true}));
    EXPECT_EQ(LessTransparent(TOpacity{235, true}), (TOpacity{255, false}));
    EXPECT_EQ(MoreTransparent(TOpacity{20, true}), (TOpacity{0, true}));
    EXPECT_EQ(MoreTransparent(TOpacity{21, true}), (TOpacity{1, true}));
    EXPECT_DOUBLE_EQ(WindowOpacityOf(TOpacity{0, true}), 0.0);
    EXPECT_DOUBLE_EQ(WindowOpacityOf(TOpacity{51, false}), 1.0);
}

TEST(TrayStateTest, HidesOnlyWithTheSettingAndATrayAndRestoresOnPresses)
{
    TTrayState tray;
    EXPECT_FALSE(tray.Minimised(false, true));
    EXPECT_FALSE(tray.Minimised(true, false));
    EXPECT_FALSE(tray.EverAdded());
    // Restoring is asked even with no icon shown (a copy does so); it is
    // harmless then.
    EXPECT_TRUE(tray.IconEvent(TTrayState::kLeftButtonDown));

    EXPECT_TRUE(tray.Minimised(true, true));
    EXPECT_TRUE(tray.IconShown());
    for (int code : {0x200, 0x202, TTrayState::kLeftButtonDoubleClick, 0x205, TTrayState::kMiddleButtonDown})
        EXPECT_FALSE(tray.IconEvent(code)) << code;
    EXPECT_TRUE(tray.IconShown());
    EXPECT_TRUE(tray.IconEvent(TTrayState::kRightButtonDown));
    EXPECT_FALSE(tray.IconShown());
    EXPECT_TRUE(tray.EverAdded());  // stays: shutdown and copies read it
}

}  // namespace
}  // namespace lirabo
