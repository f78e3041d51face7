// The real message boxes, answered by keys as a person would: which button
// a hurried Return or Escape picks.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "widgets/message_box.h"

namespace lirabo {
namespace {

TEST(MessageBoxTest, ReturnAndEscapePickTheSafeAnswer)
{
    using TAnswer = TMessageBox::TAnswer;
    struct TCase {
        const char* Name;
        std::function<TAnswer()> Ask;
        int Key;
        TAnswer Expected;
    };
    const TCase cases[] = {
        {"question, Return", [] { return TMessageBox::Question(nullptr, "Go on?"); }, Qt::Key_Return, TAnswer::Yes},
        {"question, Escape", [] { return TMessageBox::Question(nullptr, "Go on?"); }, Qt::Key_Escape, TAnswer::No},
        {"cautious, Return", [] { return TMessageBox::CautiousQuestion(nullptr, "<b>Replace</b> it?"); },
         Qt::Key_Return, TAnswer::No},
        {"cautious, Escape", [] { return TMessageBox::CautiousQuestion(nullptr, "Replace it?"); }, Qt::Key_Escape,
         TAnswer::No},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            shown = box->text();
            EXPECT_EQ(box->textFormat(), Qt::PlainText);
            QKeyEvent press(QEvent::KeyPress, c.Key, Qt::NoModifier);
            QApplication::sendEvent(box->focusWidget() ? box->focusWidget() : box, &press);
        });
        EXPECT_EQ(c.Ask(), c.Expected);
        EXPECT_FALSE(shown.isEmpty());
    }
}

}  // namespace
}  // namespace lirabo
