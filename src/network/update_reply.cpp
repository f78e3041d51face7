#include "network/update_reply.h"

namespace lirabo::network {

TUpdateReply ParseUpdateReply(std::string_view Reply)
{
    TUpdateReply reply;
    const size_t headersEnd = Reply.find("\r\n\r\n");
    if (headersEnd == std::string_view::npos)
        return reply;
    const std::string_view body = Reply.substr(headersEnd + 4);
    const size_t lineEnd = body.find("\r\n");
    if (lineEnd == std::string_view::npos)
        return reply;
    reply.CommandText = body.substr(0, lineEnd);
    reply.Argument = body.substr(lineEnd + 2);
    if (reply.CommandText == "MESSAGE")
        reply.Command = TUpdateCommand::Message;
    else if (reply.CommandText == "UPDATED")
        reply.Command = TUpdateCommand::Updated;
    else if (reply.CommandText == "LATEST")
        reply.Command = TUpdateCommand::Latest;
    else
        reply.Command = TUpdateCommand::Other;
    return reply;
}

}  // namespace lirabo::network
