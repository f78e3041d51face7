#include <gtest/gtest.h>

#include "main_window/catalogue.h"
#include "test_folder.h"

namespace lirabo {
namespace {

using test::TProgramFolder;

class CatalogueTest : public ::testing::Test {
protected:
    TCatalogue::TOptions Options(bool HideOnline = false) const
    {
        return {{FFolder.Dictionaries()}, HideOnline, "(online)"};
    }
    TProgramFolder FFolder;
    TCatalogue FCatalogue;
};

TEST_F(CatalogueTest, LocalByFileNameThenCustomThenSortedOnline)
{
    FFolder.AddDictionary("b.ldi", "Bravo", {{"x", "y"}});
    FFolder.AddDictionary("A.LDI", "Alpha", {{"x", "y"}});
    FFolder.AddDictionary("c.ldi", "", {{"x", "y"}});
    FFolder.WriteFile("Dictionaries/broken.ldi", "not a dictionary");
    FFolder.WriteFile("Dictionaries/notes.txt", "ignored");
    FFolder.WriteFile("Dictionaries/online.ini",
                      "[zeta]\nLocation=http://z/%1\n[Alpha Web]\nLocation=http://a/?q=%1\n[nolocation]\n");
    FCatalogue.SetCustom("/elsewhere/mine.ldi", "Custom dictionary");
    FCatalogue.Rebuild(Options());

    EXPECT_EQ(FCatalogue.Captions(),
              (QStringList{"Alpha", "Bravo", "c.ldi", "Custom dictionary", "Alpha Web (online)",
                           "nolocation (online)", "zeta (online)"}));
    EXPECT_EQ(FCatalogue.At(0).Location, FFolder.Dictionaries() + "/A.LDI");
    EXPECT_FALSE(FCatalogue.At(3).Online);
    EXPECT_TRUE(FCatalogue.At(4).Online);
    EXPECT_EQ(FCatalogue.At(4).Location, "http://a/?q=%1");
    EXPECT_EQ(FCatalogue.At(5).Location, "");
}

TEST_F(CatalogueTest, HiddenOnlineAndMissingFolder)
{
    FFolder.WriteFile("Dictionaries/online.ini", "[web]\nLocation=http://w/%1\n");
    FCatalogue.Rebuild(Options(true));
    EXPECT_EQ(FCatalogue.Size(), 0);
    FCatalogue.Rebuild({{FFolder.Path() + "/nowhere"}, false, "(online)"});
    EXPECT_EQ(FCatalogue.Size(), 0);
}

TEST_F(CatalogueTest, FindsFilesIgnoringCaseAndEntriesByIdentity)
{
    const QString path = FFolder.AddDictionary("one.ldi", "One", {{"x", "y"}});
    FFolder.WriteFile("Dictionaries/online.ini", "[web]\nLocation=" + path.toUtf8() + "\n");
    FCatalogue.Rebuild(Options());
    EXPECT_EQ(FCatalogue.FindFile(path.toUpper()), 0);
    EXPECT_EQ(FCatalogue.FindFile(path + "x"), -1);
    // An online entry whose address equals a path is a different entry.
    EXPECT_EQ(FCatalogue.IndexOf(FCatalogue.At(1)), 1);
    EXPECT_EQ(FCatalogue.IndexOf(FCatalogue.At(0)), 0);

    const TCatalogueEntry selected = FCatalogue.At(0);
    FFolder.AddDictionary("a-new.ldi", "New", {{"x", "y"}});
    FCatalogue.Rebuild(Options());
    EXPECT_EQ(FCatalogue.IndexOf(selected), 1);
}

TEST_F(CatalogueTest, EveryFolderOnceByFileNameAndOnlineDictionariesMerged)
{
    const QString user = FFolder.Path() + "/user";
    const QString system = FFolder.Path() + "/system";
    QDir().mkpath(user);
    QDir().mkpath(system);
    FFolder.AddDictionary("b.ldi", "Bravo", {{"x", "y"}});
    FFolder.AddDictionary("a.ldi", "My alpha", {{"x", "y"}}, {}, user);
    FFolder.AddDictionary("a.ldi", "Installed alpha", {{"x", "y"}}, {}, system);
    FFolder.AddDictionary("c.ldi", "Charlie", {{"x", "y"}}, {}, system);
    // A damaged copy still hides the one behind it: the user chose it.
    FFolder.WriteFile("user/d.ldi", "not a dictionary");
    FFolder.AddDictionary("d.ldi", "Delta", {{"x", "y"}}, {}, system);
    FFolder.WriteFile("user/online.ini", "[Web]\nLocation=http://mine/%1\n");
    FFolder.WriteFile("system/online.ini", "[web]\nLocation=http://installed/%1\n[Atlas]\nLocation=http://atlas/%1\n");
    FCatalogue.Rebuild({{FFolder.Dictionaries(), user, system}, false, "(online)"});

    EXPECT_EQ(FCatalogue.Captions(),
              (QStringList{"My alpha", "Bravo", "Charlie", "Atlas (online)", "Web (online)"}));
    EXPECT_EQ(FCatalogue.At(0).Location, user + "/a.ldi");
    EXPECT_EQ(FCatalogue.At(4).Location, "http://mine/%1");
}

TEST_F(CatalogueTest, OnlineNamesAndAddressesInEitherEncoding)
{
    const QByteArray mark = "\xEF\xBB\xBF";
    const struct {
        const char* Case;
        QByteArray Bytes;
        QStringList Captions;
        QStringList Locations;
    } cases[] = {
        {"Windows-1252",
         "[W\xF6rterbuch]\r\nLocation=http://w/?q=%1&l=\xE9\r\n[Atlas]\r\n",
         {"Atlas (online)", "Wörterbuch (online)"},
         {"", "http://w/?q=%1&l=é"}},
        {"UTF-8",
         mark + "[Словарь]\r\n[Λεξικό]\r\nLocation=https://el.example/λέξη/%1\r\n[Atlas]\r\n",
         {"Atlas (online)", "Λεξικό (online)", "Словарь (online)"},
         {"", "https://el.example/λέξη/%1", ""}},
        {"invalid UTF-8",
         mark + "[W\xF6rterbuch]\nLocation=http://w/\xE9%1\n",
         {"W\uFFFDrterbuch (online)"},
         {"http://w/\uFFFD%1"}},
        {"UTF-8 without the mark", "[Λ]\nLocation=λ\n", {"Î› (online)"}, {"Î»"}},
        {"a name in other letter case",
         mark + "[Λεξικό]\nLocation=a\n[ΛΕΞΙΚΌ]\nLocation=b\n[Été]\n[éTÉ]\n",
         {"Été (online)", "Λεξικό (online)"},
         {"", "a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Case);
        FFolder.WriteFile("Dictionaries/online.ini", c.Bytes);
        FCatalogue.Rebuild(Options());
        EXPECT_EQ(FCatalogue.Captions(), c.Captions);
        QStringList locations;
        for (int i = 0; i < FCatalogue.Size(); ++i)
            locations.append(FCatalogue.At(i).Location);
        EXPECT_EQ(locations, c.Locations);
    }
}

}  // namespace
}  // namespace lirabo
