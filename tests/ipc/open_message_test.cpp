#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ipc/open_message.h"

namespace lirabo::ipc {
namespace {

using TState = TOpenMessageReader::TState;
using namespace std::string_literals;

TEST(OpenMessageTest, EncodedPathEndsWithOneZeroAndStopsAtAnEmbeddedOne)
{
    EXPECT_EQ(EncodeOpenMessage("/a/b.ldi"), std::string("/a/b.ldi\0", 9));
    EXPECT_EQ(EncodeOpenMessage(std::string("/a\0/b.ldi", 9)), std::string("/a\0", 3));
    EXPECT_EQ(EncodeOpenMessage(""), std::string(1, '\0'));
}

TEST(OpenMessageTest, OnlyPrintableTokensWithinTheBoundAreSent)
{
    struct TCase {
        std::string Token;
        bool Sound;
    };
    const std::vector<TCase> cases = {
        {"a", true},
        {"sway/1234_ab-CD.ef:~!", true},
        {std::string(kMaxActivationToken, 'k'), true},
        {std::string(kMaxActivationToken + 1, 'k'), false},
        {"", false},
        {"two words", false},
        {"tab\there", false},
        {"line\n", false},
        {"del\x7f", false},
        {"caf\xc3\xa9", false},
        {"zero\0byte"s, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Token);
        EXPECT_EQ(IsActivationToken(c.Token), c.Sound);
        EXPECT_EQ(EncodeActivationToken(c.Token), c.Sound ? c.Token + '\0' : std::string());
    }
}

// Every way a peer may send: each row's pieces are fed in order, then the
// connection ends when Ended (the peer closed or went silent).
TEST(OpenMessageTest, ThePathStandsWhateverBecomesOfTheToken)
{
    struct TCase {
        const char* Name;
        std::vector<std::string> Pieces;
        bool Ended;
        TState State;
        std::string Path;
        std::string Token;
    };
    const std::string longest(kMaxActivationToken, 'k');
    const std::vector<TCase> cases = {
        {"path, then the end", {"/a.ldi\0"s}, true, TState::Complete, "/a.ldi", ""},
        {"path, answer due", {"/a.ldi\0"s}, false, TState::NeedToken, "/a.ldi", ""},
        {"path and token", {"/a.ldi\0"s, "tok-1_a.b\0"s}, false, TState::Complete, "/a.ldi", "tok-1_a.b"},
        {"both in one piece", {"/a.ldi\0tok\0"s}, false, TState::Complete, "/a.ldi", "tok"},
        {"window only, with a token", {"\0tok\0"s}, false, TState::Complete, "", "tok"},
        {"empty token", {"/a.ldi\0\0"s}, false, TState::Complete, "/a.ldi", ""},
        {"longest token", {"/a.ldi\0"s, longest + '\0'}, false, TState::Complete, "/a.ldi", longest},
        {"token too long", {"/a.ldi\0"s, longest + 'k' + '\0'}, false, TState::Complete, "/a.ldi", ""},
        {"token too long, in pieces", {"/a.ldi\0"s, longest, "k"}, false, TState::Complete, "/a.ldi", ""},
        {"endless token", {"/a.ldi\0"s, std::string(64 * 1024, 'k')}, false, TState::Complete, "/a.ldi", ""},
        {"space in the token", {"/a.ldi\0"s, "a b\0"s}, false, TState::Complete, "/a.ldi", ""},
        {"control byte in the token", {"/a.ldi\0"s, "a\x01\0"s}, false, TState::Complete, "/a.ldi", ""},
        {"letter beyond ASCII", {"/a.ldi\0"s, "caf\xc3\xa9\0"s}, false, TState::Complete, "/a.ldi", ""},
        {"bad byte before the rest came", {"/a.ldi\0"s, "a\n"}, false, TState::Complete, "/a.ldi", ""},
        {"bytes after the token", {"/a.ldi\0tok\0x"s}, false, TState::Complete, "/a.ldi", ""},
        {"bytes after the token, later", {"/a.ldi\0tok\0"s, "x"}, true, TState::Complete, "/a.ldi", ""},
        {"a second token", {"/a.ldi\0"s, "tok\0tok\0"s}, false, TState::Complete, "/a.ldi", ""},
        {"token cut short", {"/a.ldi\0"s, "tok"}, true, TState::Complete, "/a.ldi", ""},
        {"path cut short", {"/a.ldi"}, true, TState::Rejected, "", ""},
        {"path not whole yet", {"/a.ldi"}, false, TState::NeedPath, "/a.ldi", ""},
        {"nothing at all", {}, true, TState::Rejected, "", ""},
        {"path too long", {std::string(kMaxOpenMessage, 'a')}, false, TState::Rejected, "", ""},
        {"path too long, then more",
         {std::string(kMaxOpenMessage, 'a'), "\0tok\0"s},
         true,
         TState::Rejected,
         "",
         ""},
        {"empty pieces change nothing",
         {"", "/a.ldi\0"s, "", "tok\0"s, ""},
         false,
         TState::Complete,
         "/a.ldi",
         "tok"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TOpenMessageReader reader;
        TState state = reader.State();
        for (const std::string& piece : c.Pieces)
            state = reader.Feed(piece.data(), piece.size());
        if (c.Ended)
            state = reader.Finish();
        EXPECT_EQ(state, c.State);
        EXPECT_EQ(reader.State(), c.State);
        EXPECT_EQ(reader.Path(), c.Path);
        EXPECT_EQ(reader.Token(), c.Token);
        // Bytes no sound sender sends cost the token only, never a path
        // already whole.
        reader.Feed("x", 1);
        EXPECT_EQ(reader.State(), c.State == TState::NeedToken ? TState::NeedToken : c.State);
        if (c.State != TState::NeedPath) {
            EXPECT_EQ(reader.Path(), c.Path);
        }
    }
}

TEST(OpenMessageTest, PiecesOfAnyLengthMakeTheSameMessage)
{
    const std::string message =
        EncodeOpenMessage("/home/ana/Dictionaries/Fruit.LDI") + EncodeActivationToken("sway-7_Zq.w");
    for (std::size_t piece = 1; piece <= message.size(); ++piece) {
        TOpenMessageReader reader;
        TState state = TState::NeedPath;
        for (std::size_t at = 0; at < message.size(); at += piece) {
            ASSERT_NE(state, TState::Complete) << "piece " << piece;
            state = reader.Feed(message.data() + at, std::min(piece, message.size() - at));
        }
        EXPECT_EQ(state, TState::Complete) << "piece " << piece;
        EXPECT_EQ(reader.Path(), "/home/ana/Dictionaries/Fruit.LDI");
        EXPECT_EQ(reader.Token(), "sway-7_Zq.w");
    }
}

TEST(OpenMessageTest, LongestPathIsTakenOneByteMoreIsRejected)
{
    const std::string longest(kMaxOpenMessage - 1, 'a');
    TOpenMessageReader fits;
    EXPECT_EQ(fits.Feed(longest.data(), longest.size()), TState::NeedPath);
    EXPECT_EQ(fits.Feed("\0", 1), TState::NeedToken);
    EXPECT_EQ(fits.Path().size(), kMaxOpenMessage - 1);

    // An endless stream without a zero byte is cut off at the bound, not
    // collected.
    TOpenMessageReader endless;
    const std::string chunk(4096, 'x');
    TState state = TState::NeedPath;
    int chunks = 0;
    while (state == TState::NeedPath && chunks < 1000) {
        state = endless.Feed(chunk.data(), chunk.size());
        ++chunks;
    }
    EXPECT_EQ(state, TState::Rejected);
    EXPECT_EQ(chunks, static_cast<int>(kMaxOpenMessage / chunk.size()));
    EXPECT_TRUE(endless.Path().empty());
}

}  // namespace
}  // namespace lirabo::ipc
