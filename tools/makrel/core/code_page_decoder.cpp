#include "makrel/core/code_page_decoder.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/utf16.h>

#include <stdexcept>

#include "dictionary/ansi_codec.h"
#include "dictionary/utf8_text.h"

namespace makrel {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Bytes that never go through the converter: the mark-up codes, and DEL,
// which some IBM tables turn into a control character of their own.
bool PassesUnchanged(unsigned char Byte)
{
    return Byte < 0x20 || Byte == 0x7F;
}

// Writes U+FFFD for a byte sequence the code page does not define and
// counts its bytes. ICU's own substitution would write U+001A for some
// single-byte tables, which is a mark-up code in a definition.
void SubstituteUndefined(const void* Context, UConverterToUnicodeArgs* Args, const char*, int32_t Length,
                         UConverterCallbackReason Reason, UErrorCode* Error)
{
    if (Reason != UCNV_UNASSIGNED && Reason != UCNV_ILLEGAL && Reason != UCNV_IRREGULAR)
        return;
    *static_cast<size_t*>(const_cast<void*>(Context)) += static_cast<size_t>(Length);
    *Error = U_ZERO_ERROR;
    const UChar replacement = kReplacement;
    ucnv_cbToUWriteUChars(Args, &replacement, 1, 0, Error);
}

}  // namespace

TCodePageDecoder::TCodePageDecoder(const std::string& CodePage) : FName(CodePage)
{
    // ICU opens the system's default converter for an empty name.
    if (CodePage.empty())
        throw std::invalid_argument(std::string("no code page given; for example ") + Examples());
    UErrorCode status = U_ZERO_ERROR;
    FConverter = ucnv_open(CodePage.c_str(), &status);
    if (U_FAILURE(status) || !FConverter)
        throw std::invalid_argument("unknown code page \"" + CodePage + "\"; for example " + Examples());
    // Stateful and Unicode encodings would read the mark-up bytes as part
    // of their own sequences; only table-driven code pages are safe.
    const UConverterType type = ucnv_getType(FConverter);
    bool usable = type == UCNV_SBCS || type == UCNV_DBCS || type == UCNV_MBCS || type == UCNV_LATIN_1 ||
                  type == UCNV_US_ASCII;
    if (usable) {
        ucnv_setToUCallBack(FConverter, SubstituteUndefined, &FUndefined, nullptr, nullptr, &status);
        std::string ascii;
        for (char c = 0x20; c < 0x7F; ++c)
            ascii.push_back(c);
        size_t replaced = 0;
        try {
            usable = U_SUCCESS(status) && Decode(ascii, replaced) == ascii && replaced == 0;
        } catch (const std::exception&) {
            usable = false;
        }
    }
    if (!usable) {
        ucnv_close(FConverter);
        throw std::invalid_argument("\"" + CodePage +
                                    "\" is not a code page recode reads: only single- and multi-byte code "
                                    "pages that keep ASCII, and so the mark-up bytes, in place are; for example " +
                                    Examples());
    }
}

TCodePageDecoder::~TCodePageDecoder()
{
    ucnv_close(FConverter);
}

const char* TCodePageDecoder::Examples()
{
    return "windows-1250 (Central European), windows-1251 (Cyrillic), windows-1252 (Western), "
           "windows-1253 (Greek), windows-1254 (Turkish), windows-1257 (Baltic), koi8-r";
}

void TCodePageDecoder::DecodeRun(std::string_view Run, std::u16string& Out, size_t& Replaced)
{
    // Each run starts afresh: a lead byte cut off by a mark-up code is
    // undefined on its own and must not swallow what follows.
    ucnv_reset(FConverter);
    FUndefined = 0;
    const char* source = Run.data();
    const char* const end = source + Run.size();
    UChar buffer[512];
    for (;;) {
        UChar* target = buffer;
        UErrorCode status = U_ZERO_ERROR;
        ucnv_toUnicode(FConverter, &target, buffer + std::size(buffer), &source, end, nullptr, true, &status);
        Out.append(reinterpret_cast<const char16_t*>(buffer), static_cast<size_t>(target - buffer));
        if (status == U_BUFFER_OVERFLOW_ERROR)
            continue;
        if (U_FAILURE(status))
            throw std::runtime_error(std::string("the code page converter failed: ") + u_errorName(status));
        break;
    }
    Replaced += FUndefined;
}

std::string TCodePageDecoder::Decode(std::string_view Text, size_t& Replaced)
{
    std::u16string wide;
    size_t i = 0;
    while (i < Text.size()) {
        if (PassesUnchanged(static_cast<unsigned char>(Text[i]))) {
            wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(Text[i++])));
            continue;
        }
        size_t end = i;
        while (end < Text.size() && !PassesUnchanged(static_cast<unsigned char>(Text[end])))
            ++end;
        const size_t first = wide.size();
        DecodeRun(Text.substr(i, end - i), wide, Replaced);
        // Tables map the bytes they leave undefined to C1 controls so that
        // they survive a round trip; in dictionary text they are only
        // invisible noise, and a control character below 32 would read as
        // mark-up. Both count as lost.
        for (size_t k = first; k < wide.size(); ++k)
            if (wide[k] < 0x20 || (wide[k] >= 0x7F && wide[k] < 0xA0)) {
                wide[k] = kReplacement;
                ++Replaced;
            }
        i = end;
    }

    std::string out;
    out.reserve(wide.size() + wide.size() / 2);
    size_t k = 0;
    while (k < wide.size()) {
        UChar32 c = 0;
        U16_NEXT(wide.data(), k, wide.size(), c);
        if (U_IS_SURROGATE(c)) {
            c = kReplacement;
            ++Replaced;
        }
        lirabo::AppendUtf8(out, static_cast<char32_t>(c));
    }
    return lirabo::NormalizeNfc(out);
}

}  // namespace makrel
