#pragma once

#include <QString>
#include <vector>

namespace lirabo {

// What the built-in pages tell about this installation.
struct TPageFacts {
    struct TOnlineDictionary {
        QString Caption;
        QString Address;  // the template with "%1"
    };
    std::vector<TOnlineDictionary> OnlineDictionaries;
    QString DictionaryFolder;
    QString LanguageFolder;
    bool HasBuilder = false;  // the builder window is installed
    QString SupportEmail;
    QString Version;
};

// The pages that stand in for a web site of the program's maker: the home
// page of the Internet tab, how to add dictionaries and languages, where to
// report problems. They are built into the program and need no network.
// Their addresses ("lirabo:home", ...) are the defaults of the page
// settings; to be shown, by the minibrowser or the system's browser alike,
// they are written as local files.
class TBuiltInPages {
public:
    static constexpr const char* kHome = "lirabo:home";
    static constexpr const char* kDictionaries = "lirabo:dictionaries";
    static constexpr const char* kLanguages = "lirabo:languages";
    static constexpr const char* kFeedback = "lirabo:feedback";

    // Whether Address names one of the pages (letter case ignored).
    static bool IsBuiltIn(const QString& Address);

    // The page of Address as HTML; empty when Address names none.
    static QString Html(const QString& Address, const TPageFacts& Facts);

    // Writes every page into Folder (created when missing), so that their
    // links to each other work, and returns the file address of Address's
    // page; empty when Address names none or the files cannot be written.
    static QString LocalCopy(const QString& Address, const TPageFacts& Facts, const QString& Folder);
};

}  // namespace lirabo
