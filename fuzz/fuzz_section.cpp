// The length table and entry parsing of one section. The harness compresses
// the input itself, so the fuzzer works on decompressed bytes and reaches
// the parser instead of the bzip2 checks. The first two bytes give the entry
// count.

#include <bzlib.h>

#include <cstdint>
#include <vector>

#include "dictionary/bzip2.h"
#include "dictionary/dictionary_layout.h"
#include "dictionary/memory_stream.h"
#include "dictionary/section_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    using namespace lirabo;
    if (Size < 2)
        return 0;
    const int32_t count = 1 + (Data[0] | Data[1] << 8);
    std::vector<char> raw(Data + 2, Data + Size);
    unsigned length = static_cast<unsigned>(raw.size() + raw.size() / 100 + 600);
    std::vector<unsigned char> compressed(length);
    if (BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(compressed.data()), &length, raw.data(),
                                 static_cast<unsigned>(raw.size()), 1, 0, 0) != BZ_OK)
        return 0;
    compressed.resize(length);
    Tbzip2 bzip2;
    bzip2.SetBufferSize(1 + Data[0] % 4);
    TMemoryStream source(compressed);
    TMemoryStream data;
    try {
        bzip2.DecompressStream(source, data, source.Size(), static_cast<size_t>(MaxSectionBytes(count)));
        const auto items = DecodeSection(data.Data().data(), data.Data().size(), count);
        if (static_cast<int32_t>(items.size()) != count)
            __builtin_trap();
    } catch (const std::exception&) {
    }
    return 0;
}
