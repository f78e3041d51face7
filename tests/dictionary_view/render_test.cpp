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

}  // namespace
}  // namespace lirabo::testing
