#include "preferences/language_list.h"

#include <QDir>
#include <algorithm>

#include "dictionary/ansi_codec.h"
#include "language/language_file.h"
#include "main_window/language.h"

namespace lirabo {

std::vector<TLanguageChoice> ListLanguages(const QString& Folder)
{
    std::vector<TLanguageChoice> languages{{QString(), QStringLiteral("English (default)")}};
    const QDir dir(Folder);
    // Name filters match without regard to case.
    QStringList files = dir.entryList({QStringLiteral("*.lng")}, QDir::Files | QDir::Readable | QDir::Hidden);
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    for (const QString& file : files) {
        TLanguageFile ini;
        if (!ini.LoadFromFile(QFile::encodeName(dir.filePath(file)).toStdString()) ||
            ini.FileVersion() < TLanguage::kMinimumFileVersion)
            continue;
        languages.push_back({file, QString::fromStdString(AnsiToUtf8(ini.LanguageName()))});
    }
    return languages;
}

int FindLanguage(const std::vector<TLanguageChoice>& Languages, const QString& FileName)
{
    for (size_t i = 0; i < Languages.size(); ++i) {
        if (Languages[i].FileName.compare(FileName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace lirabo
