// The "Look in" list: building the catalogue, choosing an entry, Next and
// Previous, and the open-dictionary message.

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dictionary/dictionary_header.h"
#include "dictionary/exceptions.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/top_bar.h"
#include "widgets/message_box.h"
#include "main_window/status_bar.h"

namespace lirabo {

void TfrmMain::RefreshDictionaries()
{
    // The selection follows the dictionary, not the line: a file added before
    // the current one must not make the list show one dictionary while
    // another is open.
    const int selected = pnlTop->cmbLookIn->currentIndex();
    const bool hadSelection = FDictionaries.Valid(selected);
    const TCatalogueEntry selectedEntry = hadSelection ? FDictionaries.At(selected) : TCatalogueEntry{};
    const bool hadCurrent = FDictionaries.Valid(FCurrentDictionary);
    const TCatalogueEntry currentEntry =
        hadCurrent ? FDictionaries.At(FCurrentDictionary) : TCatalogueEntry{};

    FDictionaries.Rebuild({FFolders.ReadFolders(TDataKind::Dictionaries), FSettings.HideOnlineDictionaries, Text(9008)});

    if (hadCurrent)
        FCurrentDictionary = FDictionaries.IndexOf(currentEntry);
    FillLookIn(hadSelection ? FDictionaries.IndexOf(selectedEntry) : -1);
}

void TfrmMain::FillLookIn(int Selected)
{
    pnlTop->cmbLookIn->clear();
    pnlTop->cmbLookIn->addItems(FDictionaries.Captions());
    pnlTop->cmbLookIn->addItem(Text(9016));
    pnlTop->cmbLookIn->setCurrentIndex(Selected);
}

void TfrmMain::cmbLookInChange()
{
    const int line = pnlTop->cmbLookIn->currentIndex();
    if (line < 0)
        return;
    if (line == pnlTop->cmbLookIn->count() - 1) {
        Menu.mnuGetMore->trigger();
        return;
    }
    FCurrentDictionary = line;
    const TCatalogueEntry& entry = FDictionaries.At(line);
    if (entry.Online) {
        FLookupView->Clear();
        OpenWordHintsDictionary();
        SelectTab(2);
        spdLookupClick();
        return;
    }
    try {
        FLookupView->OpenDictionary(QFile::encodeName(entry.Location).toStdString());
    } catch (const std::exception&) {
        FLookupView->Clear();
        ReportUnloadable(entry.Location);
    }
    SelectTab(0);
    // After the entries are shown: the worker opens the file once more.
    OpenWordHintsDictionary();
}

bool TfrmMain::LocalDictionaryOpen() const
{
    return CurrentEntryValid() && !FDictionaries.At(FCurrentDictionary).Online &&
           FLookupView->Store().Source() == TDictionaryStore::kSourceFile;
}

void TfrmMain::ReportUnloadable(const QString& Path)
{
    // Which file: one sent by another program may lie anywhere.
    TMessageBox::Error(this, Text(8008) + QLatin1String("\n\n") + QDir::toNativeSeparators(Path));
}

void TfrmMain::mnuNextDictionaryClick()
{
    const int line = NextDictionaryLine(pnlTop->cmbLookIn->currentIndex(), pnlTop->cmbLookIn->count());
    if (line < 0)
        return;
    pnlTop->cmbLookIn->setCurrentIndex(line);
    cmbLookInChange();
}

void TfrmMain::mnuPreviousDictionaryClick()
{
    const int line = PreviousDictionaryLine(pnlTop->cmbLookIn->currentIndex(), pnlTop->cmbLookIn->count());
    if (line < 0)
        return;
    pnlTop->cmbLookIn->setCurrentIndex(line);
    cmbLookInChange();
}

void TfrmMain::WMMakrelLookup(const QString& Message, const QString& ActivationToken)
{
    // The catalogue holds full paths; a relative path from a command line
    // would otherwise never match its own catalogue line.
    const QFileInfo file(Message);
    const QString Path = file.absoluteFilePath();
    if (!file.isFile() || file.suffix().toLower() != QLatin1String("ldi"))
        return;
    try {
        TDictionaryHeader header;
        header.LoadFromFile(QFile::encodeName(Path).toStdString(), true);
    } catch (const std::exception&) {
        ReportUnloadable(Path);
        return;
    }
    try {
        int index = FDictionaries.FindFile(Path);
        if (index < 0) {
            FDictionaries.SetCustom(Path, Text(9015));
            RefreshDictionaries();
            index = FDictionaries.FindFile(Path);
        }
        pnlTop->cmbLookIn->setCurrentIndex(index);
        cmbLookInChange();
    } catch (const std::exception&) {
        FLookupView->Clear();
        ReportUnloadable(Path);
    }
    BringToFront(ActivationToken);
}

}  // namespace lirabo
