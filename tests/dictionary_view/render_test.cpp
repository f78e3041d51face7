#include "view_fixture.h"

namespace lirabo::testing {
namespace {

// Renders the sample dictionary as a person sees it after looking up "cat",
// with a selection being dragged, so that it can be looked at.
TEST_F(ViewTest, RendersTheSampleDictionaryToAPicture)
{
    view->resize(640, 420);
    OpenSample();
    view->LookUp("cat");
    Shot();
    const QPoint from = PointOfText(3, "young");
    const QPoint to = PointOfText(3, "cat", 2);
    QTest::mousePress(view.get(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view.get(), to);

    const QImage image = Shot();
    const QString path = QStringLiteral(LIRABO_RENDER_DIR "/dictionary_view.png");
    ASSERT_TRUE(image.save(path)) << path.toStdString();
    QTest::mouseRelease(view.get(), Qt::LeftButton, {}, to);

    const QImage read(path);
    EXPECT_EQ(read.size(), QSize(640, 420));
    EXPECT_GT(CountPixels(read, read.rect(), Rgb(0xD7D7D7)), 1000);  // the current entries
    EXPECT_GT(CountPixels(read, read.rect(), Rgb(0xFCC898)), 50);    // the selection
    EXPECT_GT(CountPixels(read, read.rect(), Rgb(0x800000)), 5);     // the links
}

// The first "cat" entry scrolled by two of its lines: its headword stays at
// the top beside the body's first line that is not hidden.
TEST_F(ViewTest, RendersAPartlyScrolledTopEntry)
{
    view->resize(420, 200);
    OpenSample();
    view->LookUp("cat");
    int position = 1;
    view->ScrollBarScroll(TDictionaryView::scTrack, position);
    Shot();
    const int lines = view->LayoutCache().Item(0).Lines;
    ASSERT_GE(lines, 4);
    view->ScrollLines(2);
    EXPECT_EQ(view->TopEntry(), 1);
    EXPECT_EQ(view->TopLine(), 2);

    const QImage image = Shot();
    ASSERT_TRUE(image.save(QStringLiteral(LIRABO_RENDER_DIR "/dictionary_view_scrolled.png")));
    // The strip runs beside the visible lines of the current entries only.
    const int h = LineHeight();
    EXPECT_EQ(image.pixelColor(4, 5 + (lines - 2) * h - 2), Rgb(0xD7D7D7));
    // The headword "cat" is drawn in the first line.
    EXPECT_GT(30 * h - CountPixels(image, QRect(5, 5, 30, h), Rgb(0xD7D7D7)), 20);
}

}  // namespace
}  // namespace lirabo::testing
