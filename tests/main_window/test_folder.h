#pragma once

// A temporary program folder with dictionaries built through makrel's
// writer, for the catalogue and window tests.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "makrel/core/dictionary_writer.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& Text, std::ostream* Out)
{
    *Out << '"' << Text.toStdString() << '"';
}

namespace lirabo::test {

struct TRelation {
    int From;
    uint8_t Kind;
    int To;
};

class TProgramFolder {
public:
    TProgramFolder() { QDir(FDir.path()).mkpath("Dictionaries"); }

    QString Path() const { return FDir.path(); }
    QString Dictionaries() const { return FDir.filePath("Dictionaries"); }

    // Writes a dictionary named FileName into Folder (default: Dictionaries).
    QString AddDictionary(const QString& FileName, const std::string& Name,
                          const std::vector<std::pair<std::string, std::string>>& Entries,
                          const std::vector<TRelation>& Relations = {}, QString Folder = {},
                          std::string Notice = "Test notice", std::string URL = {},
                          std::string Information = {})
    {
        makrel::TWriterOptions options;
        options.Name = Name;
        options.Notice = std::move(Notice);
        options.URL = std::move(URL);
        options.Information = std::move(Information);
        return AddDictionary(FileName, std::move(options), Entries, Relations, std::move(Folder));
    }

    // The same with the writer's options as given (texts UTF-8; the
    // encoding chosen by the writer unless Options say), in small sections.
    QString AddDictionary(const QString& FileName, makrel::TWriterOptions Options,
                          const std::vector<std::pair<std::string, std::string>>& Entries,
                          const std::vector<TRelation>& Relations = {}, QString Folder = {})
    {
        Options.SectionSize = 4;
        makrel::TDictionaryWriter writer(Options);
        for (const auto& [word, definition] : Entries)
            writer.Add(word, definition);
        for (const TRelation& r : Relations)
            writer.AddRelation(r.From, r.Kind, r.To);
        const QString path = QDir(Folder.isEmpty() ? Dictionaries() : Folder).filePath(FileName);
        writer.WriteFile(QFile::encodeName(path).toStdString());
        return path;
    }

    void WriteFile(const QString& RelativePath, const QByteArray& Bytes)
    {
        QFile f(FDir.filePath(RelativePath));
        if (f.open(QIODevice::WriteOnly))
            f.write(Bytes);
    }

private:
    QTemporaryDir FDir;
};

}  // namespace lirabo::test
