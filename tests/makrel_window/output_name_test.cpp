#include "output_name.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "builder_fixture.h"

namespace makrel {
namespace {

TEST(OutputNameTest, TheSourceSuggestsTheName)
{
    EXPECT_EQ(DefaultOutputName("/data/words.tsv"), "words.ldi");
    EXPECT_EQ(DefaultOutputName("/usr/share/dictd/freedict-eng-deu.index"), "freedict-eng-deu.ldi");
    EXPECT_EQ(DefaultOutputName("  /data/stardict-en.2.4.2.ifo "), "stardict-en.2.4.2.ldi");
    EXPECT_EQ(DefaultOutputName(""), "");
    EXPECT_EQ(DefaultOutputName("/"), "");

    // A folder keeps its whole name, with or without a closing slash.
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkdir("wordnet-3.0"));
    EXPECT_EQ(DefaultOutputName(root.filePath("wordnet-3.0")), "wordnet-3.0.ldi");
    EXPECT_EQ(DefaultOutputName(root.filePath("wordnet-3.0") + "/"), "wordnet-3.0.ldi");
}

TEST(OutputNameTest, TypedNamesStayInsideTheDictionariesFolder)
{
    QString error;
    EXPECT_EQ(CheckedOutputName("fruit", error), "fruit.ldi");
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(CheckedOutputName(" Fruit.LDI ", error), "Fruit.LDI");
    EXPECT_EQ(CheckedOutputName("two words", error), "two words.ldi");
    EXPECT_EQ(CheckedOutputName("..", error), "...ldi");  // a plain file name, not the parent

    for (const QString& bad :
         {QString(), QString("   "), QString(".ldi"), QString("../fruit.ldi"), QString("/tmp/fruit.ldi"),
          QString("sub/fruit"), QString("a") + QChar(0) + "b"}) {
        SCOPED_TRACE(bad.toStdString());
        EXPECT_EQ(CheckedOutputName(bad, error), QString());
        EXPECT_FALSE(error.isEmpty());
    }
}

}  // namespace
}  // namespace makrel
