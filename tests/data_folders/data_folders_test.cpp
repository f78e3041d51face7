#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "data_folders/data_folders.h"

namespace lirabo {
namespace {

// A home folder, a system data folder and a program folder, all temporary.
class DataFoldersTest : public ::testing::Test {
protected:
    QString Path(const QString& Relative) const { return QDir::cleanPath(FRoot.filePath(Relative)); }

    void Touch(const QString& Relative)
    {
        const QString path = Path(Relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    TDataFolders::TEnvironment Environment() const
    {
        return {Path("home"), Path("home/data"), Path("system")};
    }

    // The folders the files came from, relative to the temporary root.
    QStringList Sources(const QFileInfoList& Files) const
    {
        QStringList sources;
        for (const QFileInfo& file : Files)
            sources << QDir(FRoot.path()).relativeFilePath(file.filePath());
        return sources;
    }

    QTemporaryDir FRoot;
};

TEST_F(DataFoldersTest, PortableCopyReadsAndWritesBesideTheProgramFirst)
{
    Touch("portable/lirabo");
    Touch("portable/Dictionaries/b.ldi");
    const TDataFolders folders(Path("portable"), Environment());
    EXPECT_FALSE(folders.Installed());
    EXPECT_EQ(folders.WriteFolder(TDataKind::Dictionaries), Path("portable/Dictionaries"));
    EXPECT_EQ(folders.ReadFolders(TDataKind::Lang),
              (QStringList{Path("portable/Lang"), Path("home/data/lirabo/Lang"), Path("system/lirabo/Lang")}));
    EXPECT_EQ(Sources(folders.Files(TDataKind::Dictionaries, {"*.ldi"})), QStringList{"portable/Dictionaries/b.ldi"});
}

TEST_F(DataFoldersTest, InstalledCopyWritesOnlyIntoTheUsersFolder)
{
    Touch("usr/bin/lirabo");
    Touch("usr/share/lirabo/Dictionaries/english.ldi");
    Touch("usr/share/lirabo/Help/index.html");
    // A folder beside an installed program is no data folder of it.
    Touch("usr/bin/Dictionaries/stray.ldi");
    const TDataFolders folders(Path("usr/bin"), Environment());
    EXPECT_TRUE(folders.Installed());
    EXPECT_EQ(folders.ReadFolders(TDataKind::Dictionaries),
              (QStringList{Path("home/data/lirabo/Dictionaries"), Path("system/lirabo/Dictionaries"),
                           Path("usr/share/lirabo/Dictionaries")}));
    EXPECT_EQ(Sources(folders.Files(TDataKind::Dictionaries, {"*.LDI"})),
              QStringList{"usr/share/lirabo/Dictionaries/english.ldi"});
    EXPECT_EQ(folders.FindFile(TDataKind::Help, "index.html"), Path("usr/share/lirabo/Help/index.html"));
    EXPECT_EQ(folders.FindFile(TDataKind::Help, "missing.html"), QString());

    QString error;
    ASSERT_TRUE(folders.MakeWriteFolder(TDataKind::Vocabulary, error)) << error.toStdString();
    EXPECT_TRUE(QFileInfo(Path("home/data/lirabo/Vocabulary")).isDir());
    EXPECT_FALSE(QFileInfo::exists(Path("usr/share/lirabo/Vocabulary")));
    EXPECT_FALSE(QFileInfo::exists(Path("usr/bin/Vocabulary")));
}

TEST_F(DataFoldersTest, AllFoldersMergeByFileNameAndTheFirstCopyWins)
{
    Touch("portable/Dictionaries/b.ldi");
    Touch("portable/Dictionaries/English.ldi");
    Touch("home/data/lirabo/Dictionaries/a.ldi");
    Touch("home/data/lirabo/Dictionaries/english.LDI");
    Touch("home/data/lirabo/Dictionaries/notes.txt");
    Touch("system/lirabo/Dictionaries/C.ldi");
    Touch("system/lirabo/Dictionaries/a.ldi");
    const TDataFolders folders(Path("portable"), Environment());
    EXPECT_EQ(Sources(folders.Files(TDataKind::Dictionaries, {"*.ldi"})),
              (QStringList{"home/data/lirabo/Dictionaries/a.ldi", "portable/Dictionaries/b.ldi",
                           "system/lirabo/Dictionaries/C.ldi", "portable/Dictionaries/English.ldi"}));
    EXPECT_EQ(folders.FindFile(TDataKind::Dictionaries, "a.ldi"), Path("home/data/lirabo/Dictionaries/a.ldi"));
}

TEST_F(DataFoldersTest, EnvironmentDefaultsAndOneSpellingPerFolder)
{
    Touch("usr/bin/lirabo");
    Touch("usr/share/lirabo/Lang/x.lng");
    // Relative entries are invalid and left out; the system folder that is
    // also the installation's own, named through a link, is read once.
    ASSERT_TRUE(QFile::link(Path("usr/share"), Path("linked-share")));
    const TDataFolders folders(Path("usr/bin"), {Path("home"), "relative/data", Path("linked-share") + "::relative"});
    EXPECT_EQ(folders.ReadFolders(TDataKind::Lang),
              (QStringList{Path("home/.local/share/lirabo/Lang"), Path("linked-share/lirabo/Lang")}));

    const TDataFolders defaults(Path("usr/bin"), {Path("home"), "", ""});
    EXPECT_EQ(defaults.ReadFolders(TDataKind::Lang),
              (QStringList{Path("home/.local/share/lirabo/Lang"), "/usr/local/share/lirabo/Lang",
                           "/usr/share/lirabo/Lang", Path("usr/share/lirabo/Lang")}));
}

TEST_F(DataFoldersTest, AUserFolderThatCannotBeMadeIsReportedByName)
{
    Touch("usr/bin/lirabo");
    Touch("usr/share/lirabo/Dictionaries/english.ldi");
    // A file where the data folder should be stops even the administrator.
    Touch("home/data");
    const TDataFolders folders(Path("usr/bin"), Environment());
    QString error;
    EXPECT_FALSE(folders.MakeWriteFolder(TDataKind::Dictionaries, error));
    EXPECT_TRUE(error.contains(Path("home/data/lirabo/Dictionaries"))) << error.toStdString();
    // Reading goes on from the other folders.
    EXPECT_EQ(folders.Files(TDataKind::Dictionaries, {"*.ldi"}).size(), 1);

    Touch("home2/data/lirabo/Dictionaries");
    const TDataFolders blocked(Path("usr/bin"), {Path("home2"), Path("home2/data"), Path("system")});
    EXPECT_FALSE(blocked.MakeWriteFolder(TDataKind::Dictionaries, error));
    EXPECT_TRUE(error.contains("not a folder")) << error.toStdString();
}

}  // namespace
}  // namespace lirabo
