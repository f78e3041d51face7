#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/memory_stream.h"
#include "dictionary_view/dictionary_painter.h"
#include "dictionary_view/dictionary_view.h"
#include "dictionary_view/hit_test.h"
#include "makrel/core/dictionary_writer.h"

namespace lirabo::testing {

// Mark-up codes spelled out for test dictionaries.
inline const std::string kField = "\x0A", kDefinition = "\x07", kGrammar = "\x08", kLink = "\x09",
                         kLinkEnd = "\x0F", kBold = "\x03", kItalic = "\x04", kUnderline = "\x05",
                         kStrikeOut = "\x06", kBreak = "\x0D";

// The default element colours and styles of the program's settings.
inline void ApplyDefaultLook(TDictionaryView& View)
{
    View.setFont(QFont("DejaVu Sans", 10));
    View.SetColor(0xFFFFFF);
    View.SetCurrentColor(0xD7D7D7);
    View.SetSelectedColor(0xFCC898);
    TDictionaryStyles& styles = View.Styles();
    styles.SetElementColor(deEntry, 0x000000);
    styles.SetElementColor(deDefinition, 0x008001);
    styles.SetElementColor(deField, 0x0000FF);
    styles.SetElementColor(deGrammar, 0x0080FF);
    styles.SetElementColor(deLink, 0x800000);
    styles.SetElementStyle(deField, fsBold);
    styles.SetElementStyle(deLink, fsBold);
    View.SetIndent(150);
}

// A shown view over a small dictionary built in memory, with helpers that
// find where a byte of an entry stands on screen.
class ViewTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        if (!qApp) {
            const QString runtime = QDir::temp().filePath("lirabo-view-tests");
            QDir().mkpath(runtime);
            QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
            static int argc = 1;
            static char name[] = "dictionary_view_tests";
            static char* argv[] = {name, nullptr};
            new QApplication(argc, argv);
        }
    }

    void SetUp() override
    {
        view = std::make_unique<TDictionaryView>();
        view->resize(600, 400);
        ApplyDefaultLook(*view);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        // As the window's only control the view takes the focus; beside the
        // lookup box it has none, and that is the look these tests check.
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
        view->clearFocus();
    }

    // The sample dictionary: every element, a link, two entries of "cat".
    static std::vector<unsigned char> SampleDictionary()
    {
        makrel::TWriterOptions options;
        options.SectionSize = 4;
        makrel::TDictionaryWriter writer(options);
        writer.Add("cat", kField + "zoology" + kDefinition +
                              " a small domesticated carnivorous mammal with soft fur, a short snout and "
                              "retractile claws; " +
                              kGrammar + "noun" + kDefinition + " see also " + kLink + "kitten" + kLinkEnd +
                              "." + kBreak + kItalic + "Felis catus" + kItalic);
        writer.Add("cat", kDefinition + "(informal) a " + kBold + "person" + kBold + " " + kUnderline +
                              "regarded" + kUnderline + " as " + kStrikeOut + "cool" + kStrikeOut + "; " +
                              kLink + "jazz musician" + kLinkEnd);
        writer.Add("kitten", kDefinition + "a young cat");
        writer.Add("a rather long headword that reaches the column",
                   kDefinition + "its body starts on the next line");
        writer.Add("wrap", kDefinition + "one two three four five six seven eight nine ten eleven " + kLink +
                               "alpha beta gamma delta epsilon zeta eta theta iota kappa" + kLinkEnd +
                               " end");
        for (int i = 0; i < 30; ++i)
            writer.Add("word" + std::to_string(100 + i),
                       kDefinition + "filler entry number " + std::to_string(i));
        return writer.Build();
    }

    void OpenSample() { view->OpenDictionary(std::make_unique<TMemoryStream>(SampleDictionary())); }

    QImage Shot() { return view->grab().toImage(); }

    static QColor Rgb(TColor Color) { return ToQColor(Color); }

    int LineHeight() const { return view->Layout().LineHeight(); }

    // The top of entry Entry on screen (the last paint's layout), or -1.
    int EntryTop(int Entry) const
    {
        const TLayoutCache& cache = view->LayoutCache();
        int y = kTopMargin - view->TopLine() * LineHeight();
        for (int j = 0; j < cache.ProcessedCount(); ++j) {
            if (cache.ProcessedFirst() + j == Entry)
                return j == 0 ? kTopMargin : y;
            y += cache.Item(j).Lines * LineHeight();
        }
        return -1;
    }

    // A point on byte Index of entry Entry's laid-out text, found through the
    // same hit test the view uses.
    QPoint PointOf(int Entry, int Index) const
    {
        const TLayoutCache& cache = view->LayoutCache();
        const int j = Entry - cache.ProcessedFirst();
        const int top = EntryTop(Entry);
        if (top < 0)
            return {-1, -1};
        const TProcessedItem& item = cache.Item(j);
        for (int y = top + LineHeight() / 2; y < top + item.Lines * LineHeight(); y += LineHeight())
            for (int x = 0; x < view->RightLimit(); ++x) {
                const THit hit = HitTest(view->Layout(), item, x, y, top, j == 0 ? view->TopLine() : 0,
                                         view->ScrollBar()->x());
                if (hit.Index == Index && hit.Rect.Left <= x)
                    return {x + 1, y};
            }
        return {-1, -1};
    }

    // A point on the first occurrence of Text in entry Entry, Offset bytes in.
    QPoint PointOfText(int Entry, const std::string& Text, int Offset = 0) const
    {
        const TLayoutCache& cache = view->LayoutCache();
        const int j = Entry - cache.ProcessedFirst();
        if (j < 0 || j >= cache.ProcessedCount())
            return {-1, -1};
        const size_t at = cache.Item(j).Text.find(Text);
        if (at == std::string::npos)
            return {-1, -1};
        return PointOf(Entry, static_cast<int>(at) + Offset);
    }

    int CountPixels(const QImage& Image, const QRect& Area, const QColor& Color) const
    {
        int count = 0;
        for (int y = std::max(Area.top(), 0); y <= Area.bottom() && y < Image.height(); ++y)
            for (int x = std::max(Area.left(), 0); x <= Area.right() && x < Image.width(); ++x)
                if (Image.pixelColor(x, y) == Color)
                    ++count;
        return count;
    }

    std::unique_ptr<TDictionaryView> view;
};

}  // namespace lirabo::testing
