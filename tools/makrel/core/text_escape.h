#pragma once

#include <string>
#include <string_view>

namespace makrel {

// The result of turning a UTF-8 input field into Windows-1252 bytes.
struct TDecodedField {
    std::string Text;
    std::string Error;  // empty on success
};

// Converts UTF-8 Field to Windows-1252. With Escapes, `\\` is a backslash,
// `\n` the hard line break LineBreak and `\xNN` the byte NN, so that mark-up
// codes can be written; any other backslash sequence is an error. A
// character without a Windows-1252 byte is an error naming it.
TDecodedField DecodeField(std::string_view Field, bool Escapes, std::string_view LineBreak = "\r");

// Windows-1252 text as UTF-8 for output: bytes below 32 as `\xNN`, the
// backslash as `\\`.
std::string EscapeForOutput(std::string_view Text);

// Like EscapeForOutput, but each line break (CR LF, CR or LF) as `\n`.
std::string EscapeMultiline(std::string_view Text);

}  // namespace makrel
