#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include "language/language.h"
#include "language/language_apply.h"
#include "language/language_file.h"

namespace lirabo {
namespace {

TEST(LanguageFileTest, TrimsKeysValuesAndLinesOverEveryLineEnd)
{
    TLanguageFile f;
    f.LoadFromBytes("  [ Main ]  \r\n \t 2001  =  Look up:  \r1001=File\n9017t= tip \x01\r\n");
    EXPECT_EQ(f.ReadString("Main", "2001"), "Look up:");
    EXPECT_EQ(f.ReadString("Main", "1001"), "File");
    EXPECT_EQ(f.ReadString("Main", "9017t"), "tip");
    EXPECT_EQ(f.SectionLineCount("Main"), 3);
}

TEST(LanguageFileTest, CaseInsensitiveFirstOccurrenceWins)
{
    TLanguageFile f;
    f.LoadFromBytes(
        "7=before any section\n[Main]\n2001=first\n2001=second\n2001T=hint\n"
        "[main]\n2001=other section\n3001=only in the repeat\n");
    EXPECT_EQ(f.ReadString("MAIN", "2001"), "first");
    EXPECT_EQ(f.ReadString("main", "2001t"), "hint");
    EXPECT_EQ(f.ReadString("Main", "3001"), "");
    EXPECT_EQ(f.ReadString("Main", "7"), "");
    EXPECT_EQ(f.SectionNames(), std::vector<std::string>{"Main"});
}

TEST(LanguageFileTest, CommentsAndLinesWithoutEqualsCountOnlyAsTips)
{
    TLanguageFile f;
    f.LoadFromBytes("[Tips]\n; a comment\n\n1=one\nno equals here\n2=two\n3=\n");
    EXPECT_EQ(f.SectionLineCount("Tips"), 4);
    EXPECT_EQ(f.ReadString("Tips", "3"), "");
    EXPECT_TRUE(f.HasKey("Tips", "3"));
    EXPECT_FALSE(f.HasKey("Tips", "no equals here"));
}

TEST(LanguageFileTest, ValueKeepsEqualsAfterTheFirstAndReadingStopsAtNul)
{
    TLanguageFile f;
    f.LoadFromBytes(std::string("[A]\nx=a=b\ny=1\0\nz=2\n", 18));
    EXPECT_EQ(f.ReadString("A", "x"), "a=b");
    EXPECT_EQ(f.ReadString("A", "y"), "1");
    EXPECT_FALSE(f.HasKey("A", "z"));
}

TEST(LanguageFileTest, FileVersionAndName)
{
    TLanguageFile f;
    f.LoadFromBytes("[Data]\nFileVersion=3x\n");
    EXPECT_EQ(f.FileVersion(), 0);
    EXPECT_EQ(f.LanguageName(), "(unknown)");
    f.LoadFromBytes("[data]\nfileversion=-7\nNAME=Deutsch\n");
    EXPECT_EQ(f.FileVersion(), -7);
    EXPECT_EQ(f.LanguageName(), "Deutsch");
    f.LoadFromBytes("[Data]\nFileVersion=99999999999999\n");
    EXPECT_EQ(f.FileVersion(), 0);
}

TEST(LanguageFileTest, HostileBytesNeverFail)
{
    std::string bytes;
    for (int i = 0; i < 5000; ++i)
        bytes += static_cast<char>(i % 97 == 0 ? '[' : (i * 131 + 7) % 255 + 1);
    TLanguageFile f;
    f.LoadFromBytes(bytes);
    f.LoadFromBytes("[");
    f.LoadFromBytes("]");
    f.LoadFromBytes("[]\n=\n==\n");
    EXPECT_TRUE(f.HasKey("", ""));
    EXPECT_EQ(f.ReadString("", ""), "");
}

TEST(LanguageFileTest, WindowsOrUtf8ByTheMarkAtTheStart)
{
    const std::string mark = "\xEF\xBB\xBF";
    const struct {
        const char* Case;
        std::string Bytes;
        std::string FirstSection;
        std::string Name;
    } cases[] = {
        {"Windows-1252", "[Data]\r\nName=Portugu\xEAs \x80\r\n", "Data", "Português €"},
        {"UTF-8, Greek", mark + "[Data]\r\nName=Ελληνικά\r\n", "Data", "Ελληνικά"},
        {"UTF-8, Cyrillic section", mark + "[Словари]\nName=Толковый\n", "Словари", "(unknown)"},
        {"UTF-8 without the mark", "[Data]\nName=Ελ\n", "Data", "Î•Î»"},
        {"a mark later on", "[Data]\nName=" + mark + "x\n", "Data", "ï»¿x"},
        {"invalid UTF-8", mark + "[Data]\nName=Portugu\xEAs\xCE\n", "Data", "Portugu\uFFFDs\uFFFD"},
        // A cut character must not take the line end with it.
        {"cut before a line end", mark + "[Data]\n1=\xE2\x82\nName=ok\n", "Data", "ok"},
        {"mark only", mark, "", "(unknown)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        TLanguageFile f;
        f.LoadFromBytes(c.Bytes);
        const std::vector<std::string> sections = f.SectionNames();
        EXPECT_EQ(sections.empty() ? "" : sections.front(), c.FirstSection);
        EXPECT_EQ(f.LanguageName(), c.Name);
    }
}

TEST(BuiltInEnglishTest, HoldsEverySectionAndTheTips)
{
    TLanguageFile f;
    f.LoadFromBytes(TLanguage::BuiltInEnglish().toStdString());
    EXPECT_EQ(f.FileVersion(), 3);
    EXPECT_EQ(f.LanguageName(), "English");
    EXPECT_EQ(f.SectionNames(),
              (std::vector<std::string>{"Data", "Main", "Settings", "About", "Download", "Information",
                                        "Preset", "VocabularyAssembly", "VocabularyTest", "Tips"}));
    EXPECT_EQ(f.SectionLineCount("Tips"), 21);
    EXPECT_EQ(
        f.ReadString("Tips", "8"),
        "You can get more information about the current dictionary by clicking \"(information)\" in the "
        "status bar.");
    EXPECT_EQ(f.ReadString("Main", "8008"),
              "Lirabo was unable to load the dictionary. Please ensure that the file is not corrupt.");
    EXPECT_EQ(f.ReadString("Main", "9018t"), "Perform advanced search with wildcards");
    EXPECT_EQ(f.ReadString("Settings", "9010"), "Selected background");
    EXPECT_EQ(f.ReadString("VocabularyAssembly", "9004"), "Lirabo Vocabulary Files (*.lvf)");
    EXPECT_EQ(f.ReadString("Preset", "1001"), "Select preset to delete:");
    const QByteArray raw = TLanguage::BuiltInEnglish();
    EXPECT_TRUE(raw.startsWith(";"));
    EXPECT_TRUE(raw.contains("Groupbox"));
}

class LanguageFolderTest : public ::testing::Test {
protected:
    QString Write(const QString& Name, const QByteArray& Bytes)
    {
        const QString path = FDir.filePath(Name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(Bytes);
        return path;
    }
    QTemporaryDir FDir;
    TLanguage FLanguage;
};

TEST_F(LanguageFolderTest, OldMissingOrFolderPathFallsBackToEnglish)
{
    EXPECT_FALSE(
        FLanguage.ApplyLanguageFile(Write("old.lng", "[Data]\nFileVersion=2\n[Main]\n1001=Datei\n")));
    EXPECT_EQ(FLanguage.ReadLanguageText("Main", 1001), "File");
    EXPECT_FALSE(FLanguage.ApplyLanguageFile(Write("nodata.lng", "[Main]\n1001=Datei\n")));
    EXPECT_EQ(FLanguage.ReadLanguageText("Main", 1001), "File");
    EXPECT_FALSE(FLanguage.ApplyLanguageFile(FDir.path() + "/"));
    EXPECT_FALSE(FLanguage.ApplyLanguageFile(FDir.filePath("missing.lng")));
    EXPECT_EQ(FLanguage.TipCount(), 21);
}

TEST_F(LanguageFolderTest, AcceptedFileHasNoFallbackPerKey)
{
    const QString path =
        Write("de.lng", "[Data]\nFileVersion=3\n[Main]\n1002=Extras\n[Tips]\n1=a\n2=b\nc\n4=d\n5=e\n");
    EXPECT_TRUE(FLanguage.ApplyLanguageFile(path));
    EXPECT_EQ(FLanguage.ReadLanguageText("Main", 1001), "");
    EXPECT_EQ(FLanguage.ReadLanguageText("Main", 1002), "Extras");
    EXPECT_EQ(FLanguage.TipCount(), 5);
}

TEST_F(LanguageFolderTest, TextIsDecodedFromWindows1252OrUtf8)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    const struct {
        const char* Case;
        QByteArray Bytes;
        bool Accepted;
        const char* Text;  // of key 2001 in [Main]
        const char* Hint;  // of key 9017
    } cases[] = {
        {"Windows-1252", "[Data]\nFileVersion=3\n[Main]\n2001=Mot \xE0 chercher \x80\n9017t=Chercher\n", true,
         "Mot à chercher €", "Chercher"},
        {"UTF-8", mark + "[Data]\r\nFileVersion=3\r\n[Main]\r\n2001=Αναζήτηση:\r\n9017t=Найти\r\n", true,
         "Αναζήτηση:", "Найти"},
        {"UTF-8, too old", mark + "[Data]\nFileVersion=2\n[Main]\n2001=Αναζήτηση:\n", false,
         "Look up:", "Look up"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        EXPECT_EQ(FLanguage.ApplyLanguageFile(Write("file.lng", c.Bytes)), c.Accepted);
        EXPECT_EQ(FLanguage.ReadLanguageText("Main", 2001), QString::fromUtf8(c.Text));
        EXPECT_EQ(FLanguage.ReadLanguageHint("Main", 9017), QString::fromUtf8(c.Hint));
    }
}

TEST(ApplyLanguageTest, TagsGiveTextsHintsAndMenuCaptions)
{
    TLanguage language;
    ASSERT_TRUE(language.Ini().HasSection("Main"));
    QWidget window;
    SetTag(&window, 1);
    auto* layout = new QVBoxLayout(&window);
    auto* label = new QLabel("design text", &window);
    SetTag(label, 2001);
    auto* untagged = new QLabel("keeps me", &window);
    auto* button = new QToolButton(&window);
    button->setText("x");
    SetTag(button, 9017);
    auto* unknown = new QLabel("loses me", &window);
    unknown->setToolTip("old tip");
    SetTag(unknown, 2999);
    auto* tabs = new QTabWidget(&window);
    auto* page = new QWidget;
    tabs->addTab(page, "page");
    SetTag(page, 9002);
    for (QWidget* w :
         {static_cast<QWidget*>(label), static_cast<QWidget*>(untagged), static_cast<QWidget*>(button),
          static_cast<QWidget*>(unknown), static_cast<QWidget*>(tabs)})
        layout->addWidget(w);
    auto* bar = new QMenuBar(&window);
    QMenu* file = bar->addMenu("f");
    SetTag(file->menuAction(), 1001);
    QAction* exit = file->addAction("e");
    SetTag(exit, 1006);
    QAction* plain = file->addAction("plain");

    ApplyLanguageToControl(language, &window, "Main");

    EXPECT_EQ(window.windowTitle(), "Lirabo");
    EXPECT_EQ(label->text(), "Look up:");
    EXPECT_EQ(untagged->text(), "keeps me");
    EXPECT_EQ(button->text(), "");
    EXPECT_EQ(button->toolTip(), "Look up");
    EXPECT_EQ(unknown->text(), "");
    EXPECT_EQ(unknown->toolTip(), "");
    EXPECT_EQ(tabs->tabText(0), "Advanced");
    EXPECT_EQ(file->menuAction()->text(), "File");
    EXPECT_EQ(exit->text(), "Exit");
    EXPECT_EQ(plain->text(), "plain");
}

TEST_F(LanguageFolderTest, MarkupInADownloadedFileIsShownAsItStands)
{
    // Texts that a label or a tool tip would take for rich text, with a link.
    const char* texts[] = {"<a href=\"file:///etc/passwd\">Look up:</a>", "<b>bold</b> & <i>x",
                           "a < b & c > d", "plain"};
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        ASSERT_TRUE(FLanguage.ApplyLanguageFile(Write(
            "evil.lng", QByteArray("[Data]\nFileVersion=3\n[Main]\n2001=") + text + "\n9017t=" + text + "\n")));
        QWidget window;
        SetTag(&window, 1);
        auto* label = new QLabel(&window);
        SetTag(label, 2001);
        auto* button = new QToolButton(&window);
        SetTag(button, 9017);
        ApplyLanguageToControl(FLanguage, &window, "Main");
        EXPECT_EQ(label->textFormat(), Qt::PlainText);
        EXPECT_EQ(label->text(), text);
        // What the tool tip shows, read back as a tool tip reads it.
        QTextDocument shown;
        if (Qt::mightBeRichText(button->toolTip()))
            shown.setHtml(button->toolTip());
        else
            shown.setPlainText(button->toolTip());
        EXPECT_EQ(shown.toPlainText().trimmed(), QString(text));
    }
}

TEST(ApplyLanguageTest, UntaggedWindowIsNotTouched)
{
    TLanguage language;
    QWidget window;
    window.setWindowTitle("mine");
    auto* label = new QLabel("design", &window);
    SetTag(label, 2001);
    ApplyLanguageToControl(language, &window, "Main");
    EXPECT_EQ(window.windowTitle(), "mine");
    EXPECT_EQ(label->text(), "design");
}

}  // namespace
}  // namespace lirabo
