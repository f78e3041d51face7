// The update server's reply comes from the network. Whatever it holds,
// taking it apart, choosing the address to open and preparing the message
// must end in bounded results that keep their promises.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "dictionary/ansi_codec.h"
#include "network/update_address.h"
#include "network/update_message.h"
#include "network/update_reply.h"

namespace {

using namespace lirabo;
using namespace lirabo::network;

void Require(bool Condition)
{
    if (!Condition)
        std::abort();
}

void CheckReply(std::string_view Reply, const TUpdateReply& Parsed)
{
    const size_t headersEnd = Reply.find("\r\n\r\n");
    if (Parsed.Command == TUpdateCommand::None) {
        Require(headersEnd == std::string_view::npos ||
                Reply.find("\r\n", headersEnd + 4) == std::string_view::npos);
        return;
    }
    // The command is the whole first line after the first empty line, and
    // the argument everything after it.
    Require(headersEnd != std::string_view::npos);
    Require(Parsed.CommandText.data() == Reply.data() + headersEnd + 4);
    Require(Parsed.CommandText.find("\r\n") == std::string_view::npos);
    Require(Parsed.Argument.data() + Parsed.Argument.size() == Reply.data() + Reply.size());
    Require(headersEnd + 4 + Parsed.CommandText.size() + 2 + Parsed.Argument.size() == Reply.size());
    const bool known = Parsed.CommandText == "MESSAGE" || Parsed.CommandText == "UPDATED" ||
                       Parsed.CommandText == "LATEST";
    Require(known == (Parsed.Command != TUpdateCommand::Other));
}

void CheckAddress(std::string_view Argument)
{
    const auto address = OpenableUpdateAddress(Argument);
    if (!address)
        return;
    Require(!address->empty() && address->size() <= kMaxUpdateAddress);
    Require(Argument.find(*address) != std::string_view::npos);
    std::string lower;
    for (char c : *address) {
        Require(c > 0x20 && c < 0x7F && c != '\\' && c != '"' && c != '<' && c != '>');
        lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    Require(lower.starts_with("http://") || lower.starts_with("https://"));
    const size_t host = lower.find("://") + 3;
    Require(host < lower.size() && lower.find_first_of("/?#", host) != host);
}

void CheckMessage(std::string_view Argument)
{
    const std::string text = UpdateMessageText(Argument);
    size_t characters = 0;
    size_t lines = 1;
    size_t position = 0;
    while (position < text.size()) {
        char32_t c = 0;
        Require(DecodeUtf8(text, position, c));
        Require(c == '\n' || c == '\t' || (c >= 0x20 && c != 0x7F && !(c >= 0x80 && c <= 0x9F)));
        if (c == '\n')
            ++lines;
        else
            ++characters;
    }
    Require(characters <= kMaxMessageCharacters + 1);  // the cut's mark
    Require(lines <= kMaxMessageLines);
    Require(text.empty() || (text.back() != '\n' && text.back() != ' '));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    const std::string_view reply(reinterpret_cast<const char*>(Data), Size);
    const TUpdateReply parsed = ParseUpdateReply(reply);
    CheckReply(reply, parsed);
    // The argument when there is one; else the input itself, so that the
    // address and message rules see every byte pattern directly.
    const std::string_view argument = parsed.Command == TUpdateCommand::None ? reply : parsed.Argument;
    CheckAddress(argument);
    CheckMessage(argument);
    return 0;
}
