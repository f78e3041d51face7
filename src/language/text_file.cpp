#include "language/text_file.h"

#include "dictionary/ansi_codec.h"
#include "dictionary/utf8_text.h"

namespace lirabo {

std::string TextFileToUtf8(std::string_view Bytes)
{
    if (Bytes.starts_with(kUtf8ByteOrderMark))
        return ShowableUtf8(Bytes.substr(kUtf8ByteOrderMark.size()));
    return AnsiToUtf8(Bytes);
}

}  // namespace lirabo
