// The settings dialog, presets and the two small dialogs as the window opens
// them: what a person changes there reaches the window.

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "main_window/status_bar.h"
#include "preferences/frm_about.h"
#include "preferences/frm_information.h"
#include "preferences/frm_settings.h"
#include "widgets/link_label.h"
#include "window_fixture.h"

namespace lirabo::test {
namespace {

template <class T>
T* In(QDialog& Dialog, const char* Name)
{
    T* child = Dialog.findChild<T*>(QLatin1String(Name));
    EXPECT_NE(child, nullptr) << Name;
    return child;
}

// How many pixels of the view show Color.
int PixelsOf(QWidget* View, const QColor& Color)
{
    const QImage image = View->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == Color;
    return count;
}

class PreferencesWindowTest : public WindowTest {
protected:
    // Runs the next dialogs through Drive instead of a modal loop.
    void Drive(std::function<void(QDialog&)> Drive)
    {
        FWindow->Hooks.RunModal = [this, Drive](QDialog& Dialog) {
            ++FDialogsRun;
            Drive(Dialog);
        };
    }
    void OpenSettings() { Find<QAction>("mnuSettings")->trigger(); }
    QString FileMenuCaption() const { return FWindow->menuBar()->actions().at(0)->text(); }
    void AddGerman()
    {
        QDir(FFolder.Path()).mkpath("Lang");
        QFile::copy(QStringLiteral(GERMAN_LANGUAGE_FILE), QDir(FFolder.Path()).filePath("Lang/Deutsch.lng"));
    }
    void SelectLanguage(QDialog& Dialog, const QString& Name)
    {
        auto* languages = In<QComboBox>(Dialog, "cmbLanguages");
        const int index = languages->findText(Name);
        ASSERT_GE(index, 0) << Name.toStdString();
        languages->setCurrentIndex(index);
    }

    int FDialogsRun = 0;
};

TEST_F(PreferencesWindowTest, AColourShowsInTheViewsAtOnceAndCancelKeepsIt)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    const QColor pink(255, 0, 255);
    ASSERT_EQ(PixelsOf(w.LookupView(), pink), 0);
    int shownWhileOpen = 0;
    Drive([&](QDialog& Dialog) {
        auto& settings = dynamic_cast<TfrmSettings&>(Dialog);
        EXPECT_EQ(settings.windowTitle(), "Settings");
        settings.ChooseColor = [&](const QColor&) { return std::optional(pink); };
        In<QComboBox>(Dialog, "cmbElement")->setCurrentIndex(5);  // Background
        In<QPushButton>(Dialog, "btnColor")->click();
        shownWhileOpen = PixelsOf(w.LookupView(), pink);
        // A general option is taken over on OK only.
        In<QCheckBox>(Dialog, "chkHideOnlineDictionaries")->setChecked(true);
        Dialog.reject();
    });
    OpenSettings();
    EXPECT_GT(shownWhileOpen, 1000) << "the view repaints in the new colour while the dialog is open";
    EXPECT_GT(PixelsOf(w.LookupView(), pink), 1000);
    EXPECT_GT(PixelsOf(w.AdvancedView(), pink), 1000);
    EXPECT_EQ(w.Settings().ColorBackground, 0xFF00FF);
    EXPECT_FALSE(w.Settings().HideOnlineDictionaries);

