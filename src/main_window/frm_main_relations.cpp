// The relations panel: listing the relations of a word or of the current
// entries, clicking through them, showing and hiding the panel.

#include <QListWidget>

#include "dictionary/display_text.h"
#include "dictionary/exceptions.h"
#include "dictionary/relation_names.h"
#include "dictionary_view/dictionary_view.h"
#include "language/language.h"
#include "main_window/frm_main.h"
#include "main_window/relations_delegate.h"
#include "main_window/relations_panel.h"
#include "main_window/status_bar.h"

namespace lirabo {

void TfrmMain::mnuRelationsClick(bool FromWordMenu)
{
    stbStatusBar->SetWholeWidthText(Text(9012));
    stbStatusBar->repaint();
    pnlRelations->lstRelations->setUpdatesEnabled(false);
    pnlRelations->lstRelations->clear();

    TRelationRows rows;
    bool listed = false;
    QString headword;  // whose relations the list holds
    try {
        if (FromWordMenu) {
            // A word the dictionary cannot hold is none of its headwords,
            // and ends the listing as the engine ends it for those.
            const TStoredText word = ToStoredText(FClickedWord.toStdString(), FLookupView->Encoding());
            if (!word.Fits)
                throw EAbort();
            int first = -1;
            int count = 0;
            FLookupView->FindWord(word.Text, true, first, count);
            FLookupView->ListRelations(first, rows, 1);
            headword = FClickedWord;
        } else {
            FLookupView->ListCurrentRelations(rows);
            if (const TWordItem* item = FLookupView->Store().GetItem(FLookupView->CurrentFirst()))
                headword = QString::fromStdString(ToDisplayText(item->Word, FLookupView->Encoding()));
        }
        listed = true;
    } catch (const std::exception&) {
        // Not a headword, no dictionary, no relation data: the list stays
        // empty and the panel keeps its visibility.
    }

    for (const TRelationRow& row : rows) {
        const std::string text = RelationRowText(row.Mark, row.Text);
        auto* item = new QListWidgetItem(QString::fromStdString(ToDisplayText(text, FLookupView->Encoding())),
                                         pnlRelations->lstRelations);
        item->setData(TRelationsDelegate::kMarkRole, row.Mark);
    }
    pnlRelations->lstRelations->setUpdatesEnabled(true);
    // Numbers first: a word holding "%d" must stay as it is.
    pnlRelations->lstRelations->setAccessibleDescription(
        listed ? TLanguage::FillPlaceholders(
                     TLanguage::FillNumbers(TextOrEnglish(9110), {qint64(rows.size())}), {headword})
               : QString());
    stbStatusBar->SetPanelMode();

    if (listed && !FSettings.ShowRelations) {
        FSettings.ShowRelations = true;
        mnuShowRelationsClick(false);
    }
}

void TfrmMain::mnuShowRelationsClick(bool FromMenu)
{
    if (FromMenu)
        FSettings.ShowRelations = !FSettings.ShowRelations;
    pnlRelations->setVisible(FSettings.ShowRelations);
    Menu.mnuShowRelations->setChecked(FSettings.ShowRelations);
}

void TfrmMain::spdCloseRelationsClick()
{
    FSettings.ShowRelations = false;
    mnuShowRelationsClick(false);
}

void TfrmMain::lstRelationsClick()
{
    const QListWidgetItem* item = pnlRelations->lstRelations->currentItem();
    if (!item || item->data(TRelationsDelegate::kMarkRole).toInt() < 0)
        return;
    SetLookupText(item->text());
    cmbLookupChange();
    LookupSettled();
}

}  // namespace lirabo
