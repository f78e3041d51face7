#include "output_name.h"

#include <QFileInfo>

namespace makrel {

namespace {

constexpr const char* kExtension = ".ldi";

}  // namespace

QString DefaultOutputName(const QString& Source)
{
    QString source = Source.trimmed();
    while (source.size() > 1 && source.endsWith('/'))
        source.chop(1);
    if (source.isEmpty() || source == "/")
        return {};
    const QFileInfo info(source);
    // A folder (WordNet) keeps its whole name: "wordnet-3.0" is not "wordnet-3".
    const QString base = info.isDir() ? info.fileName() : info.completeBaseName();
    return base.isEmpty() ? QString() : base + kExtension;
}

QString CheckedOutputName(const QString& Typed, QString& Error)
{
    Error.clear();
    QString name = Typed.trimmed();
    if (name.isEmpty()) {
        Error = "Enter a file name for the dictionary.";
        return {};
    }
    if (name.contains('/') || name.contains(QChar(0))) {
        Error =
            "The file name must not contain a folder: the dictionary is saved in the Dictionaries folder.";
        return {};
    }
    if (!name.endsWith(kExtension, Qt::CaseInsensitive))
        name += kExtension;
    if (name == kExtension) {
        Error = "Enter a file name for the dictionary.";
        return {};
    }
    return name;
}

}  // namespace makrel
