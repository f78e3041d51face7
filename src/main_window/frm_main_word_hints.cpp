// The line above the entries (the forms of the word looked up, spelling
// suggestions) and Pronounce: what the window opens and hands on. What is
// found, said and spoken is decided in word_hints.

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>

#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "main_window/main_tabs.h"
#include "main_window/status_bar.h"
#include "main_window/top_bar.h"
#include "vocabulary/vocabulary_row.h"
#include "word_hints/word_hint_line.h"
#include "word_hints/word_hints.h"

namespace lirabo {

void TfrmMain::CreateWordHints()
{
    // The thread starts with the first dictionary handed over.
    FWordHints = new TWordHints(this);
    connect(FWordHints, &TWordHints::Answered, this,
            [this](const TWordHintAnswer& Answer) { lblWordHints->ShowAnswer(Answer); });
    FHintTimer = new QTimer(this);
    FHintTimer->setSingleShot(true);
    FHintTimer->setInterval(kWordHintPauseMs);
    connect(FHintTimer, &QTimer::timeout, this, [this] { AskWordHints(); });
    lblWordHints->OnLookUp = [this](const QString& Word) { WordHintClick(Word); };
}

void TfrmMain::ApplyWordHintTexts()
{
    lblWordHints->SetTexts({TextOrEnglish(9030), TextOrEnglish(9031), TextOrEnglish(9036)});
    // Language files made before Pronounce existed lack its caption.
    if (Menu.mnuPronounce->text().isEmpty())
        Menu.mnuPronounce->setText(TextOrEnglish(9032));
}

void TfrmMain::OpenWordHintsDictionary()
{
    const QString path = LocalDictionaryOpen() ? FDictionaries.At(FCurrentDictionary).Location : QString();
    FWordHints->SetDictionary(path, QString::fromStdString(CurrentLanguages().Headword));
    AskWordHints();
}

void TfrmMain::ScheduleWordHints()
{
    lblWordHints->Clear();
    FHintTimer->start();
}

void TfrmMain::AskWordHints()
{
    FHintTimer->stop();
    const uint64_t generation = lblWordHints->Expect();
    const QString word = pnlTop->cmbLookup->currentText().trimmed();
    if (word.isEmpty() || pagTabs->currentIndex() != TMainTabs::kDictionaryTab || !LocalDictionaryOpen())
        return;
    FWordHints->Ask(generation, word);
}

void TfrmMain::WordHintClick(const QString& Word)
{
    if (Word.isEmpty())
        return;
    SetLookupText(Word);
    LookUpAtOnce();
    // The line goes while it is asked again: the keyboard goes back to
    // where the next word is typed rather than to whatever follows.
    pnlTop->cmbLookup->setFocus(Qt::OtherFocusReason);
}

// --- Pronounce ---------------------------------------------------------------------

TSpeech::TAvailability TfrmMain::SpeechAvailability(const std::string& Language)
{
    if (Hooks.SpeechAvailability)
        return Hooks.SpeechAvailability(Language);
    return SpeechEngine().Availability(Language);
}

TSpeech& TfrmMain::SpeechEngine()
{
    if (!FSpeech) {
        FSpeech = std::make_unique<TSpeech>();
        // From the speech thread, after Speak has long returned. The speech
        // object goes before the window, and a post to a window being
        // destroyed is dropped with it.
        FSpeech->SetOnSoundFailed([this] {
            QMetaObject::invokeMethod(this, [this] { stbStatusBar->ShowNotice(TextOrEnglish(9037)); },
                                      Qt::QueuedConnection);
        });
    }
    return *FSpeech;
}

TSpeechTexts TfrmMain::SpeechTexts() const
{
    return {TextOrEnglish(9033), TextOrEnglish(9034), TextOrEnglish(9035)};
}

void TfrmMain::Speak(const TPronunciation& Pronunciation)
{
    const std::string text = Pronunciation.Text.toStdString();
    if (Hooks.Speak) {
        Hooks.Speak(text, Pronunciation.Language);
        return;
    }
    // The speech library stops what it was saying first.
    SpeechEngine().Speak(text, Pronunciation.Language);
}

void TfrmMain::UpdatePronounceItem()
{
    const TDictionaryLanguages languages = CurrentLanguages();
    FPronunciation = TPronunciation::ForWordMenu(FClickedWord, FClickedInDefinition, FClickedHeadword,
                                                 languages.Headword, languages.Definition);
    const QString reason =
        TPronunciation::UnavailableReason(SpeechAvailability(FPronunciation.Language), FPronunciation.Language,
                                          SpeechTexts());
    Menu.mnuPronounce->setEnabled(reason.isEmpty() && !FPronunciation.Text.isEmpty());
    Menu.mnuPronounce->setToolTip(reason);
}

void TfrmMain::mnuPronounceClick()
{
    if (Menu.mnuPronounce->isEnabled() && !FPronunciation.Text.isEmpty())
        Speak(FPronunciation);
}

QString TfrmMain::CurrentHeadword()
{
    TDictionaryView* view = CurrentTabView();
    if (!view)
        return {};
    try {
        const int current = view->CurrentFirst() >= 0 ? view->CurrentFirst() : view->TopEntry();
        const TWordItem* item = view->Store().GetItem(current);
        return item ? RowSource(EntryRow(item->Word, {}, view->Encoding())) : QString();
    } catch (const std::exception&) {
        // A section that cannot be decoded: the view shows that error; the
        // box's word stands in.
        return {};
    }
}

void TfrmMain::PronounceKey()
{
    const TPronunciation pronunciation =
        TPronunciation::ForKey(CurrentHeadword(), pnlTop->cmbLookup->currentText(), CurrentLanguages().Headword);
    if (pronunciation.Text.isEmpty())
        return;
    const QString reason = TPronunciation::UnavailableReason(SpeechAvailability(pronunciation.Language),
                                                             pronunciation.Language, SpeechTexts());
    if (!reason.isEmpty()) {
        stbStatusBar->ShowNotice(reason);
        return;
    }
    Speak(pronunciation);
}

}  // namespace lirabo
