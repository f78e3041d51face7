// The .lvf format byte for byte, the refusal of files that are no list, and
// saves that never leave half a file.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "vocabulary/vocabulary_file.h"

namespace lirabo {
namespace {

QStringList Parsed(const QByteArray& Bytes)
{
    QStringList lines{QStringLiteral("untouched")};
    EXPECT_TRUE(TVocabularyFile::Parse(Bytes, lines)) << Bytes.toStdString();
    return lines;
}

QByteArray ReadAll(const QString& Path)
{
    QFile file(Path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void WriteAll(const QString& Path, const QByteArray& Bytes)
{
    QFile file(Path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(Bytes);
}

TEST(VocabularyFormat, LineEndsOfEveryKindAndWhatLinesHold)
{
    EXPECT_EQ(Parsed("house=Haus\r\nbook=Buch\r\n"), QStringList({"house=Haus", "book=Buch"}));
    EXPECT_EQ(Parsed("a=1\rb=2\nc=3\r\n"), QStringList({"a=1", "b=2", "c=3"}));
    // A last line without its end is a row; an empty line inside is one too.
    EXPECT_EQ(Parsed("a=1\r\n\r\nb=2"), QStringList({"a=1", "", "b=2"}));
    // LF CR is two line ends, not one.
    EXPECT_EQ(Parsed("a=1\n\rb=2"), QStringList({"a=1", "", "b=2"}));
    EXPECT_EQ(Parsed("a=b=c\r\n"), QStringList({"a=b=c"}));
    // Blanks and case are the user's; tabs are text.
    EXPECT_EQ(Parsed(" Haus =\tthe house \r\n"), QStringList({" Haus =\tthe house "}));
    EXPECT_EQ(Parsed(""), QStringList());
    // Reading stops at the first NUL, whatever follows it.
    EXPECT_EQ(Parsed(QByteArray("a=1\r\nb=2\0c=3\x01\x02", 13)), QStringList({"a=1", "b=2"}));
    EXPECT_EQ(Parsed(QByteArray("\0a=1", 4)), QStringList());
}

TEST(VocabularyFormat, WritesCrLfAfterEveryLineAndNothingForAnEmptyList)
{
    const QByteArray bytes = TVocabularyFile::Serialize({"house=Haus", "book=Buch"});
    EXPECT_EQ(bytes, QByteArray("house=Haus\r\nbook=Buch\r\n"));
    EXPECT_EQ(bytes.size(), 23);
    EXPECT_EQ(TVocabularyFile::Serialize({}), QByteArray());
    EXPECT_EQ(TVocabularyFile::Serialize({"", "="}), QByteArray("\r\n=\r\n"));
}

TEST(VocabularyFormat, CodePageAndUnicodeBothSurviveASave)
{
    // Windows-1252 is the format's code page, and stays so when it can.
    EXPECT_EQ(TVocabularyFile::Serialize({QString::fromUtf8("café=Kaffee")}), QByteArray("caf\xE9=Kaffee\r\n"));
    EXPECT_EQ(Parsed("caf\xE9=Kaffee\x80\r\n"), QStringList({QString::fromUtf8("café=Kaffee€")}));
    // Text the code page cannot hold is written as UTF-8 rather than lost.
    const QStringList polish{QString::fromUtf8("łódź=boat"), QString::fromUtf8("café=coffee")};
    EXPECT_EQ(Parsed(TVocabularyFile::Serialize(polish)), polish);
    // Windows-1252 bytes that would read back as other text are not risked.
    const QStringList mojibake{QString::fromUtf8("Ã©=e acute, twice encoded")};
    EXPECT_EQ(Parsed(TVocabularyFile::Serialize(mojibake)), mojibake);
}

TEST(VocabularyFormat, RefusesWhatIsNoList)
{
    QStringList lines{"kept"};
    EXPECT_FALSE(TVocabularyFile::Parse(QByteArray("\x7F" "ELF\x02\x01\x01", 7), lines));
    EXPECT_FALSE(TVocabularyFile::Parse(QByteArray("\x89PNG\r\n\x1A\n", 8), lines));
    EXPECT_FALSE(TVocabularyFile::Parse(QByteArray("a=b\x1B[31m"), lines));
    EXPECT_EQ(lines, QStringList{"kept"});
}

class VocabularyFileTest : public ::testing::Test {
protected:
    QString Path(const char* Name) const { return QDir(FDir.path()).filePath(QLatin1String(Name)); }
    QTemporaryDir FDir;
};

TEST_F(VocabularyFileTest, LoadsAndSavesWholeFiles)
{
    const QString path = Path("words.lvf");
    WriteAll(path, "one=eins\ntwo=zwei");
    QStringList lines;
    ASSERT_TRUE(TVocabularyFile::Load(path, lines).Ok());
    EXPECT_EQ(lines, QStringList({"one=eins", "two=zwei"}));
    ASSERT_TRUE(TVocabularyFile::Save(path, lines).Ok());
    EXPECT_EQ(ReadAll(path), QByteArray("one=eins\r\ntwo=zwei\r\n"));
    ASSERT_TRUE(TVocabularyFile::Save(path, {}).Ok());
    EXPECT_EQ(ReadAll(path).size(), 0);
    lines = {"x"};
    ASSERT_TRUE(TVocabularyFile::Load(path, lines).Ok());
    EXPECT_TRUE(lines.isEmpty());
}

TEST_F(VocabularyFileTest, FailuresLeaveListAndFileAsTheyWere)
{
    QStringList lines{"kept=behalten"};
    const TVocabularyFile::TResult missing = TVocabularyFile::Load(Path("missing.lvf"), lines);
    EXPECT_EQ(missing.Status, TVocabularyFile::TStatus::CannotRead);
    EXPECT_FALSE(missing.Error.isEmpty());

    // 100 MiB is refused by its size, before anything is read.
    const QString huge = Path("huge.lvf");
    {
        QFile file(huge);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(100 * 1024 * 1024));
    }
    EXPECT_EQ(TVocabularyFile::Load(huge, lines).Status, TVocabularyFile::TStatus::NotAList);
    WriteAll(Path("binary.lvf"), QByteArray("a=b\r\n\x03\x04\x05", 8));
    EXPECT_EQ(TVocabularyFile::Load(Path("binary.lvf"), lines).Status, TVocabularyFile::TStatus::NotAList);
    EXPECT_EQ(lines, QStringList{"kept=behalten"});

    // A save that cannot complete leaves the old file whole.
    const QString old = Path("old.lvf");
    WriteAll(old, "old=alt\r\n");
    QFile::setPermissions(FDir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const TVocabularyFile::TResult saved = TVocabularyFile::Save(old, {"new=neu"});
    QFile::setPermissions(FDir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    if (getuid() != 0) {  // root writes anywhere
        EXPECT_EQ(saved.Status, TVocabularyFile::TStatus::CannotWrite);
        EXPECT_EQ(ReadAll(old), QByteArray("old=alt\r\n"));
    }
    // A folder in place of the file cannot be replaced, by anyone.
    QDir(FDir.path()).mkdir("folder.lvf");
    EXPECT_EQ(TVocabularyFile::Save(Path("folder.lvf"), {"a=b"}).Status, TVocabularyFile::TStatus::CannotWrite);
}

TEST_F(VocabularyFileTest, AppendMakesTheFileAndKeepsWhatItHeld)
{
    const QString path = QDir(Path("new folder")).filePath("My words.lvf");
    ASSERT_TRUE(TVocabularyFile::Append(path, "house=Haus").Ok());
    ASSERT_TRUE(TVocabularyFile::Append(path, "book=Buch").Ok());
    EXPECT_EQ(ReadAll(path), QByteArray("house=Haus\r\nbook=Buch\r\n"));
    // A file without its last line end gets the row on a line of its own.
    WriteAll(path, "a=1");
    ASSERT_TRUE(TVocabularyFile::Append(path, "b=2").Ok());
    EXPECT_EQ(ReadAll(path), QByteArray("a=1\r\nb=2\r\n"));
    // A file that is no list is not touched.
    WriteAll(Path("binary.lvf"), QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(TVocabularyFile::Append(Path("binary.lvf"), "c=3").Status, TVocabularyFile::TStatus::NotAList);
    EXPECT_EQ(ReadAll(Path("binary.lvf")), QByteArray("\x01\x02\x03", 3));
}

}  // namespace
}  // namespace lirabo
