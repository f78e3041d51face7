#pragma once

// Source files for the builder's tests and probe, written into a temporary
// folder, and a look at what a build left in a folder.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>
#include <string>

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

namespace makrel::test {

class TSourceFolder {
public:
    QString Path() const { return FDir.path(); }
    QString FilePath(const QString& Name) const { return FDir.filePath(Name); }
    std::string Local(const QString& Name) const { return QFile::encodeName(FilePath(Name)).toStdString(); }

    QString Write(const QString& Name, const QByteArray& Bytes) const
    {
        QFile file(FilePath(Name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            file.write(Bytes);
        return FilePath(Name);
    }

    // Lines entries of "wordN<TAB>definition N": large enough that reading
    // and writing both report progress many times over.
    QString WriteBig(const QString& Name, int Lines) const
    {
        QByteArray bytes;
        bytes.reserve(Lines * 40);
        for (int i = 0; i < Lines; ++i)
            bytes += "word" + QByteArray::number(i) + "\tdefinition number " + QByteArray::number(i) + "\n";
        return Write(Name, bytes);
    }

private:
    QTemporaryDir FDir;
};

// Every name in Folder, hidden ones included: temporaries are hidden.
inline QStringList Contents(const QString& Folder)
{
    return QDir(Folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

inline QByteArray ReadAll(const QString& FileName)
{
    QFile file(FileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace makrel::test
