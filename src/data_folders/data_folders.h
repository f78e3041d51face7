#pragma once

#include <QFileInfoList>
#include <QString>
#include <QStringList>

namespace lirabo {

// The kinds of data Lirabo keeps in folders of their own.
enum class TDataKind { Dictionaries, Lang, Vocabulary, Help };

// Where one run of Lirabo reads and writes its data.
//
// A portable copy (a program folder that is not part of an installation)
// keeps its data beside the program, reads and writes it there, and also
// reads what the user and the system hold. An installed copy (the program
// in <prefix>/bin beside <prefix>/share/lirabo) never writes into the
// installation: it writes into the user's folder $XDG_DATA_HOME/lirabo and
// reads that first, then lirabo/ in each of $XDG_DATA_DIRS, then its own
// <prefix>/share/lirabo.
class TDataFolders {
public:
    // The environment the rule depends on; tests pass their own.
    struct TEnvironment {
        QString Home;
        QString DataHome;  // $XDG_DATA_HOME, may be empty
        QString DataDirs;  // $XDG_DATA_DIRS, may be empty

        static TEnvironment FromProcess();
    };

    TDataFolders(const QString& ProgramFolder, const TEnvironment& Environment);
    // The rule for a program in ProgramFolder under this process's environment.
    static TDataFolders ForProgram(const QString& ProgramFolder);

    bool Installed() const { return FInstalled; }

    // The folders that may hold Kind, most important first, without two
    // spellings of one folder; missing folders are listed too.
    QStringList ReadFolders(TDataKind Kind) const;
    // Where new files of Kind go: the first of ReadFolders.
    QString WriteFolder(TDataKind Kind) const;
    // Makes WriteFolder when it is missing. False, with a message naming the
    // folder, when it cannot be made or written to.
    bool MakeWriteFolder(TDataKind Kind, QString& Error) const;

    // The files of Kind that match NameFilters (wildcards, letter case
    // ignored) in all folders, by file name without regard to case; a name
    // found in more than one folder is taken from the first.
    QFileInfoList Files(TDataKind Kind, const QStringList& NameFilters) const;
    // The same over any list of folders.
    static QFileInfoList FilesIn(const QStringList& Folders, const QStringList& NameFilters);
    // The path of the first file called Name among ReadFolders; empty when
    // no folder has it.
    QString FindFile(TDataKind Kind, const QString& Name) const;
    // The same without regard to letter case, as the catalogue and the
    // language list take names: the file a new one called Name would
    // stand beside or in front of.
    QString FindFileAnyCase(TDataKind Kind, const QString& Name) const;

    static QString FolderName(TDataKind Kind);

private:
    bool FInstalled = false;
    QStringList FRoots;  // folders holding Dictionaries/, Lang/, ...; first is written to
};

}  // namespace lirabo
