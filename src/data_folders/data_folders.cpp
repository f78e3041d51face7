#include "data_folders/data_folders.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace lirabo {

namespace {

const QString kSubfolder = QStringLiteral("lirabo");

// Relative entries in the XDG variables are invalid and must be ignored.
bool Usable(const QString& Path)
{
    return !Path.isEmpty() && QDir::isAbsolutePath(Path);
}

// One spelling per folder: links and "a/../b" name the folder they lead to.
QString Canonical(const QString& Path)
{
    const QString real = QFileInfo(Path).canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(QDir(Path).absolutePath()) : real;
}

}  // namespace

TDataFolders::TEnvironment TDataFolders::TEnvironment::FromProcess()
{
    return {QDir::homePath(), qEnvironmentVariable("XDG_DATA_HOME"), qEnvironmentVariable("XDG_DATA_DIRS")};
}

TDataFolders::TDataFolders(const QString& ProgramFolder, const TEnvironment& Environment)
{
    const QString program = QDir::cleanPath(QDir(ProgramFolder).absolutePath());
    // An installation keeps its data in share/lirabo beside bin/; a folder
    // without it is a portable copy, whatever else lies around it.
    const QString shared = QDir::cleanPath(program + QStringLiteral("/../share/") + kSubfolder);
    FInstalled = QFileInfo(shared).isDir();

    QStringList roots;
    if (!FInstalled)
        roots << program;
    const QString dataHome = Usable(Environment.DataHome)
                                 ? Environment.DataHome
                                 : QDir(Environment.Home).filePath(QStringLiteral(".local/share"));
    roots << QDir(dataHome).filePath(kSubfolder);
    QStringList dataDirs;
    for (const QString& dir : Environment.DataDirs.split(QLatin1Char(':'), Qt::SkipEmptyParts)) {
        if (Usable(dir))
            dataDirs << dir;
    }
    if (dataDirs.isEmpty())
        dataDirs = {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")};
    for (const QString& dir : dataDirs)
        roots << QDir(dir).filePath(kSubfolder);
    if (FInstalled)
        roots << shared;

    QSet<QString> seen;
    for (const QString& root : roots) {
        const QString folder = Canonical(root);
        if (!seen.contains(folder)) {
            seen.insert(folder);
            FRoots << QDir::cleanPath(root);
        }
    }
}

TDataFolders TDataFolders::ForProgram(const QString& ProgramFolder)
{
    return TDataFolders(ProgramFolder, TEnvironment::FromProcess());
}

QString TDataFolders::FolderName(TDataKind Kind)
{
    switch (Kind) {
        case TDataKind::Dictionaries:
            return QStringLiteral("Dictionaries");
        case TDataKind::Lang:
            return QStringLiteral("Lang");
        case TDataKind::Vocabulary:
            return QStringLiteral("Vocabulary");
        case TDataKind::Help:
            return QStringLiteral("Help");
    }
    return {};
}

QStringList TDataFolders::ReadFolders(TDataKind Kind) const
{
    QStringList folders;
    for (const QString& root : FRoots)
        folders << QDir(root).filePath(FolderName(Kind));
    return folders;
}

QString TDataFolders::WriteFolder(TDataKind Kind) const
{
    return QDir(FRoots.front()).filePath(FolderName(Kind));
}

bool TDataFolders::MakeWriteFolder(TDataKind Kind, QString& Error) const
{
    const QString folder = WriteFolder(Kind);
    const QFileInfo info(folder);
    if (info.exists() && !info.isDir()) {
        Error = QStringLiteral("%1 is a file, not a folder.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!info.exists() && !QDir().mkpath(folder)) {
        Error = QStringLiteral("The folder %1 could not be created.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (!QFileInfo(folder).isWritable()) {
        Error = QStringLiteral("The folder %1 cannot be written to.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    return true;
}

QFileInfoList TDataFolders::Files(TDataKind Kind, const QStringList& NameFilters) const
{
    return FilesIn(ReadFolders(Kind), NameFilters);
}

QFileInfoList TDataFolders::FilesIn(const QStringList& Folders, const QStringList& NameFilters)
{
    QFileInfoList files;
    QSet<QString> names;
    for (const QString& folder : Folders) {
        const QFileInfoList found =
            QDir(folder).entryInfoList(NameFilters, QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
        // Within one folder both spellings of a name are files of their own;
        // across folders a name stands for one file, the first folder's.
        QSet<QString> here;
        for (const QFileInfo& file : found) {
            const QString key = file.fileName().toCaseFolded();
            if (names.contains(key))
                continue;
            here.insert(key);
            files << file;
        }
        names.unite(here);
    }
    // File names give an order the user can predict, wherever the files are.
    std::stable_sort(files.begin(), files.end(), [](const QFileInfo& A, const QFileInfo& B) {
        return A.fileName().compare(B.fileName(), Qt::CaseInsensitive) < 0;
    });
    return files;
}

QString TDataFolders::FindFile(TDataKind Kind, const QString& Name) const
{
    if (Name.isEmpty())
        return {};
    for (const QString& folder : ReadFolders(Kind)) {
        const QFileInfo file(QDir(folder).filePath(Name));
        if (file.isFile())
            return file.filePath();
    }
    return {};
}

QString TDataFolders::FindFileAnyCase(TDataKind Kind, const QString& Name) const
{
    if (Name.isEmpty())
        return {};
    for (const QString& folder : ReadFolders(Kind)) {
        const QDir dir(folder);
        for (const QString& entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System)) {
            if (entry.compare(Name, Qt::CaseInsensitive) == 0)
                return dir.filePath(entry);
        }
    }
    return {};
}

}  // namespace lirabo
