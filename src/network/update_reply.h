#pragma once

#include <string_view>

namespace lirabo::network {

// What the server's reply asks the program to do.
enum class TUpdateCommand {
    None,     // no body, or no line end after the command: nothing to act on
    Message,  // "MESSAGE": show the argument
    Updated,  // "UPDATED": a newer version; the argument is its address
    Latest,   // "LATEST": this is the newest version
    Other,    // any other command, which is ignored
};

// A reply taken apart. The views point into the reply given to
// ParseUpdateReply and live as long as it does.
struct TUpdateReply {
    TUpdateCommand Command = TUpdateCommand::None;
    std::string_view CommandText;  // the body's first line
    std::string_view Argument;     // everything after that line's CR LF
};

// The status line and headers are not examined: the body starts after the
// first empty line (CR LF CR LF); its first line is the command, compared
// exactly (letter case counts).
TUpdateReply ParseUpdateReply(std::string_view Reply);

}  // namespace lirabo::network
