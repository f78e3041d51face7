#include <gtest/gtest.h>

#include <string>

#include "ipc/open_message.h"

namespace lirabo::ipc {
namespace {

using TState = TOpenMessageReader::TState;

TEST(OpenMessageTest, EncodedPathEndsWithOneZeroAndStopsAtAnEmbeddedOne)
{
    EXPECT_EQ(EncodeOpenMessage("/a/b.ldi"), std::string("/a/b.ldi\0", 9));
    EXPECT_EQ(EncodeOpenMessage(std::string("/a\0/b.ldi", 9)), std::string("/a\0", 3));
    EXPECT_EQ(EncodeOpenMessage(""), std::string(1, '\0'));
}

TEST(OpenMessageTest, PiecesOfAnyLengthMakeTheSamePath)
{
    const std::string message = EncodeOpenMessage("/home/ana/Dictionaries/Fruit.LDI");
    for (std::size_t piece = 1; piece <= message.size(); ++piece) {
        TOpenMessageReader reader;
        TState state = TState::NeedMore;
        for (std::size_t at = 0; at < message.size(); at += piece) {
            ASSERT_EQ(state, TState::NeedMore) << "piece " << piece;
            state = reader.Feed(message.data() + at, std::min(piece, message.size() - at));
        }
        EXPECT_EQ(state, TState::Complete) << "piece " << piece;
        EXPECT_EQ(reader.Path(), "/home/ana/Dictionaries/Fruit.LDI");
    }
}

TEST(OpenMessageTest, EmptyMessageAsksForTheWindowOnly)
{
    TOpenMessageReader reader;
    EXPECT_EQ(reader.Feed("", 0), TState::NeedMore);
    EXPECT_EQ(reader.Feed("\0", 1), TState::Complete);
    EXPECT_EQ(reader.Path(), "");
}

TEST(OpenMessageTest, LongestMessageIsTakenOneByteMoreIsRejected)
{
    const std::string longest(kMaxOpenMessage - 1, 'a');
    TOpenMessageReader fits;
    EXPECT_EQ(fits.Feed(longest.data(), longest.size()), TState::NeedMore);
    EXPECT_EQ(fits.Feed("\0", 1), TState::Complete);
    EXPECT_EQ(fits.Path().size(), kMaxOpenMessage - 1);

    TOpenMessageReader tooLong;
    EXPECT_EQ(tooLong.Feed(longest.data(), longest.size()), TState::NeedMore);
    EXPECT_EQ(tooLong.Feed("a", 1), TState::Rejected);
    EXPECT_TRUE(tooLong.Path().empty());
    // A client that goes on sending is not heard again.
    EXPECT_EQ(tooLong.Feed("\0", 1), TState::Rejected);

    // An endless stream without a zero byte is cut off at the bound, not
    // collected.
    TOpenMessageReader endless;
    const std::string chunk(4096, 'x');
    TState state = TState::NeedMore;
    int chunks = 0;
    while (state == TState::NeedMore && chunks < 1000) {
        state = endless.Feed(chunk.data(), chunk.size());
        ++chunks;
    }
    EXPECT_EQ(state, TState::Rejected);
    EXPECT_EQ(chunks, static_cast<int>(kMaxOpenMessage / chunk.size()));
}

TEST(OpenMessageTest, BytesAfterTheMessageRejectIt)
{
    TOpenMessageReader trailing;
    EXPECT_EQ(trailing.Feed("/a.ldi\0/b.ldi", 13), TState::Rejected);
    EXPECT_TRUE(trailing.Path().empty());

    TOpenMessageReader second;
    EXPECT_EQ(second.Feed("/a.ldi\0", 7), TState::Complete);
    EXPECT_EQ(second.Feed("x", 1), TState::Rejected);
    EXPECT_TRUE(second.Path().empty());
}

}  // namespace
}  // namespace lirabo::ipc
