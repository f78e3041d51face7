#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace lirabo {

// One line of the "Look in" list.
struct TCatalogueEntry {
    QString Location;  // a file's full path, or an online address template with "%1"
    QString Caption;
    bool Online = false;

    bool operator==(const TCatalogueEntry&) const = default;
};

// The dictionaries the user can choose: the .ldi files of the dictionary
// folders in file-name order (a name in more than one folder comes from the
// first), then the custom dictionary (a file opened from elsewhere, kept
// across rebuilds), then the online dictionaries of the folders' online.ini
// files sorted by name. The "Look in" list shows the captions and one
// more line, "Add dictionaries...".
class TCatalogue {
public:
    struct TOptions {
        QStringList DictionaryFolders;  // most important first
        bool HideOnlineDictionaries = false;
        QString OnlineMarker;  // appended after a space to online captions
    };

    // Rebuilds the entries from the folder. Files whose header cannot be read
    // are left out; the checksum is not verified here. Never raises.
    void Rebuild(const TOptions& Options);

    // Sets or replaces the custom entry (at most one exists); it takes
    // effect at the next Rebuild.
    void SetCustom(const QString& Location, const QString& Caption);
    const TCatalogueEntry* Custom() const { return FCustom.get(); }

    int Size() const { return static_cast<int>(FEntries.size()); }
    bool Valid(int Index) const { return Index >= 0 && Index < Size(); }
    const TCatalogueEntry& At(int Index) const { return FEntries.at(static_cast<size_t>(Index)); }
    const std::vector<TCatalogueEntry>& Entries() const { return FEntries; }

    // The index of the local or custom entry whose location is Path, letter
    // case ignored unless the two spellings are two existing files; -1 when
    // none.
    int FindFile(const QString& Path) const;
    // The index of the entry that is Entry (same location and kind); -1 when
    // the catalogue no longer holds it.
    int IndexOf(const TCatalogueEntry& Entry) const;

    QStringList Captions() const;

private:
    std::vector<TCatalogueEntry> FEntries;
    std::unique_ptr<TCatalogueEntry> FCustom;
};

// The online dictionaries of the online.ini files in DictionaryFolders,
// sorted by name, captioned with their names alone; a name that occurs more
// than once, in any letter case, counts once, from the first folder and the
// first section. Never raises.
std::vector<TCatalogueEntry> ReadOnlineDictionaries(const QStringList& DictionaryFolders);

// Next and Previous over the catalogue lines of a list of LineCount lines
// whose last line is "Add dictionaries...": never onto that line, with
// wrap-around. Selected is -1 when nothing is selected. Both give -1 when
// the list holds no dictionary line.
int NextDictionaryLine(int Selected, int LineCount);
int PreviousDictionaryLine(int Selected, int LineCount);

// An online dictionary's address: Template with every "%1" replaced by Word,
// percent-encoded as UTF-8 so that "rock & roll" or "C#" reach the site as
// typed. The replaced text is not scanned again.
QString OnlineAddress(const QString& Template, const QString& Word);

}  // namespace lirabo
