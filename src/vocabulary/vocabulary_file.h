#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lirabo {

// .lvf files as the windows read and write them (the format is in
// vocabulary_format.h).
class TVocabularyFile {
public:
    enum class TStatus { Ok, CannotRead, CannotWrite, NotAList };

    struct TResult {
        TStatus Status = TStatus::Ok;
        QString Error;  // the platform's message for CannotRead and CannotWrite
        bool Ok() const { return Status == TStatus::Ok; }
    };

    // ParseVocabulary and SerializeVocabulary for Qt text.
    static bool Parse(const QByteArray& Bytes, QStringList& Lines);
    static QByteArray Serialize(const QStringList& Lines);

    // Lines is changed only on success.
    static TResult Load(const QString& Path, QStringList& Lines);
    // Written through a temporary file that replaces Path only once complete.
    static TResult Save(const QString& Path, const QStringList& Lines);
    // Adds Line as the last row of the list at Path, which is made (with its
    // folder) when missing.
    static TResult Append(const QString& Path, const QString& Line);
};

}  // namespace lirabo
