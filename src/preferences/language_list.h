#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace lirabo {

// One entry of the settings dialog's language list.
struct TLanguageChoice {
    QString FileName;  // in the Lang folder; empty for the built-in English
    QString Name;      // as the list shows it
};

// The built-in English first, then every "*.lng" file of Folders that reads
// as a language file the program accepts, sorted by file name without regard
// to case; a name in more than one folder comes from the first. A file that cannot be read, or whose FileVersion is too old, is
// left out: choosing it would silently give English.
std::vector<TLanguageChoice> ListLanguages(const QStringList& Folders);

// The entry whose file name equals FileName without regard to case; -1 when
// there is none (the file is gone from the folder).
int FindLanguage(const std::vector<TLanguageChoice>& Languages, const QString& FileName);

}  // namespace lirabo
