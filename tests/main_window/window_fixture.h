#pragma once

// Starts the real main window offscreen over a temporary program folder and
// a temporary settings store.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <memory>

#include "dictionary/dictionary_store.h"
#include "dictionary_view/dictionary_view.h"
#include "main_window/frm_main.h"
#include "widgets/input_box.h"
#include "widgets/message_box.h"
#include "search/background_search.h"
#include "fake_browser.h"
#include "test_folder.h"

namespace lirabo::test {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, FSettingsDir.path());
        TMessageBox::SetSink([this](TMessageBox::TKind Kind, const QString& Message) {
            switch (Kind) {
            case TMessageBox::TKind::Error:
                FErrors << Message;
                return TMessageBox::TAnswer::Ok;
            case TMessageBox::TKind::Information:
                FInformation << Message;
                return TMessageBox::TAnswer::Ok;
            default:
                FQuestions << Message;
                if (FAnswers.isEmpty())
                    return TMessageBox::TAnswer::No;
                return FAnswers.takeFirst();
            }
        });
        TInputBox::SetSink([this](const QString& Prompt) -> std::optional<QString> {
            FPrompts << Prompt;
            if (FTextAnswers.isEmpty())
                return std::nullopt;
            return FTextAnswers.takeFirst();
        });
    }

    void TearDown() override
    {
        FWindow.reset();
        TMessageBox::SetSink({});
        TInputBox::SetSink({});
    }

    // Fruit (with relations: banana's antonym is cherry) and Birds.
    void AddStandardDictionaries()
    {
        FFolder.AddDictionary("fruit.ldi", "Fruit",
                              {{"apple", "a red fruit"},
                               {"banana", "a yellow fruit"},
                               {"cherry", "a small fruit"},
                               {"grape", "a vine fruit"},
                               {"lemon", "a sour fruit"},
                               {"melon", "a big fruit"}},
                              {{1, 1, 2}, {1, 2, 3}});
        FFolder.AddDictionary("zbirds.ldi", "Birds", {{"crow", "black"}, {"robin", "red breast"}});
    }

    TfrmMain& Start(const QString& CommandLineFile = {})
    {
        FWindow = std::make_unique<TfrmMain>(FProgram.isEmpty() ? FFolder.Path() : FProgram, CommandLineFile);
        FWindow->Hooks.OpenExternal = [this](const QString& Address) { FOpened << Address; };
        FWindow->Hooks.CreateBrowser = [this](QWidget* Parent) -> TMiniBrowser* {
            ++FBrowsersMade;
            return FBrowserFails ? nullptr : new TFakeBrowser(Parent);
        };
        FWindow->Hooks.PagesFolder = FSettingsDir.filePath(QStringLiteral("pages"));
        FWindow->show();
        return *FWindow;
    }

    // Closes the window the way the user does, which writes the settings.
    void Close()
    {
        FWindow->close();
        FWindow.reset();
    }

    QSettings Stored() const { return QSettings(QStringLiteral("Kestrune"), QStringLiteral("LiraboDesk")); }

    template <class T>
    T* Find(const char* Name) const
    {
        T* child = FWindow->findChild<T*>(QLatin1String(Name));
        EXPECT_NE(child, nullptr) << Name;
        return child;
    }
    QComboBox* LookupBox() const { return Find<QComboBox>("cmbLookup"); }
    QComboBox* LookIn() const { return Find<QComboBox>("cmbLookIn"); }
    QTabWidget* Tabs() const { return Find<QTabWidget>("pagTabs"); }

    // A right click on the headword of the entry looked up; the layout is
    // the view's, so the test walks down its lines until it hits the entry.
    void RightClickCurrentEntry(TfrmMain& Window)
    {
        TDictionaryView* view = Window.LookupView();
        view->grab();
        auto* menu = Find<QMenu>("popWord");
        for (int y = kTopMargin + 2; y < view->height(); y += 3) {
            const QPoint headword(kLeftMargin + 4, y);
            QTest::mousePress(view, Qt::RightButton, {}, headword);
            QTest::mouseRelease(view, Qt::RightButton, {}, headword);
            if (menu->isVisible() && view->RightClickedEntry() == view->CurrentFirst())
                return;
            menu->close();
        }
        ADD_FAILURE() << "no right click reached the current entry";
    }

    static std::string CurrentWord(TDictionaryView* View)
    {
        const TWordItem* item = View->Store().GetItem(View->CurrentFirst());
        return item ? item->Word : std::string("<none>");
    }

    QTemporaryDir FSettingsDir;
    TProgramFolder FFolder;
    // Where the program lies when not FFolder itself.
    QString FProgram;
    std::unique_ptr<TfrmMain> FWindow;
    QStringList FErrors;
    QStringList FInformation;
    QStringList FQuestions;
    // Answers to the next questions, in order; No when none is left.
    QList<TMessageBox::TAnswer> FAnswers;
    // What the input boxes asked, and the texts typed into the next ones;
    // Cancel when none is left.
    QStringList FPrompts;
    QStringList FTextAnswers;
    QStringList FOpened;
    // The minibrowsers the window asked for, and whether making one fails.
    int FBrowsersMade = 0;
    bool FBrowserFails = false;
    TFakeBrowser* Browser() const { return static_cast<TFakeBrowser*>(FWindow->Browser()); }
    // Every address shown: in the system's browser, then in the minibrowser.
    QStringList Shown() const
    {
        QStringList shown = FOpened;
        if (FWindow && Browser()) {
            for (const QString& call : Browser()->FCalls)
                if (call.startsWith(QLatin1String("Navigate ")))
                    shown << call.mid(9);
        }
        return shown;
    }
};

}  // namespace lirabo::test