    Drive([&](QDialog& Dialog) {
        In<QCheckBox>(Dialog, "chkHideOnlineDictionaries")->setChecked(true);
        Dialog.accept();
    });
    OpenSettings();
    EXPECT_TRUE(w.Settings().HideOnlineDictionaries);
    Close();
    EXPECT_EQ(Stored().value("ColorBackground").toInt(), 0xFF00FF);
    EXPECT_EQ(Stored().value("HideOnlineDictionaries").toInt(), 1);
}

TEST_F(PreferencesWindowTest, StoredLooksOutOfRangeAreBoundedBeforeTheyAreUsed)
{
    AddStandardDictionaries();
    {
        QSettings key = Stored();
        key.setValue("ColorBackground", static_cast<qlonglong>(0x80000005));  // a system colour number
        key.setValue("FontSize", 0);
    }
    TfrmMain& w = Start();
    EXPECT_EQ(w.Settings().ColorBackground, 0xFFFFFF);
    EXPECT_EQ(w.Settings().FontSize, 10);
    TDisplayLook offered;
    Drive([&](QDialog& Dialog) {
        offered = dynamic_cast<TfrmSettings&>(Dialog).Look();
        Dialog.accept();
    });
    OpenSettings();
    EXPECT_EQ(offered.Colors[5], 0xFFFFFFu);
    EXPECT_EQ(offered.FontSize, 10);
}

TEST_F(PreferencesWindowTest, TheInterfaceSwitchesToGermanAndBack)
{
    AddStandardDictionaries();
    AddGerman();
    TfrmMain& w = Start();
    QStringList listed;
    Drive([&](QDialog& Dialog) {
        auto* languages = In<QComboBox>(Dialog, "cmbLanguages");
        for (int i = 0; i < languages->count(); ++i)
            listed << languages->itemText(i);
        EXPECT_EQ(languages->currentIndex(), 0);
        auto* more = In<TLinkLabel>(Dialog, "lblGetMoreLanguages");
        QTest::mouseClick(more, Qt::LeftButton, {}, {2, more->height() / 2});
        SelectLanguage(Dialog, "Deutsch");
        Dialog.accept();
    });
    OpenSettings();
    EXPECT_EQ(listed, (QStringList{"English (default)", "Deutsch"}));
    ASSERT_EQ(Shown().size(), 2);
    EXPECT_TRUE(Shown()[1].endsWith("/pages/languages.html")) << Shown()[1].toStdString();
    EXPECT_EQ(w.Settings().LanguageFile, "Deutsch.lng");
    EXPECT_EQ(FileMenuCaption(), "Datei");
    EXPECT_EQ(Tabs()->tabText(0), QString::fromUtf8("Wörterbuch"));

    QString title;
    QString firstElement;
    Drive([&](QDialog& Dialog) {
        title = Dialog.windowTitle();
        firstElement = In<QComboBox>(Dialog, "cmbElement")->itemText(0);
        EXPECT_EQ(In<QComboBox>(Dialog, "cmbLanguages")->currentText(), "Deutsch");
        SelectLanguage(Dialog, "English (default)");
        Dialog.accept();
    });
    OpenSettings();
    EXPECT_EQ(title, "Einstellungen");
    EXPECT_EQ(firstElement, "Eintrag");
    EXPECT_EQ(w.Settings().LanguageFile, "");
    EXPECT_EQ(FileMenuCaption(), "File");
    EXPECT_TRUE(FErrors.isEmpty());
}

TEST_F(PreferencesWindowTest, ALanguageFileThatWentBadLeavesTheLanguageInPlace)
{
    AddStandardDictionaries();
    AddGerman();
    TfrmMain& w = Start();
    Drive([&](QDialog& Dialog) {
        SelectLanguage(Dialog, "Deutsch");
        Dialog.accept();
    });
    OpenSettings();
    ASSERT_EQ(FileMenuCaption(), "Datei");

    FFolder.WriteFile("Lang/Broken.lng", "[Data]\r\nFileVersion=3\r\nName=Broken\r\n[Main]\r\n1001=Broken\r\n");
    Drive([&](QDialog& Dialog) {
        SelectLanguage(Dialog, "Broken");
        // Replaced by something else while the dialog was open.
        FFolder.WriteFile("Lang/Broken.lng", "[Data]\r\nFileVersion=1\r\n");
        Dialog.accept();
    });
    OpenSettings();
    ASSERT_EQ(FErrors.size(), 1);
    EXPECT_TRUE(FErrors[0].contains("Broken.lng")) << FErrors[0].toStdString();
    EXPECT_EQ(w.Settings().LanguageFile, "Deutsch.lng");
    EXPECT_EQ(FileMenuCaption(), "Datei");
}

TEST_F(PreferencesWindowTest, PresetsAreAddedAppliedByShortcutAndRemoved)
{
    AddStandardDictionaries();
    TfrmMain& w = Start();
    auto* presets = Find<QMenu>("mnuPresets");
    EXPECT_FALSE(presets->menuAction()->isVisible());

    w.resize(700, 550);
    w.move(40, 30);
    FTextAnswers << "Wide";
    Find<QAction>("mnuAddPreset")->trigger();
    ASSERT_EQ(FPrompts.size(), 1);
    EXPECT_TRUE(FPrompts[0].startsWith("Adding a preset creates")) << FPrompts[0].toStdString();
    EXPECT_TRUE(FPrompts[0].endsWith("\n\nEnter a name for the preset:"));
    w.resize(520, 480);
    FTextAnswers << "Small" << "wide" << "a/b" << "  ";
    for (int i = 0; i < 4; ++i)
        Find<QAction>("mnuAddPreset")->trigger();
    EXPECT_EQ(FErrors, (QStringList{"Name is already used for preset. Please enter a unique name.",
                                    "A preset name cannot be empty, longer than 64 characters, or contain / or \\."}));
    EXPECT_EQ(w.PresetNames(), (QStringList{"Small", "Wide"}));
    EXPECT_TRUE(presets->menuAction()->isVisible());
    ASSERT_EQ(presets->actions().size(), 2);
    EXPECT_EQ(presets->actions()[1]->shortcut(), QKeySequence("Ctrl+2"));

    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_2, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_EQ(w.size(), QSize(700, 550));
    EXPECT_TRUE(w.isVisible()) << "the window comes back after the change";
    presets->actions()[0]->trigger();
    EXPECT_EQ(w.size(), QSize(520, 480));

    // Removing the first renumbers the rest from Ctrl+1.
    FAnswers << TMessageBox::TAnswer::No << TMessageBox::TAnswer::Yes;
    QStringList listed;
    Drive([&](QDialog& Dialog) {
        auto* list = In<QListWidget>(Dialog, "lstPreset");
        EXPECT_EQ(list->currentRow(), 0);
        In<QPushButton>(Dialog, "btnRemove")->click();  // answered No
        EXPECT_EQ(list->count(), 2);
        In<QPushButton>(Dialog, "btnRemove")->click();
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        EXPECT_EQ(w.PresetNames(), listed) << "the menu follows while the dialog is open";
        Dialog.reject();
    });
    Find<QAction>("mnuDeletePresets")->trigger();
    EXPECT_EQ(FQuestions.size(), 2);
    EXPECT_EQ(listed, QStringList{"Wide"});
    ASSERT_EQ(presets->actions().size(), 1);
    EXPECT_EQ(presets->actions()[0]->shortcut(), QKeySequence("Ctrl+1"));
    Close();
    Start();
    EXPECT_EQ(FWindow->PresetNames(), QStringList{"Wide"}) << "presets are kept between runs";
}

TEST_F(PreferencesWindowTest, ElevenPresetsBuiltInKindsAndTransparency)
{
    AddStandardDictionaries();
    {
        QSettings key = Stored();
        for (int i = 0; i < 10; ++i)
            key.setValue(QStringLiteral("Presets/p%1/WindowTransparency").arg(i), 200);
        key.setValue("Presets/q/Kind", 2);
        key.setValue("Presets/q/WindowWidth", 640);
        key.setValue("Presets/p0/WindowTransparency", 255);
    }
    TfrmMain& w = Start();
    auto* presets = Find<QMenu>("mnuPresets");
    ASSERT_EQ(presets->actions().size(), 11);
    EXPECT_EQ(presets->actions()[8]->shortcut(), QKeySequence("Ctrl+9"));
    EXPECT_TRUE(presets->actions()[9]->shortcut().isEmpty());
    EXPECT_TRUE(presets->actions()[10]->shortcut().isEmpty());

    presets->actions()[1]->trigger();  // p1: translucent
    EXPECT_EQ(w.Opacity(), (TOpacity{200, true}));
    EXPECT_NEAR(w.windowOpacity(), 200.0 / 255, 0.01);
    presets->actions()[0]->trigger();  // p0: opaque again
    EXPECT_EQ(w.Opacity(), (TOpacity{255, false}));
    EXPECT_DOUBLE_EQ(w.windowOpacity(), 1.0);

    presets->actions()[10]->trigger();  // q: the right-hand bar
    const TPresetLayout& bar = w.BuiltInPresets()[1];
    EXPECT_EQ(w.size(), QSize(bar.Width, bar.Height));
    EXPECT_EQ(w.pos(), QPoint(bar.Left, bar.Top));
    EXPECT_EQ(w.Opacity(), (TOpacity{225, true}));
    EXPECT_EQ(w.LookupView()->Indent(), 10);
    EXPECT_EQ(w.AdvancedView()->Indent(), 10);
    EXPECT_EQ(w.Settings().TopIndent, 175);
}

TEST_F(PreferencesWindowTest, InformationShowsTheDictionarysTextsAndOpensItsSite)
{
    // A notice far wider than the status bar: the link after it must stay in sight.
    std::string notice = "Fruit";
    while (notice.size() < 400)
        notice += " - a notice of some length";
    FFolder.AddDictionary("fruit.ldi", "Fruit", {{"apple", "a red fruit"}}, {}, {}, notice,
                          "http://example.org/fruit", "First line\r\nSecond line\rThird\nFourth");
    TfrmMain& w = Start();
    QString memo;
    QString group;
    Drive([&](QDialog& Dialog) {
        EXPECT_EQ(Dialog.windowTitle(), "Information");
        memo = In<QPlainTextEdit>(Dialog, "memInformation")->toPlainText();
        group = In<QGroupBox>(Dialog, "grpInformation")->title();
        auto* link = In<TLinkLabel>(Dialog, "lblURL");
        EXPECT_EQ(link->text(), "http://example.org/fruit");
        QTest::mouseClick(link, Qt::LeftButton, {}, {2, link->height() / 2});
    });
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(LookupBox()->lineEdit(), Qt::Key_F2);
    EXPECT_EQ(FDialogsRun, 1);
    EXPECT_EQ(group, "Fruit");
    EXPECT_EQ(memo, "First line\nSecond line\nThird\nFourth");
    EXPECT_EQ(FOpened, QStringList{"http://example.org/fruit"});

    // The status bar's "(information)" opens the same dialog.
    auto* status = Find<TStatusBar>("stbStatusBar");
    status->grab();
    int link = -1;
    for (int x = 0; x < status->width() && link < 0; ++x) {
        status->OnMouseMove(x);
        if (status->cursor().shape() == Qt::PointingHandCursor)
            link = x + 2;
    }
    ASSERT_GE(link, 0);
    QTest::mouseClick(status, Qt::LeftButton, {}, {link, status->height() / 2});
    EXPECT_EQ(FDialogsRun, 2);
}

TEST_F(PreferencesWindowTest, ADictionarysSiteOpensOnlyWhenItIsAWebOrMailAddress)
{
    struct TCase {
        const char* Url;
        const char* Opened;  // empty: refused with a message
    };
    const TCase cases[] = {
        {"https://example.org/fruit", "https://example.org/fruit"},
        {"www.example.org", "http://www.example.org"},
        {"mailto:maker@example.org", "mailto:maker@example.org"},
        {"file:///etc/passwd", ""},
        {"/home/someone/.ssh/id_rsa", ""},
        {"smb://server/share", ""},
        {"javascript:alert(1)", ""},
        {"steam://run/1", ""},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Url);
        FFolder.AddDictionary("site.ldi", "Site", {{"apple", "a red fruit"}}, {}, {}, "Site", c.Url, "text");
        Start();
        FOpened.clear();
        FErrors.clear();
        Drive([&](QDialog& Dialog) {
            auto* link = In<TLinkLabel>(Dialog, "lblURL");
            QTest::keyClick(link, Qt::Key_Return);
            Dialog.accept();
        });
        Find<QAction>("mnuInformation")->trigger();
        if (*c.Opened) {
            EXPECT_EQ(FOpened, QStringList{c.Opened});
            EXPECT_TRUE(FErrors.isEmpty());
        } else {
            EXPECT_TRUE(FOpened.isEmpty());
            ASSERT_EQ(FErrors.size(), 1);
            EXPECT_TRUE(FErrors[0].startsWith("Lirabo opens only web and e-mail addresses")) << FErrors[0].toStdString();
            EXPECT_TRUE(FErrors[0].contains(c.Url));
        }
        Close();
    }
}

