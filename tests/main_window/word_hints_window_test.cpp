// The line above the entries and Pronounce as the main window offers them:
// asked for once typing pauses, a link looks its word up, F9 and the word
// menu speak the right text or say why they cannot.

#include <QAction>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocumentFragment>

#include "main_window/status_bar.h"
#include "window_fixture.h"
#include "word_hints/word_hint_line.h"
#include "word_hints/word_hints.h"

namespace lirabo::test {
namespace {

using TAvailability = TSpeech::TAvailability;

class WordHintsWindowTest : public WindowTest {
protected:
    // Fruit in English, so that its forms are known.
    void AddEnglishFruit()
    {
        makrel::TWriterOptions options;
        options.Name = "Fruit";
        options.HeadwordLanguage = "en";
        options.DefinitionLanguage = "en";
        FFolder.AddDictionary("fruit.ldi", options,
                              {{"apple", "a red fruit"},
                               {"banana", "a yellow fruit"},
                               {"cherry", "a small fruit"},
                               {"grape", "a vine fruit"}});
    }

    TfrmMain& StartSpeaking(TAvailability Availability)
    {
        TfrmMain& w = Start();
        w.Hooks.SpeechAvailability = [this, Availability](const std::string& Language) {
            FAskedLanguages.push_back(Language);
            // As the library answers: no language, no voice.
            return Language.empty() && Availability == TAvailability::Ready ? TAvailability::NoVoice : Availability;
        };
        w.Hooks.Speak = [this](const std::string& Text, const std::string& Language) {
            FSpoken.push_back(Text + "/" + Language);
        };
        return w;
    }

    TWordHintLine* Line() const { return Find<TWordHintLine>("lblWordHints"); }
    QString LineText() const { return QTextDocumentFragment::fromHtml(Line()->text()).toPlainText(); }

    void Type(const QString& Word)
    {
        LookupBox()->lineEdit()->clear();
        QTest::keyClicks(LookupBox()->lineEdit(), Word);
    }

    // Waits on the worker's answers until the line says Expected.
    void WaitForLine(const QString& Expected)
    {
        auto* hints = FWindow->findChild<TWordHints*>();
        ASSERT_NE(hints, nullptr);
        QSignalSpy answers(hints, &TWordHints::Answered);
        for (int i = 0; i < 10 && !(Line()->isVisible() && LineText() == Expected); ++i)
            answers.wait(20000);
        EXPECT_TRUE(Line()->isVisible());
        EXPECT_EQ(LineText(), Expected);
    }

    std::vector<std::string> FAskedLanguages;
    std::vector<std::string> FSpoken;
};

TEST_F(WordHintsWindowTest, APauseInTypingShowsTheFormsAndALinkLooksUpTheBase)
{
    AddEnglishFruit();
    TfrmMain& w = Start();
    Type("cherries");
    // A new edit never shows an answer to older text.
    EXPECT_FALSE(Line()->isVisible());
    WaitForLine("cherries: a form of cherry");
    EXPECT_FALSE(Line()->accessibleName().isEmpty());

    // From the keyboard: the window's Enter is the link's while the line has it.
    Line()->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Line(), Qt::Key_Return);
    EXPECT_EQ(LookupBox()->currentText(), "cherry");
    EXPECT_EQ(CurrentWord(w.LookupView()), "cherry");
    EXPECT_TRUE(LookupBox()->lineEdit()->hasFocus());
    // cherry is a headword and no form of another: nothing to say.
    EXPECT_FALSE(Line()->isVisible());
}

TEST_F(WordHintsWindowTest, AMisspellingIsOfferedTheHeadwordsCloseToIt)
{
    AddEnglishFruit();
    Start();
    Type("banan");
    WaitForLine("Did you mean: banana");
    // Another tab hides the line with its tab; back on it, the line is asked again.
    Tabs()->setCurrentIndex(1);
    Tabs()->setCurrentIndex(0);
    WaitForLine("Did you mean: banana");
}

TEST_F(WordHintsWindowTest, F9SpeaksTheCurrentHeadwordOrSaysWhyNot)
{
    struct TCase {
        TAvailability Availability;
        bool Languages;
        std::vector<std::string> Spoken;
        QString Notice;
    } cases[] = {
        {TAvailability::Ready, true, {"cherry/en"}, ""},
        {TAvailability::NoLibrary, true, {}, "Pronunciation needs the speech library espeak-ng (package libespeak-ng1)"},
        {TAvailability::NoVoice, true, {}, "No voice is installed for English"},
        {TAvailability::Ready, false, {},
         "The language of this dictionary is not known: choose it under Dictionary > Information."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Notice.toStdString());
        FSpoken.clear();
        if (c.Languages)
            AddEnglishFruit();
        else
            AddStandardDictionaries();
        StartSpeaking(c.Availability);
        Type("cherr");
        QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F9);
        EXPECT_EQ(FSpoken, c.Spoken);
        EXPECT_EQ(Find<TStatusBar>("stbStatusBar")->Notice(), c.Notice);
        // The key does not reach the box.
        EXPECT_EQ(LookupBox()->currentText(), "cherr");
        Close();
    }
}

TEST_F(WordHintsWindowTest, WordMenuPronounceIsDisabledWithTheReason)
{
    struct TCase {
        TAvailability Availability;
        bool Enabled;
        QString ToolTip;
    } cases[] = {
        {TAvailability::Ready, true, "Pronounce"},
        {TAvailability::NoLibrary, false, "Pronunciation needs the speech library espeak-ng (package libespeak-ng1)"},
        {TAvailability::NoVoice, false, "No voice is installed for English"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.ToolTip.toStdString());
        FSpoken.clear();
        AddEnglishFruit();
        TfrmMain& w = StartSpeaking(c.Availability);
        Type("grape");
        RightClickCurrentEntry(w);
        auto* menu = Find<QMenu>("popWord");
        auto* pronounce = Find<QAction>("mnuPronounce");
        EXPECT_TRUE(menu->toolTipsVisible());
        EXPECT_EQ(pronounce->text(), "Pronounce");
        EXPECT_EQ(pronounce->isEnabled(), c.Enabled);
        EXPECT_EQ(pronounce->toolTip(), c.ToolTip);
        pronounce->trigger();
        menu->close();
        // The headword was clicked: it is spoken in the headword language.
        EXPECT_EQ(FSpoken, c.Enabled ? std::vector<std::string>{"grape/en"} : std::vector<std::string>{});
        Close();
    }
}

TEST_F(WordHintsWindowTest, NothingIsAskedOrSpokenBeforeItIsNeeded)
{
    AddEnglishFruit();
    TfrmMain& w = StartSpeaking(TAvailability::Ready);
    // Starting and looking up ask nothing of the speech library.
    Type("apple");
    EXPECT_TRUE(FAskedLanguages.empty());
    // The word menu asks for the language it would speak.
    RightClickCurrentEntry(w);
    Find<QMenu>("popWord")->close();
    EXPECT_EQ(FAskedLanguages, std::vector<std::string>{"en"});
}

}  // namespace
}  // namespace lirabo::test
