#include "vocabulary/vocabulary_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "vocabulary/vocabulary_format.h"

namespace lirabo {

namespace {

TVocabularyFile::TResult Failure(TVocabularyFile::TStatus Status, const QString& Error = {})
{
    return {Status, Error};
}

}  // namespace

bool TVocabularyFile::Parse(const QByteArray& Bytes, QStringList& Lines)
{
    std::vector<std::string> lines;
    if (!ParseVocabulary(std::string_view(Bytes.constData(), static_cast<size_t>(Bytes.size())), lines))
        return false;
    Lines.clear();
    for (const std::string& line : lines)
        Lines << QString::fromStdString(line);
    return true;
}

QByteArray TVocabularyFile::Serialize(const QStringList& Lines)
{
    std::vector<std::string> lines;
    for (const QString& line : Lines)
        lines.push_back(line.toStdString());
    const std::string bytes = SerializeVocabulary(lines);
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

TVocabularyFile::TResult TVocabularyFile::Load(const QString& Path, QStringList& Lines)
{
    QFile file(Path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure(TStatus::CannotRead, file.errorString());
    constexpr auto limit = static_cast<qint64>(kMaxVocabularyFileSize);
    if (file.size() > limit)
        return Failure(TStatus::NotAList);
    // A device that reports no size (a pipe) is read only up to the limit.
    const QByteArray bytes = file.read(limit + 1);
    if (file.error() != QFileDevice::NoError)
        return Failure(TStatus::CannotRead, file.errorString());
    if (!Parse(bytes, Lines))
        return Failure(TStatus::NotAList);
    return {};
}

TVocabularyFile::TResult TVocabularyFile::Save(const QString& Path, const QStringList& Lines)
{
    QSaveFile file(Path);
    if (!file.open(QIODevice::WriteOnly))
        return Failure(TStatus::CannotWrite, file.errorString());
    const QByteArray bytes = Serialize(Lines);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return Failure(TStatus::CannotWrite, file.errorString());
    return {};
}

TVocabularyFile::TResult TVocabularyFile::Append(const QString& Path, const QString& Line)
{
    QStringList lines;
    if (QFileInfo::exists(Path)) {
        if (const TResult loaded = Load(Path, lines); !loaded.Ok())
            return loaded;
    } else if (const QString folder = QFileInfo(Path).absolutePath(); !QDir().mkpath(folder)) {
        return Failure(TStatus::CannotWrite, QStringLiteral("Cannot create the folder %1").arg(folder));
    }
    lines << Line;
    return Save(Path, lines);
}

}  // namespace lirabo