TEST_F(PreferencesWindowTest, AboutShowsTheBuildsVersionAndItsLinksOpenOutside)
{
    AddStandardDictionaries();
    Start();
    QString version;
    QString site;
    Drive([&](QDialog& Dialog) {
        version = In<QLabel>(Dialog, "lblVersion")->text();
        site = In<TLinkLabel>(Dialog, "lblURL")->text();
        auto* email = In<TLinkLabel>(Dialog, "lblEmail");
        QTest::keyClick(email, Qt::Key_Space);
        auto* site = In<TLinkLabel>(Dialog, "lblURL");
        QTest::mouseClick(site, Qt::LeftButton, {}, {2, site->height() / 2});
    });
    Find<QAction>("mnuAbout")->trigger();
    EXPECT_EQ(version, "Version " + TfrmAbout::FileVersionText(QStringLiteral(LIRABO_TEST_VERSION)));
    ASSERT_EQ(FOpened.size(), 2);
    EXPECT_TRUE(FOpened[0].startsWith("mailto:"));
    // The built-in home page, by name, in the system's browser.
    EXPECT_EQ(site, "Lirabo on the Internet");
    EXPECT_TRUE(FOpened[1].startsWith("file://") && FOpened[1].endsWith("/home.html")) << FOpened[1].toStdString();
}

}  // namespace
}  // namespace lirabo::test
