// The preview's thirteen places and the element group of the Layout tab, as
// a person clicks them.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "language/language.h"
#include "language/language_apply.h"
#include "preferences/element_preview.h"
#include "preferences/frm_settings.h"

namespace lirabo::test {
namespace {

QPoint Inside(const QRect& Rect)
{
    return Rect.center();
}

TEST(ElementPreviewTest, EveryAreaPicksItsElementAndWordsWinOverBackgrounds)
{
    TElementPreview preview;
    preview.resize(preview.sizeHint());
    EXPECT_EQ(preview.ElementAt({10, 10}), -1) << "no area before the first paint";
    preview.grab();

    // Areas 0..9: entry, field, grammar, definition, "See ", link, then the
    // second entry; 10 the selected text; 11 the current band; 12 the rest.
    const int expected[TElementPreview::kAreaCount] = {0, 2, 3, 1, 1, 4, 0, 2, 3, 1, 7, 6, 5};
    std::vector<int> picked;
    preview.OnPick = [&](int Element) { picked.push_back(Element); };
    for (int area = 0; area < TElementPreview::kAreaCount; ++area) {
        const TElementPreview::TArea& a = preview.Areas()[area];
        ASSERT_FALSE(a.Rect.isEmpty()) << area;
        EXPECT_EQ(a.Element, expected[area]) << area;
    }
    // Samples at their centres; the bands where no sample lies.
    for (int area = 0; area <= 10; ++area)
        QTest::mouseClick(&preview, Qt::LeftButton, {}, Inside(preview.Areas()[area].Rect));
    const QRect selected = preview.Areas()[10].Rect;
    QTest::mouseClick(&preview, Qt::RightButton, {}, {selected.right() + 20, selected.center().y()});
    const QRect definition = preview.Areas()[3].Rect;
    QTest::mouseClick(&preview, Qt::LeftButton, {}, {definition.right() + 5, definition.center().y()});
    EXPECT_EQ(picked, std::vector<int>(std::begin(expected), std::end(expected)));

    // Rows are laid out as the view lays them out: definitions at x = 100,
    // each row one text height below the one before.
    EXPECT_EQ(preview.Areas()[1].Rect.left(), 100);
    EXPECT_EQ(preview.Areas()[4].Rect.left(), 100);
    EXPECT_EQ(preview.Areas()[6].Rect.left(), 5);
    EXPECT_EQ(preview.Areas()[11].Rect.top(), preview.Areas()[6].Rect.top());
    EXPECT_GT(preview.Areas()[10].Rect.top(), preview.Areas()[9].Rect.top());
}

TEST(ElementPreviewTest, SamplesAreDrawnInTheirElementsColours)
{
    TDisplayLook look;
    look.Colors[5] = 0x00FF00;  // background green
    look.Colors[6] = 0xFF0000;  // current band blue
    look.Colors[7] = 0x0000FF;  // selected red
    TElementPreview preview;
    preview.SetLook(look);
    preview.resize(preview.sizeHint());
    const QImage image = preview.grab().toImage();
    const auto at = [&](int Area, int Dx) {
        const QRect r = preview.Areas()[Area].Rect;
        return image.pixelColor(r.right() + Dx, r.top() + 1);
    };
    EXPECT_EQ(at(3, 10), QColor(0, 255, 0)) << "beside row 1: background";
    EXPECT_EQ(at(9, 10), QColor(0, 0, 255)) << "beside row 3: current band";
    EXPECT_EQ(image.pixelColor(preview.Areas()[10].Rect.topLeft() + QPoint(1, 0)), QColor(255, 0, 0))
        << "under the selected text";
}

class SettingsDialogTest : public ::testing::Test {
protected:
    TfrmSettings& Open(const TDisplayLook& Look = {})
    {
        FDialog = std::make_unique<TfrmSettings>(FLanguage, std::vector<TLanguageChoice>{{{}, "English (default)"}},
                                                 TfrmSettings::TGeneral{}, Look, nullptr);
        ApplyLanguageToControl(FLanguage, FDialog.get(), QStringLiteral("Settings"));
        FDialog->OnLookChanged = [this](const TDisplayLook& Changed) { FReported.push_back(Changed); };
        // Laid out, so that clicks land where a person would click.
        FDialog->findChild<QTabWidget*>("pagSettings")->setCurrentIndex(1);
        FDialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FDialog.get()));
        return *FDialog;
    }
    template <class T>
    T* Find(const char* Name) const
    {
        T* child = FDialog->findChild<T*>(QLatin1String(Name));
        EXPECT_NE(child, nullptr) << Name;
        return child;
    }
    // On its box: a check box only takes clicks on its box and caption.
    void Tick(const char* Name) const
    {
        QCheckBox* box = Find<QCheckBox>(Name);
        QTest::mouseClick(box, Qt::LeftButton, {}, {6, box->height() / 2});
    }
    std::vector<bool> Boxes(bool Enabled = false) const
    {
        std::vector<bool> state;
        for (const char* name : {"chkBold", "chkItalic", "chkUnderline", "chkStrikeOut"}) {
            QCheckBox* box = Find<QCheckBox>(name);
            state.push_back(Enabled ? box->isEnabled() : box->isChecked());
        }
        return state;
    }

