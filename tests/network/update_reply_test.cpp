// Taking the server's reply apart, and what of it the program may show or
// open.

#include <gtest/gtest.h>

#include "dictionary/ansi_codec.h"
#include "hostile_addresses.h"
#include "network/update_address.h"
#include "network/update_message.h"
#include "network/update_reply.h"

namespace lirabo::network {
namespace {

using namespace std::string_literals;

constexpr const char* kHead = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n\r\n";

TUpdateReply Parse(const std::string& Body)
{
    static std::string reply;  // the views point into it
    reply = kHead + Body;
    return ParseUpdateReply(reply);
}

TEST(UpdateReplyTest, CommandIsTheBodysFirstLineComparedExactly)
{
    EXPECT_EQ(Parse("MESSAGE\r\nServer down on Sunday.").Command, TUpdateCommand::Message);
    EXPECT_EQ(Parse("LATEST\r\n").Command, TUpdateCommand::Latest);
    EXPECT_EQ(Parse("UPDATED\r\nhttp://example.org/\r\n").Command, TUpdateCommand::Updated);
    for (const char* other : {"latest\r\n", "LATEST \r\n", " LATEST\r\n", "LATESTS\r\n", "\r\nLATEST\r\n",
                              "UPDATE\r\n", "Message\r\nx"})
        EXPECT_EQ(Parse(other).Command, TUpdateCommand::Other) << other;
}

TEST(UpdateReplyTest, ArgumentIsTheWholeRestOfTheBody)
{
    const TUpdateReply reply = Parse("UPDATED\r\nhttp://example.org/new\r\nmore\r\n");
    EXPECT_EQ(reply.CommandText, "UPDATED");
    EXPECT_EQ(reply.Argument, "http://example.org/new\r\nmore\r\n");
    EXPECT_EQ(Parse("LATEST\r\n").Argument, "");
    // Only the first empty line ends the headers; later ones are body.
    EXPECT_EQ(Parse("MESSAGE\r\n\r\nsecond paragraph").Argument, "\r\nsecond paragraph");
}

TEST(UpdateReplyTest, MalformedRepliesAskForNothing)
{
    EXPECT_EQ(ParseUpdateReply("").Command, TUpdateCommand::None);
    EXPECT_EQ(ParseUpdateReply("LATEST\r\n").Command, TUpdateCommand::None);  // no empty line
    EXPECT_EQ(ParseUpdateReply("HTTP/1.0 200 OK\n\nLATEST\n").Command, TUpdateCommand::None);
    EXPECT_EQ(Parse("LATEST").Command, TUpdateCommand::None);  // no line end after the command
    EXPECT_EQ(Parse("").Command, TUpdateCommand::None);
    EXPECT_EQ(Parse("LATEST\n").Command, TUpdateCommand::None);
    // NUL bytes are bytes like any other: in a command they make it another
    // command; in the headers they do not matter.
    EXPECT_EQ(Parse("LATEST\0\r\n"s).Command, TUpdateCommand::Other);
    EXPECT_EQ(ParseUpdateReply("HTTP/1.0\0 200\r\n\r\nLATEST\r\n"s).Command, TUpdateCommand::Latest);
    EXPECT_EQ(Parse("MESSAGE\r\na\0b"s).Argument, "a\0b"s);

    std::string junk(1 << 20, '\0');
    for (size_t i = 0; i < junk.size(); ++i)
        junk[i] = static_cast<char>((i * 7919) % 251 + 1);  // never CR LF CR LF
    EXPECT_EQ(ParseUpdateReply(junk).Command, TUpdateCommand::None);
    EXPECT_EQ(ParseUpdateReply(junk + "\r\n\r\nMESSAGE\r\n" + junk).Argument.size(), junk.size());
}

TEST(UpdateAddressTest, WebAddressesAreOpenedTrimmed)
{
    EXPECT_EQ(OpenableUpdateAddress("http://www.example.org/download"), "http://www.example.org/download");
    EXPECT_EQ(OpenableUpdateAddress("http://www.example.org/new\r\n"), "http://www.example.org/new");
    EXPECT_EQ(OpenableUpdateAddress("  https://example.org:8443/a%20b?x=1&y=(2)#z\t"),
              "https://example.org:8443/a%20b?x=1&y=(2)#z");
    EXPECT_EQ(OpenableUpdateAddress("HTTPS://EXAMPLE.ORG"), "HTTPS://EXAMPLE.ORG");
    EXPECT_EQ(OpenableUpdateAddress("http://[::1]:8080/"), "http://[::1]:8080/");
    EXPECT_EQ(OpenableUpdateAddress("http://user@example.org"), "http://user@example.org");
    const std::string longest = "http://example.org/" + std::string(kMaxUpdateAddress - 19, 'a');
    EXPECT_EQ(OpenableUpdateAddress(longest), longest);
    EXPECT_FALSE(OpenableUpdateAddress(longest + "a"));
}

TEST(UpdateAddressTest, NothingButAWebPageIsEverOpened)
{
    ASSERT_EQ(test::kHostileAddresses.size(), 25u);
    for (const std::string& address : test::kHostileAddresses)
        EXPECT_FALSE(OpenableUpdateAddress(address)) << address;
    for (const char* more : {"http://user@/x", "http://:80/", "http://[]/", "http://[::1]x/", "http://a:8o/",
                             "http://a\\@b/", "http://a/<script>", "http://a/\"x\"", "https://a/{x}", ""})
        EXPECT_FALSE(OpenableUpdateAddress(more)) << more;
}

TEST(UpdateMessageTest, ShownAsCleanText)
{
    EXPECT_EQ(UpdateMessageText("Maintenance on Sunday.\r\nThank you.\r\n"), "Maintenance on Sunday.\nThank you.");
    EXPECT_EQ(UpdateMessageText("a\rb\nc\r\n\r\nd"), "a\nb\nc\n\nd");
    EXPECT_EQ(UpdateMessageText("a\0b\x07\x1B[31mc\x7F\td"s), "ab[31mc\td");
    EXPECT_EQ(UpdateMessageText("<b>bold</b> &amp;"), "<b>bold</b> &amp;");  // shown as written
    // UTF-8 stays; anything else is the Windows code page.
    EXPECT_EQ(UpdateMessageText("Gr\xC3\xB6\xC3\x9F" "e"), "Gr\xC3\xB6\xC3\x9F" "e");
    EXPECT_EQ(UpdateMessageText("Gr\xF6\xDF" "e \x80"), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC");
    EXPECT_EQ(UpdateMessageText("\x81\x9D"), "");  // C1 controls of the code page
    EXPECT_EQ(UpdateMessageText("\r\n \r\n"), "");
}

TEST(UpdateMessageTest, CutAtItsLimitsWithAMark)
{
    const std::string ellipsis = "\xE2\x80\xA6";
    const std::string full(kMaxMessageCharacters, 'a');
    EXPECT_EQ(UpdateMessageText(full), full);
    EXPECT_EQ(UpdateMessageText(full + "\r\n\r\n"), full);
    EXPECT_EQ(UpdateMessageText(full + "b"), full + ellipsis);
    EXPECT_EQ(UpdateMessageText(std::string(1 << 20, 'a')), full + ellipsis);

    std::string lines;
    for (size_t i = 0; i < kMaxMessageLines + 5; ++i)
        lines += "line\r\n";
    std::string expected;
    for (size_t i = 0; i < kMaxMessageLines; ++i)
        expected += i ? "\nline" : "line";
    EXPECT_EQ(UpdateMessageText(lines), expected + ellipsis);

    // Two-byte characters across the byte bound stay characters.
    std::string umlauts;
    for (size_t i = 0; i < 3 * kMaxMessageCharacters; ++i)
        umlauts += "\xC3\xA4";
    const std::string shown = UpdateMessageText(umlauts);
    EXPECT_EQ(shown, umlauts.substr(0, 2 * kMaxMessageCharacters) + ellipsis);

    // A flood of what is never shown ends in nothing, quickly.
    EXPECT_EQ(UpdateMessageText(std::string(1 << 20, '\0')), "");
}

}  // namespace
}  // namespace lirabo::network
