// The vocabulary trainer as the main window reaches it: the list window
// from the Tools menu, and "Add to vocabulary" from the word menu, which
// collects words while reading.

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "language/language_apply.h"
#include "widgets/message_box.h"
#include "main_window/status_bar.h"
#include "vocabulary/frm_vocabulary_assembly.h"
#include "vocabulary/vocabulary_file.h"
#include "vocabulary/vocabulary_row.h"

namespace lirabo {

namespace {

const QString kVocabularySection = QStringLiteral("VocabularyAssembly");
constexpr const char* kDefaultList = "My words.lvf";

}  // namespace

QString TfrmMain::VocabularyFolder() const
{
    return FFolders.WriteFolder(TDataKind::Vocabulary);
}

void TfrmMain::mnuVocabularyTestClick()
{
    // The file dialogs open in the folder where lists are kept; when it
    // cannot be made they open where they can, and saving says why.
    QString ignored;
    FFolders.MakeWriteFolder(TDataKind::Vocabulary, ignored);
    TfrmVocabularyAssembly window(FLanguage, VocabularyFolder(), this);
    ApplyLanguageToControl(FLanguage, &window, kVocabularySection);
    window.tlbNewClick(false);
    Hooks.RunModal(window);
    if (!window.LastFile().isEmpty())
        FSettings.VocabularyFile = window.LastFile();
}

void TfrmMain::RememberClickedEntry(TDictionaryView* View)
{
    FClickedHeadword.clear();
    FClickedDefinition.clear();
    const TWordItem* item = View->Store().GetItem(View->RightClickedEntry());
    if (!item)
        return;
    const QString row = EntryRow(item->Word, item->Definition, View->Encoding());
    FClickedHeadword = RowSource(row);
    FClickedDefinition = RowTarget(row);
}

void TfrmMain::mnuAddToVocabularyClick()
{
    if (FClickedHeadword.isEmpty())
        return;
    const QString path = FSettings.VocabularyFile.isEmpty()
                             ? QDir(VocabularyFolder()).filePath(QLatin1String(kDefaultList))
                             : FSettings.VocabularyFile;
    const TVocabularyFile::TResult result =
        TVocabularyFile::Append(path, MakeRow(FClickedHeadword, FClickedDefinition));
    if (!result.Ok()) {
        const QString reason = result.Status == TVocabularyFile::TStatus::NotAList
                                   ? FLanguage.ReadLanguageText(kVocabularySection, 8004)
                                   : result.Error;
        TMessageBox::Error(this, reason + QLatin1String("\n\n") + QDir::toNativeSeparators(path));
        return;
    }
    const QString notice = TLanguage::FillPlaceholders(Text(9022), {QFileInfo(path).fileName(), FClickedHeadword});
    stbStatusBar->ShowNotice(notice);
}

}  // namespace lirabo