    TLanguage FLanguage;
    std::unique_ptr<TfrmSettings> FDialog;
    std::vector<TDisplayLook> FReported;
};

TEST_F(SettingsDialogTest, StyleBoxesShowAndWriteTheSelectedElementsLetters)
{
    TDisplayLook look;
    look.Styles[0] = StyleFromLetters("ub");
    TfrmSettings& dialog = Open(look);
    QComboBox* element = Find<QComboBox>("cmbElement");
    ASSERT_EQ(element->count(), 8);
    EXPECT_EQ(element->itemText(7), "Selected background");
    EXPECT_EQ(Boxes(), (std::vector<bool>{true, false, true, false}));

    element->setCurrentIndex(5);  // Background: no style of its own
    EXPECT_EQ(Boxes(), (std::vector<bool>{false, false, false, false}));
    EXPECT_EQ(Boxes(true), (std::vector<bool>{false, false, false, false}));
    element->setCurrentIndex(0);
    EXPECT_EQ(Boxes(), (std::vector<bool>{true, false, true, false})) << "Entry shows its own flags again";
    EXPECT_EQ(Boxes(true), (std::vector<bool>{true, true, true, true}));
    EXPECT_TRUE(FReported.empty()) << "showing an element changes nothing";

    Tick("chkItalic");
    Tick("chkBold");
    ASSERT_EQ(FReported.size(), 2u);
    EXPECT_EQ(StyleToLetters(dialog.Look().Styles[0]), "iu");
    EXPECT_EQ(FReported.back(), dialog.Look());

    element->setCurrentIndex(4);  // Link: bold by default
    Tick("chkStrikeOut");
    EXPECT_EQ(StyleToLetters(dialog.Look().Styles[4]), "bs");
    EXPECT_EQ(StyleToLetters(dialog.Look().Styles[0]), "iu") << "another element is untouched";
}

TEST_F(SettingsDialogTest, ColourAndFontDialogsChangeOnlyWhatTheyOwn)
{
    TfrmSettings& dialog = Open();
    Find<QComboBox>("cmbElement")->setCurrentIndex(6);
    std::optional<QColor> answer = QColor(0x12, 0x34, 0x56);
    QColor offered;
    dialog.ChooseColor = [&](const QColor& Initial) {
        offered = Initial;
        return answer;
    };
    QTest::mouseClick(Find<QPushButton>("btnColor"), Qt::LeftButton);
    EXPECT_EQ(offered, QColor(0xD7, 0xD7, 0xD7)) << "the dialog starts at the element's colour";
    EXPECT_EQ(dialog.Look().Colors[6], 0x563412u);
    answer.reset();  // cancelled
    QTest::mouseClick(Find<QPushButton>("btnColor"), Qt::LeftButton);
    EXPECT_EQ(dialog.Look().Colors[6], 0x563412u);
    EXPECT_EQ(FReported.size(), 1u);

    const TDisplayLook before = dialog.Look();
    dialog.ChooseFont = [](const QFont&) {
        QFont font(QStringLiteral("DejaVu Serif"));
        font.setPointSize(14);
        font.setBold(true);
        font.setItalic(true);
        return std::optional(font);
    };
    QTest::mouseClick(Find<QPushButton>("btnFont"), Qt::LeftButton);
    EXPECT_EQ(dialog.Look().FontName, "DejaVu Serif");
    EXPECT_EQ(dialog.Look().FontSize, 14);
    EXPECT_EQ(dialog.Look().Styles, before.Styles) << "bold and italic of the font dialog are not styles";
    dialog.ChooseFont = [](const QFont&) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPointSize(900);
        return std::optional(font);
    };
    QTest::mouseClick(Find<QPushButton>("btnFont"), Qt::LeftButton);
    EXPECT_EQ(dialog.Look().FontSize, TDisplayLook::kMaxFontSize) << "never a size the views would refuse";
}

TEST_F(SettingsDialogTest, ClickingThePreviewSelectsTheElementToEdit)
{
    TfrmSettings& dialog = Open();
    auto* preview = Find<TElementPreview>("pntElements");
    preview->grab();
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->Areas()[10].Rect.center());
    EXPECT_EQ(dialog.SelectedElement(), 7);
    EXPECT_EQ(Boxes(true), (std::vector<bool>{false, false, false, false}));
    QTest::mouseClick(preview, Qt::LeftButton, {}, preview->Areas()[5].Rect.center());
    EXPECT_EQ(dialog.SelectedElement(), 4);
    EXPECT_EQ(Boxes(), (std::vector<bool>{true, false, false, false}));
}

}  // namespace
}  // namespace lirabo::test
