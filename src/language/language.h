#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <initializer_list>

#include "language/language_file.h"

namespace lirabo {

// The current language file (LanguageIni): every text the program shows is
// read from it by window section and numeric key. Owned by the main window
// for the whole run and replaced by each ApplyLanguageFile.
class TLanguage {
public:
    // The oldest file format whose keys match the program's.
    static constexpr int kMinimumFileVersion = 3;

    TLanguage();

    // Loads the file at Path; when it cannot be read or its FileVersion is
    // below kMinimumFileVersion, the built-in English file is used instead.
    // Returns whether the file at Path was accepted (the caller then keeps
    // its name, else empties it).
    bool ApplyLanguageFile(const QString& Path);

    // The text of decimal Key in Section; empty when the section or the key
    // is missing.
    QString ReadLanguageText(const QString& Section, int Key) const;
    // The same, from the built-in English file when this file lacks the key
    // (files made before the key existed).
    QString TextOrEnglish(const QString& Section, int Key) const;
    // The same for the key followed by "t".
    QString ReadLanguageHint(const QString& Section, int Key) const;

    // Text with its "%s" placeholders replaced by Parts in order; a part's
    // own "%s" is not taken for a placeholder, and placeholders beyond the
    // parts stay as they are.
    static QString FillPlaceholders(QString Text, const QStringList& Parts);

    // Text with each "%d", in order, replaced by the next of Numbers; a "%d"
    // beyond them is left as it stands, so that a translation with too many
    // placeholders shows them instead of failing.
    static QString FillNumbers(const QString& Text, std::initializer_list<qint64> Numbers);

    // The lines kept in section "Tips", as counted when the file was applied.
    int TipCount() const { return FTipCount; }

    const TLanguageFile& Ini() const { return FIni; }

    // The bytes of the built-in English file.
    static QByteArray BuiltInEnglish();

private:
    TLanguageFile FIni;
    int FTipCount = 0;
};

}  // namespace lirabo
