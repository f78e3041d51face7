// The language list, the preset store, the bounds of stored looks and the
// languages chosen for dictionaries.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <optional>

#include "language/language_file.h"
#include "preferences/dictionary_languages.h"
#include "preferences/display_look.h"
#include "preferences/frm_about.h"
#include "preferences/language_list.h"
#include "preferences/preset_store.h"

namespace lirabo::test {
namespace {

void Write(const QString& Path, const QByteArray& Bytes)
{
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

std::vector<std::pair<QString, QString>> Listed(const QString& Folder)
{
    std::vector<std::pair<QString, QString>> listed;
    for (const TLanguageChoice& choice : ListLanguages({Folder}))
        listed.emplace_back(choice.FileName, choice.Name);
    return listed;
}

TEST(LanguageListTest, EnglishFirstThenUsableFilesSortedWithoutRegardToCase)
{
    QTemporaryDir dir;
    EXPECT_EQ(Listed(dir.filePath("Lang")), (std::vector<std::pair<QString, QString>>{{"", "English (default)"}}))
        << "no Lang folder";

    QDir(dir.path()).mkdir("Lang");
    const QString lang = dir.filePath("Lang");
    Write(lang + "/zulu.lng", "[Data]\r\nFileVersion=3\r\nName=Zulu\r\n");
    Write(lang + "/Alpha.LNG", "[Data]\nFileVersion=4\n");                      // no name
    Write(lang + "/beta.lng", "[Data]\nFileVersion=3\nName=Fran\xE7" "ais\n");  // Windows-1252
    Write(lang + "/gamma.lng", "\xEF\xBB\xBF[Data]\r\nFileVersion=3\r\nName=Ελληνικά\r\n");  // UTF-8
    Write(lang + "/delta.lng", "\xEF\xBB\xBF[Data]\nFileVersion=3\nName=Portugu\xEAs\n");    // not UTF-8
    Write(lang + "/epsilon.lng", "\xEF\xBB\xBF[Data]\nFileVersion=2\nName=Русский\n");       // too old
    Write(lang + "/old.lng", "[Data]\nFileVersion=2\nName=Old\n");              // too old to be used
    Write(lang + "/none.lng", "[Main]\n1001=File\n");                            // no version at all
    Write(lang + "/notes.txt", "[Data]\nFileVersion=3\nName=Notes\n");
    QDir(lang).mkdir("folder.lng");
    // Beyond what any language file needs: the reader refuses it.
    Write(lang + "/huge.lng",
          "[Data]\nFileVersion=3\nName=Huge\n" + QByteArray(TLanguageFile::kMaxFileSize, ';'));

    const auto listed = Listed(lang);
    EXPECT_EQ(listed,
              (std::vector<std::pair<QString, QString>>{{"", "English (default)"},
                                                        {"Alpha.LNG", "(unknown)"},
                                                        {"beta.lng", QString::fromUtf8("Français")},
                                                        {"delta.lng", QString::fromUtf8("Portugu\uFFFDs")},
                                                        {"gamma.lng", QString::fromUtf8("Ελληνικά")},
                                                        {"zulu.lng", "Zulu"}}));
    const auto languages = ListLanguages({lang});
    EXPECT_EQ(FindLanguage(languages, "ZULU.lng"), 5);
    EXPECT_EQ(FindLanguage(languages, ""), 0);
    EXPECT_EQ(FindLanguage(languages, "old.lng"), -1) << "a file the list left out is not selected";
}

class PresetStoreTest : public ::testing::Test {
protected:
    QTemporaryDir FDir;
    QSettings FKey{FDir.filePath("settings.ini"), QSettings::IniFormat};
    TPresetStore FStore{FKey};
};

TEST_F(PresetStoreTest, RoundTripThroughTheSettings)
{
    EXPECT_TRUE(FStore.Names().isEmpty());
    FStore.AddPreset("work", {640, 480, 10, 20, 200, 250, 150}, 1);
    FStore.AddPreset(" Reading ", {800, 600, -5, 0, 255, 300, 200}, 0);
    FStore.AddPreset("big", {900, 700, 0, 0, 255, 300, 200}, 2);
    EXPECT_EQ(FStore.Names(), (QStringList{"big", "Reading", "work"}));
    EXPECT_EQ(FKey.value("Presets/work/WindowState").toInt(), 1);
    EXPECT_EQ(FKey.value("Presets/big/WindowState").toInt(), 2);
    EXPECT_FALSE(FKey.contains("Presets/Reading/WindowState")) << "a minimised window's state is not stored";

    const TStoredPreset work = FStore.ReadPreset("work");
    EXPECT_EQ(work.Kind, 0);
    const TPresetLayout current{1, 2, 3, 4, 5, 6, 7};
    EXPECT_EQ(TPresetStore::Resolve(work, {}, current), (TPresetLayout{640, 480, 10, 20, 200, 250, 150}));

    FStore.RemovePreset("work");
    EXPECT_EQ(FStore.Names(), (QStringList{"big", "Reading"}));
    const TStoredPreset gone = FStore.ReadPreset("work");
    EXPECT_EQ(TPresetStore::Resolve(gone, {}, {500, 400, 1, 2, 255, 9, 9}), (TPresetLayout{500, 400, 1, 2, 255, 200, 200}))
        << "a vanished preset keeps the window where it is, with the default indents";
}

TEST_F(PresetStoreTest, NamesThatWouldBreakTheStoreOrRepeatOneAreRefused)
{
    FStore.AddPreset("Work", {640, 480, 0, 0, 255, 300, 200}, 1);
    using TCheck = TPresetStore::TNameCheck;
    EXPECT_EQ(FStore.CheckName("work"), TCheck::Duplicate);
    EXPECT_EQ(FStore.CheckName(" WORK "), TCheck::Duplicate);
    for (const QString& name : {QString(), QString("   "), QString("a/b"), QString("a\\b"), QString("tab\there"),
                                QString("line\nbreak"), QString(65, QChar('x'))})
        EXPECT_EQ(FStore.CheckName(name), TCheck::Invalid) << name.toStdString();
    EXPECT_EQ(FStore.CheckName(QString(64, QChar('x'))), TCheck::Ok);
    EXPECT_EQ(FStore.CheckName(QString::fromUtf8("Übersicht [2] = 50%")), TCheck::Ok);
    FStore.AddPreset(QString::fromUtf8("Übersicht [2] = 50%"), {640, 480, 0, 0, 255, 300, 200}, 1);
    FKey.sync();
    QSettings reread(FDir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(TPresetStore(reread).Names(), (QStringList{"Work", QString::fromUtf8("Übersicht [2] = 50%")}))
        << "characters the file format escapes come back as typed";
}

TEST(PresetResolveTest, KindsAndBoundsOfStoredValues)
{
    // The built-in layouts of a 1024 by 768 screen.
    const std::array<TPresetLayout, 3> builtIn{{{500, 500, 262, 134, 255, 300, 200},
                                                {200, 768, 824, 0, 225, 175, 10},
                                                {200, 768, 0, 0, 225, 175, 10}}};
    const TPresetLayout current{640, 480, 30, 40, 180, 250, 150};
    TStoredPreset stored;
    stored.Width = 700;
    stored.Kind = 2;
    EXPECT_EQ(TPresetStore::Resolve(stored, builtIn, current), (TPresetLayout{200, 768, 824, 0, 225, 175, 10}));
    stored.Kind = 7;  // no such layout: the stored values count
    EXPECT_EQ(TPresetStore::Resolve(stored, builtIn, current), (TPresetLayout{700, 480, 30, 40, 180, 200, 200}));
    stored.Kind = -1;
    stored.Width = 0;
    stored.Height = 1 << 30;
    stored.Transparency = 256;  // its low byte would make the window invisible
    stored.Left = -(1 << 30);
    stored.Indent = -5;
    stored.TopIndent = 400;
    EXPECT_EQ(TPresetStore::Resolve(stored, builtIn, current), (TPresetLayout{640, 480, 30, 40, 180, 400, 200}));
}

TEST(DisplayLookTest, StoredValuesAreBoundedToWhatTheViewsDraw)
{
    EXPECT_EQ(BoundFontSize(0), 10);
    EXPECT_EQ(BoundFontSize(-3), 10);
    EXPECT_EQ(BoundFontSize(1), 1);
    EXPECT_EQ(BoundFontSize(12), 12);
    EXPECT_EQ(BoundFontSize(100000), TDisplayLook::kMaxFontSize);
    EXPECT_EQ(BoundColor(0xFFFFFF, 7), 0xFFFFFFu);
    EXPECT_EQ(BoundColor(0, 7), 0u);
    EXPECT_EQ(BoundColor(0x80000005, 7), 7u) << "a system colour number";
    EXPECT_EQ(BoundColor(-1, 7), 7u);
}

TEST(AboutTest, FileVersionHasFourParts)
{
    EXPECT_EQ(TfrmAbout::FileVersionText("0.1.0"), "0.1.0.0");
    EXPECT_EQ(TfrmAbout::FileVersionText("3"), "3.0.0.0");
    EXPECT_EQ(TfrmAbout::FileVersionText("1.2.3.4"), "1.2.3.4");
    EXPECT_EQ(TfrmAbout::FileVersionText(""), "");
}

TEST(DictionaryLanguagesTest, StoredChoicesCountOnlyWhenTheyAreCodesOfTheTable)
{
    const struct {
        const char* Stored;
        std::optional<TDictionaryLanguages> Parsed;
    } cases[] = {
        {"de-en", TDictionaryLanguages{"de", "en"}},
        {"el-", TDictionaryLanguages{"el", ""}},
        {"-", TDictionaryLanguages{}},
        {"xx-en", std::nullopt},  // no ISO 639-1 code
        {"DE-EN", std::nullopt},
        {"de", std::nullopt},
        {"de-en-fr", std::nullopt},
        {" de-en", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLanguages(c.Stored), c.Parsed) << c.Stored;
        if (c.Parsed) {
            EXPECT_EQ(FormatLanguages(*c.Parsed), c.Stored);
        }
    }
    // The file's word wins side by side; a choice fills only what it leaves open.
    EXPECT_EQ(EffectiveLanguages({TTextEncoding::Utf8, "el", ""}, {"pl", "de"}),
              (TDictionaryLanguages{"el", "de"}));
    // Every code shows, by its name where the platform has one.
    EXPECT_EQ(LanguageName("bh"), "bh");
    for (const std::string_view code : LanguageCodes()) {
        const QString name = LanguageName(std::string(code)), shown = QString::fromLatin1(code.data(), 2);
        EXPECT_TRUE(name == shown || name.endsWith(" (" + shown + ")")) << code;
    }
}

TEST(DictionaryLanguagesTest, OnlySoundChoicesAreReadAndTheGroupIsWrittenWhole)
{
    QTemporaryDir dir;
    QSettings key(dir.filePath("settings.ini"), QSettings::IniFormat);
    key.setValue("DictionaryLanguages/polski.ldi", "pl-en");
    key.setValue(QString::fromUtf8("DictionaryLanguages/słownik.ldi"), "el-");
    key.setValue("DictionaryLanguages/bad code.ldi", "xx-en");
    key.setValue("DictionaryLanguages/number.ldi", 5);
    key.setValue("DictionaryLanguages/list.ldi", QStringList{"pl-en", "x"});
    key.setValue("DictionaryLanguages/deeper/a.ldi", "pl-en");
    const TLanguageChoices expected{{"polski.ldi", {"pl", "en"}},
                                    {QString::fromUtf8("słownik.ldi"), {"el", ""}}};
    EXPECT_EQ(ReadLanguageChoices(key), expected);

    TLanguageChoices written = expected;
    written.insert("empty.ldi", {});
    WriteLanguageChoices(key, written);
    key.sync();
    const QSettings reread(dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(ReadLanguageChoices(reread), expected);
    // What was ignored is not kept, and a choice of nothing is not written.
    EXPECT_EQ(reread.allKeys(),
              (QStringList{"DictionaryLanguages/polski.ldi", "DictionaryLanguages/słownik.ldi"}));
}

}  // namespace
}  // namespace lirabo::test
