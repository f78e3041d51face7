#include "main_window/catalogue.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QUrl>
#include <algorithm>

#include "data_folders/data_folders.h"
#include "dictionary/ansi_codec.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/display_text.h"
#include "language/language_file.h"

namespace lirabo {

void TCatalogue::SetCustom(const QString& Location, const QString& Caption)
{
    if (!FCustom)
        FCustom = std::make_unique<TCatalogueEntry>();
    FCustom->Location = Location;
    FCustom->Caption = Caption;
    FCustom->Online = false;
}

void TCatalogue::Rebuild(const TOptions& Options)
{
    FEntries.clear();

    const QFileInfoList files = TDataFolders::FilesIn(Options.DictionaryFolders, {QStringLiteral("*.ldi")});
    TDictionaryHeader header;  // one header object serves the whole scan
    for (const QFileInfo& file : files) {
        TCatalogueEntry entry;
        entry.Location = file.filePath();
        try {
            header.LoadFromFile(QFile::encodeName(entry.Location).toStdString(), false);
        } catch (...) {
            // Any fault of a file's header (short, wrong format, unreadable)
            // only leaves that file out of the list.
            continue;
        }
        entry.Caption = header.Name.empty()
                            ? file.fileName()
                            : QString::fromStdString(ToDisplayText(header.Name, header.Text.Encoding));
        FEntries.push_back(std::move(entry));
    }

    if (FCustom)
        FEntries.push_back(*FCustom);

    if (!Options.HideOnlineDictionaries) {
        for (TCatalogueEntry& entry : ReadOnlineDictionaries(Options.DictionaryFolders)) {
            entry.Caption += QLatin1Char(' ') + Options.OnlineMarker;
            FEntries.push_back(std::move(entry));
        }
    }
}

std::vector<TCatalogueEntry> ReadOnlineDictionaries(const QStringList& DictionaryFolders)
{
    std::vector<TCatalogueEntry> entries;
    QSet<QString> names;
    for (const QString& folder : DictionaryFolders) {
        TLanguageFile ini;
        ini.LoadFromFile(
            QFile::encodeName(QDir(folder).filePath(QStringLiteral("online.ini"))).toStdString());
        for (const std::string& name : ini.SectionNames()) {
            TCatalogueEntry entry;
            entry.Caption = QString::fromStdString(name);
            // The reader folds the case of ASCII letters only; "Λεξικό" and
            // "ΛΕΞΙΚΌ" in one file are one dictionary too.
            const QString key = entry.Caption.toCaseFolded();
            if (names.contains(key))
                continue;
            names.insert(key);
            entry.Location = QString::fromStdString(ini.ReadString(name, "Location"));
            entry.Online = true;
            entries.push_back(std::move(entry));
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const TCatalogueEntry& a, const TCatalogueEntry& b) {
        return a.Caption.compare(b.Caption, Qt::CaseInsensitive) < 0;
    });
    return entries;
}

namespace {

// Whether two paths name two files that both exist and differ, as
// "fruit.ldi" and "FRUIT.ldi" do side by side on a case-sensitive disk.
bool DistinctFiles(const QString& A, const QString& B)
{
    struct stat a {
    }, b{};
    if (::stat(QFile::encodeName(A).constData(), &a) != 0 ||
        ::stat(QFile::encodeName(B).constData(), &b) != 0)
        return false;
    return a.st_dev != b.st_dev || a.st_ino != b.st_ino;
}

}  // namespace

int TCatalogue::FindFile(const QString& Path) const
{
    for (int i = 0; i < Size(); ++i) {
        const TCatalogueEntry& e = FEntries[static_cast<size_t>(i)];
        if (!e.Online && e.Location == Path)
            return i;
    }
    // Letter case is ignored, as on the disks the catalogue was made for,
    // but never so far as to open one file in place of another.
    for (int i = 0; i < Size(); ++i) {
        const TCatalogueEntry& e = FEntries[static_cast<size_t>(i)];
        if (!e.Online && e.Location.compare(Path, Qt::CaseInsensitive) == 0 &&
            !DistinctFiles(e.Location, Path))
            return i;
    }
    return -1;
}

int TCatalogue::IndexOf(const TCatalogueEntry& Entry) const
{
    for (int i = 0; i < Size(); ++i) {
        const TCatalogueEntry& e = FEntries[static_cast<size_t>(i)];
        if (e.Online == Entry.Online && e.Location == Entry.Location)
            return i;
    }
    return -1;
}

QStringList TCatalogue::Captions() const
{
    QStringList captions;
    for (const TCatalogueEntry& e : FEntries)
        captions.append(e.Caption);
    return captions;
}

// With no dictionary lines at all there is nothing to move to; the one
// line left is the "Add dictionaries..." command, which must not run.
int NextDictionaryLine(int Selected, int LineCount)
{
    if (LineCount < 2)
        return -1;
    return Selected < LineCount - 2 ? Selected + 1 : 0;
}

int PreviousDictionaryLine(int Selected, int LineCount)
{
    if (LineCount < 2)
        return -1;
    return Selected <= 0 ? LineCount - 2 : Selected - 1;
}

QString OnlineAddress(const QString& Template, const QString& Word)
{
    const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(Word));
    QString address;
    address.reserve(Template.size() + encoded.size());
    qsizetype from = 0;
    for (;;) {
        const qsizetype at = Template.indexOf(QLatin1String("%1"), from);
        if (at < 0)
            break;
        address += QStringView(Template).mid(from, at - from);
        address += encoded;
        from = at + 2;
    }
    address += QStringView(Template).mid(from);
    return address;
}

}  // namespace lirabo
