#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "search/background_search.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

// Every third entry mentions a river; sections are small, so a scan has
// many steps to report and to stop between.
std::vector<test::Entry> RiverEntries(int Count)
{
    std::vector<test::Entry> entries = test::NumberedEntries(Count);
    for (int i = 0; i < Count; i += 3)
        entries[i].Definition += " by the River";
    return entries;
}

class BackgroundSearchTest : public ::testing::Test {
protected:
    std::string Write(const test::Bytes& Bytes, const char* Name = "test.ldi")
    {
        const QString path = FFolder.filePath(QString::fromLatin1(Name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(Bytes.data()), static_cast<qint64>(Bytes.size()));
        return QFile::encodeName(path).toStdString();
    }

    // Counts the events, and what the search had found when it finished.
    void Watch(TBackgroundSearch& Search)
    {
        Search.OnProgress = [this](int Percent) { FProgress.push_back(Percent); };
        Search.OnFinished = [this, &Search] {
            ++FFinished;
            FCount = Search.Result().Count;
        };
    }

    QTemporaryDir FFolder;
    std::vector<int> FProgress;
    int FFinished = 0;
    int FCount = -1;
};

TEST_F(BackgroundSearchTest, FileSearchesFindByBothKindsAndReportGrowingProgress)
{
    const std::string file = Write(test::BuildDictionary(RiverEntries(3000), 32));
    TBackgroundSearch search;
    Watch(search);

    search.SearchFile(TSearchKind::Definitions, "river", file);
    EXPECT_TRUE(search.Running());
    ASSERT_TRUE(search.WaitForResult());
    EXPECT_FALSE(search.Running());
    EXPECT_EQ(FFinished, 1);
    EXPECT_EQ(FCount, 1000);
    ASSERT_EQ(search.Result().Items.size(), 1000u);
    EXPECT_EQ(search.Result().Items[1].Word, "w003");
    EXPECT_FALSE(search.Result().Failed);
    ASSERT_FALSE(FProgress.empty());
    EXPECT_TRUE(std::is_sorted(FProgress.begin(), FProgress.end()));
    EXPECT_EQ(std::adjacent_find(FProgress.begin(), FProgress.end()), FProgress.end()) << "each share once";
    EXPECT_LE(FProgress.back(), 100);

    search.SearchFile(TSearchKind::Headwords, "w1?0", file);
    ASSERT_TRUE(search.WaitForResult());
    EXPECT_EQ(FFinished, 2);
    EXPECT_EQ(FCount, 10);  // w100, w110, ... w190
}

TEST_F(BackgroundSearchTest, StoppedOrReplacedSearchesSendNothingMore)
{
    const std::string file = Write(test::BuildDictionary(RiverEntries(20000), 32));
    TBackgroundSearch search;
    Watch(search);

    search.SearchFile(TSearchKind::Definitions, "river", file);
    search.Stop();
    EXPECT_FALSE(search.Running());
    QTest::qWait(100);
    EXPECT_EQ(FFinished, 0);
    EXPECT_TRUE(FProgress.empty());

    // A second search replaces the first: one result, the second's.
    search.SearchFile(TSearchKind::Definitions, "river", file);
    QTest::qWait(5);
    search.SearchFile(TSearchKind::Headwords, "w1234?", file);
    ASSERT_TRUE(search.WaitForResult());
    QTest::qWait(50);
    EXPECT_EQ(FFinished, 1);
    EXPECT_EQ(FCount, 10);  // w12340 ... w12349

    // A search still running when the object goes is stopped and joined.
    {
        TBackgroundSearch dropped;
        dropped.SearchFile(TSearchKind::Definitions, "river", file);
    }
}

TEST_F(BackgroundSearchTest, UnreadableFilesFinishAsFailedWithNothingFound)
{
    test::Bytes damaged = test::BuildDictionary(RiverEntries(600), 32);
    damaged.resize(damaged.size() * 2 / 3);
    for (const std::string& file : {Write(damaged, "damaged.ldi"), FFolder.filePath("missing.ldi").toStdString()}) {
        TBackgroundSearch search;
        Watch(search);
        search.SearchFile(TSearchKind::Definitions, "river", file);
        ASSERT_TRUE(search.WaitForResult()) << file;
        EXPECT_TRUE(search.Result().Failed) << file;
        EXPECT_TRUE(search.Result().Items.empty()) << file;
    }
    EXPECT_EQ(FFinished, 2);
}

TEST_F(BackgroundSearchTest, ListSearchesReadTheListInPlaceAndLeaveItAsItWas)
{
    std::vector<TWordItem> list;
    for (const test::Entry& e : RiverEntries(30))
        list.push_back({e.Word, e.Definition});
    const std::vector<TWordItem> before = list;
    TBackgroundSearch search;
    Watch(search);

    search.SearchList(TSearchKind::Definitions, "RIVER d1", list, TTextEncoding::Windows1252);
    ASSERT_TRUE(search.WaitForResult());
    EXPECT_EQ(list, before);
    std::vector<std::string> words;
    for (const TWordItem& item : search.Result().Items)
        words.push_back(item.Word);
    EXPECT_EQ(words, (std::vector<std::string>{"w012", "w015", "w018"}));  // "d1" is in d12, d15, d18...

    search.SearchList(TSearchKind::Headwords, "w02*", list, TTextEncoding::Windows1252);
    ASSERT_TRUE(search.WaitForResult());
    EXPECT_EQ(FCount, 10);
}

}  // namespace
}  // namespace lirabo

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
