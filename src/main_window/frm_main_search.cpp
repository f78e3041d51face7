// The advanced lookup: a search of the whole dictionary, or of the results
// on the Advanced tab, by headword pattern or inside the definitions. It
// runs on a thread of its own; the status bar follows it, Esc or the next
// search stops it, and the results replace the Advanced tab's at the end.

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dictionary/definition_query.h"
#include "dictionary/display_text.h"
#include "dictionary_view/dictionary_view.h"
#include "language/language_apply.h"
#include "main_window/frm_main.h"
#include "main_window/main_tabs.h"
#include "main_window/status_bar.h"
#include "search/background_search.h"

namespace lirabo {

void TfrmMain::CreateAdvancedSearch()
{
    (FSettings.SearchDefinitions ? pagTabs->rbnDefinitions : pagTabs->rbnHeadwords)->setChecked(true);
    connect(pagTabs->rbnDefinitions, &QRadioButton::toggled, this,
            [this](bool Checked) { FSettings.SearchDefinitions = Checked; });

    FSearch = new TBackgroundSearch(this);
    FSearch->OnProgress = [this](int Percent) { AdvancedSearchProgress(Percent); };
    FSearch->OnFinished = [this] { AdvancedSearchFinished(); };
}

void TfrmMain::StartAdvancedSearch(const QString& Query)
{
    const int tab = pagTabs->currentIndex();
    if (tab != TMainTabs::kDictionaryTab && tab != TMainTabs::kAdvancedTab)
        return;
    // A narrowing reads the results, a search the dictionary: the query
    // must be in the form of what it reads. Text that form cannot hold
    // searches nothing and leaves the tabs and the results as they were.
    TDictionaryView& source = tab == TMainTabs::kAdvancedTab ? *FAdvancedView : *FLookupView;
    std::string query;
    if (!StoredLookupText(source, Query, query))
        return;
    // One search at a time: a new one replaces the one still running. The
    // list a narrowing search reads stays untouched until then.
    FSearch->Stop();
    // An older notice would hide the search's progress.
    stbStatusBar->clearMessage();
    FSearchQuery = std::move(query);
    FSearchEncoding = source.Encoding();
    FSearchDefinitions = pagTabs->rbnDefinitions->isChecked();
    FSearchNarrows = tab == TMainTabs::kAdvancedTab;
    const TSearchKind kind = FSearchDefinitions ? TSearchKind::Definitions : TSearchKind::Headwords;

    if (FSearchNarrows) {
        const std::vector<TWordItem>* list = FAdvancedView->Store().ListItems();
        if (!list) {
            std::vector<TWordItem> none;
            ShowAdvancedResults(none, 0);
            return;
        }
        stbStatusBar->SetWholeWidthText(Text(9013) + QLatin1Char(' '));
        FSearch->SearchList(kind, FSearchQuery, *list, FSearchEncoding);
        return;
    }

    FAdvancedView->Clear();
    FAdvancedView->SetEmptyText(Text(9013));
    // The view keeps its message with the trailing space it adds.
    stbStatusBar->SetWholeWidthText(FAdvancedView->EmptyText());
    {
        // No tab-change handling for this switch: the dictionary line
        // stays in the status bar.
        const QSignalBlocker block(pagTabs);
        pagTabs->setCurrentIndex(TMainTabs::kAdvancedTab);
    }
    if (!LocalDictionaryOpen()) {
        std::vector<TWordItem> none;
        ShowAdvancedResults(none, 0);
        return;
    }
    FSearch->SearchFile(kind, FSearchQuery,
                        QFile::encodeName(FDictionaries.At(FCurrentDictionary).Location).toStdString());
}

void TfrmMain::AdvancedSearchProgress(int Percent)
{
    stbStatusBar->SetWholeWidthText(TLanguage::FillNumbers(TextOrEnglish(9023), {Percent}));
}

void TfrmMain::StopAdvancedSearch()
{
    FSearch->Stop();
    // A stopped narrowing keeps the results it was narrowing; a stopped
    // dictionary search leaves the tab empty, as one that found nothing.
    stbStatusBar->SetPanelMode();
    FAdvancedView->SetEmptyText(Text(9010));
    FAdvancedView->update();
}

void TfrmMain::AdvancedSearchFinished()
{
    TBackgroundSearch::TResult& result = FSearch->Result();
    ShowAdvancedResults(result.Items, result.Failed ? 0 : result.Count);
}

void TfrmMain::ShowAdvancedResults(std::vector<TWordItem>& Items, int Count)
{
    stbStatusBar->SetPanelMode();
    FAdvancedView->SetEmptyText(Text(9010));
    // Where a definition search matched shows in the selection colour; a
    // narrowing keeps what the earlier searches matched, as every result
    // still holds it. The query's pieces are in the file's comparable form
    // (upper-cased bytes, or folded UTF-8); the view takes UTF-8.
    std::vector<std::string> pieces = FSearchNarrows ? FAdvancedView->Highlight() : std::vector<std::string>();
    const TDefinitionQuery query(FSearchDefinitions ? FSearchQuery : std::string(), FSearchEncoding);
    for (const std::string& comparable : query.Pieces()) {
        std::string piece = ToDisplayText(comparable, FSearchEncoding);
        if (std::find(pieces.begin(), pieces.end(), piece) == pieces.end())
            pieces.push_back(std::move(piece));
    }
    FAdvancedView->SetHighlight(std::move(pieces));
    if (Count > 0)
        FAdvancedView->SetItems(Items, FSearch->Result().Encoding);
    else
        FAdvancedView->Clear();
    Items.clear();
    // The results arrive without a word on the screen reader's side; the
    // description is what it speaks when the person moves into the view.
    // Numbers first: a pattern holding "%d" must stay as it is.
    FAdvancedView->setAccessibleDescription(
        TLanguage::FillPlaceholders(TLanguage::FillNumbers(TextOrEnglish(Count == 1 ? 9126 : 9123), {Count}),
                                    {QString::fromStdString(ToDisplayText(FSearchQuery, FSearchEncoding))}));
}

}  // namespace lirabo
