#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

#include "main_window/settings.h"

namespace lirabo {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    QSettings Store() { return QSettings(FDir.filePath("LiraboDesk.conf"), QSettings::IniFormat); }
    QTemporaryDir FDir;
};

TEST_F(SettingsTest, MissingValuesReadAsTheirDefaults)
{
    QSettings store = Store();
    TSettings s;
    s.FontSize = 99;
    s.ShowTips = false;
    s.StyleLink = "x";
    s.ReadTable(store);
    const TSettings defaults;
    EXPECT_EQ(s.FontSize, 10);
    EXPECT_EQ(s.FontName, "Verdana");
    EXPECT_TRUE(s.ShowTips);
    EXPECT_TRUE(s.CheckForUpdates);
    EXPECT_FALSE(s.ShowRelations);
    EXPECT_EQ(s.CurrentTip, -1);
    EXPECT_EQ(s.ColorDefinition, 0x008001);
    EXPECT_EQ(s.ColorSelectedBackground, 0xFCC898);
    EXPECT_EQ(s.StyleField, "b");
    EXPECT_EQ(s.StyleLink, "b");
    EXPECT_EQ(s.StyleEntry, "");
    EXPECT_EQ(s.Indent, 200);
    EXPECT_EQ(s.TopIndent, 300);
    EXPECT_EQ(s.LookinWidth, 190);
}

TEST_F(SettingsTest, GeometryIsWrittenByTheWindowsStateAndReadBackOrCentred)
{
    const QRect geometry(30, 40, 600, 700);
    const struct {
        const char* Case;
        bool Stored;
        Qt::WindowStates State;
        int ReadState;
        QRect Read;  // for a normal window: what it is placed at
    } cases[] = {
        {"nothing stored: a 500 by 500 window in the middle", false, {}, 1, QRect(262, 134, 500, 500)},
        {"a normal window keeps its place and size", true, Qt::WindowNoState, 1, geometry},
        {"a maximised window keeps only its state", true, Qt::WindowMaximized, 2, QRect()},
        {"a minimised window writes nothing", true, Qt::WindowMinimized, 1, QRect(262, 134, 500, 500)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        QTemporaryDir dir;
        QSettings store(dir.filePath("LiraboDesk.conf"), QSettings::IniFormat);
        if (c.Stored)
            TSettings::WriteGeometry(store, c.State, geometry);
        TSettings s;
        s.ReadGeometry(store, QSize(1024, 768));
        EXPECT_EQ(s.WindowState, c.ReadState);
        if (c.ReadState == 1) {
            EXPECT_EQ(QRect(s.WindowLeft, s.WindowTop, s.WindowWidth, s.WindowHeight), c.Read);
        }
    }
}

TEST_F(SettingsTest, RoundTripKeepsEveryValue)
{
    TSettings s;
    s.CurrentDictionary = 3;
    s.LanguageFile = "deutsch.lng";
    s.MinimizeToTray = true;
    s.HideOnlineDictionaries = true;
    s.ShowTips = false;
    s.CurrentTip = 17;
    s.FontName = "Liberation Sans, bold";  // a comma must not turn it into a list
    s.ColorLink = 0x123456;
    s.StyleDefinition = "iu";
    {
        QSettings store = Store();
        s.WriteTable(store);
    }
    QSettings store = Store();
    TSettings r;
    r.ReadTable(store);
    EXPECT_EQ(r.CurrentDictionary, 3);
    EXPECT_EQ(r.LanguageFile, "deutsch.lng");
    EXPECT_TRUE(r.MinimizeToTray);
    EXPECT_TRUE(r.HideOnlineDictionaries);
    EXPECT_FALSE(r.ShowTips);
    EXPECT_EQ(r.CurrentTip, 17);
    EXPECT_EQ(r.FontName, "Liberation Sans, bold");
    EXPECT_EQ(r.ColorLink, 0x123456);
    EXPECT_EQ(r.StyleDefinition, "iu");
    EXPECT_EQ(store.value("ShowTips").toString(), "0");  // booleans are stored as numbers
}

TEST_F(SettingsTest, WrongTypesReadAsDefaults)
{
    {
        QFile f(FDir.filePath("LiraboDesk.conf"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "[General]\nFontSize=big\nIndent=1.5\nTopIndent=99999999999\nShowTips=maybe\n"
            "ShowRelations=7\nAlwaysOnTop=true\nFontName=a, b\nCurrentTip=\nColorEntry=4294967295\n"
            "UpdatedDate=45000.5\n");
    }
    QSettings store = Store();
    EXPECT_EQ(ReadRegIntegerDefault(store, "FontSize", 10), 10);
    EXPECT_EQ(ReadRegIntegerDefault(store, "Indent", 200), 200);
    EXPECT_EQ(ReadRegIntegerDefault(store, "TopIndent", 300), 300);
    EXPECT_EQ(ReadRegIntegerDefault(store, "CurrentTip", -1), -1);
    EXPECT_EQ(ReadRegIntegerDefault(store, "ColorEntry", 0), -1);  // the same 32 bits
    EXPECT_TRUE(ReadRegBoolDefault(store, "ShowTips", true));
    EXPECT_FALSE(ReadRegBoolDefault(store, "ShowTips", false));
    EXPECT_TRUE(ReadRegBoolDefault(store, "ShowRelations", false));
    EXPECT_TRUE(ReadRegBoolDefault(store, "AlwaysOnTop", false));
    EXPECT_EQ(ReadRegStringDefault(store, "FontName", "Verdana"), "Verdana");
    EXPECT_DOUBLE_EQ(ReadRegFloatDefault(store, "UpdatedDate", 0), 45000.5);
    EXPECT_DOUBLE_EQ(ReadRegFloatDefault(store, "FontSize", 0), 0);
}

TEST_F(SettingsTest, RecentWordsSkipEmptyValuesAndLeaveHigherIndicesAlone)
{
    {
        QSettings store = Store();
        store.setValue("Recent0", "alpha");
        store.setValue("Recent1", "");
        store.setValue("Recent2", "gamma");
        store.setValue("Recent11", "beyond the list");
        store.setValue("Recent5", "old");
    }
    QSettings store = Store();
    EXPECT_EQ(TSettings::ReadRecent(store), (QStringList{"alpha", "gamma", "old"}));
    TSettings::WriteRecent(store, {"x", "y"});
    EXPECT_EQ(TSettings::ReadRecent(store), (QStringList{"x", "y", "gamma", "old"}));
}

}  // namespace
}  // namespace lirabo
