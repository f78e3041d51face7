#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace makrel {

// Turns UTF-8 text from an imported dictionary into entry text: UTF-8 in
// which no byte below 32 is anything but mark-up. Nothing here is an error,
// since real dictionaries carry stray control characters and the odd line in
// a legacy encoding that no one wants to fix by hand.
//
// - A tab becomes a space. A line end (LF, CR, CR LF, U+2028, U+2029)
//   becomes the hard line break (byte 13) when line breaks are kept and a
//   space otherwise. Every other control character vanishes, DEL too.
// - C1 control characters (U+0080..U+009F) are taken as Windows-1252 bytes
//   wrongly decoded (U+0085 is …), and bytes that are not UTF-8 as
//   Windows-1252 bytes; the five the code page leaves undefined vanish.
// - A byte-order mark vanishes: it is what joining files leaves behind. The
//   other invisible characters stay, since joiners, non-joiners and
//   direction marks shape Persian, Indic and Hebrew text.
// - Everything else is kept, with Compose in Unicode normalisation form C,
//   the form the reader brings a search to: decomposed text could never be
//   found.
class TEntryText {
public:
    explicit TEntryText(bool Compose = true) : FCompose(Compose) {}

    std::string Convert(std::string_view Text, bool KeepLineBreaks = false);
    // Appends the conversion of Text to Out.
    void Append(std::string& Out, std::string_view Text, bool KeepLineBreaks = false);

    // Characters not kept as they came: those that vanished and those read
    // as Windows-1252. Tabs and line ends are not counted, nor composition.
    size_t Changed() const { return FChanged; }

private:
    bool FCompose;
    size_t FChanged = 0;
};

}  // namespace makrel
