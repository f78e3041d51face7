#include "preferences/language_list.h"

#include <QDir>
#include <algorithm>

#include "data_folders/data_folders.h"
#include "language/language.h"
#include "language/language_file.h"

namespace lirabo {

std::vector<TLanguageChoice> ListLanguages(const QStringList& Folders)
{
    std::vector<TLanguageChoice> languages{{QString(), QStringLiteral("English (default)")}};
    // Name filters match without regard to case.
    for (const QFileInfo& file : TDataFolders::FilesIn(Folders, {QStringLiteral("*.lng")})) {
        TLanguageFile ini;
        if (!file.isReadable() || !ini.LoadFromFile(QFile::encodeName(file.filePath()).toStdString()) ||
            ini.FileVersion() < TLanguage::kMinimumFileVersion)
            continue;
        languages.push_back({file.fileName(), QString::fromStdString(ini.LanguageName())});
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
