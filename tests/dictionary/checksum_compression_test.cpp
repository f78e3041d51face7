#include <gtest/gtest.h>

#include <bzlib.h>

#include <random>

#include "dictionary/bzip2.h"
#include "dictionary/crc32.h"
#include "dictionary/exceptions.h"
#include "dictionary/memory_stream.h"

namespace lirabo {
namespace {

std::string Compress(const std::string& Text)
{
    unsigned length = static_cast<unsigned>(Text.size() + Text.size() / 100 + 600);
    std::string out(length, '\0');
    EXPECT_EQ(BZ_OK, BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(Text.data()),
                                              static_cast<unsigned>(Text.size()), 9, 0, 0));
    out.resize(length);
    return out;
}

std::string RandomText(size_t Size, unsigned Seed)
{
    std::mt19937 random(Seed);
    std::string s(Size, '\0');
    for (char& c : s)
        c = static_cast<char>('a' + random() % 7);
    return s;
}

std::string Decompress(Tbzip2& Bzip2, const std::string& Source, int64_t Count, size_t Limit = SIZE_MAX)
{
    TMemoryStream in(Source);
    TMemoryStream out;
    Bzip2.DecompressStream(in, out, Count, Limit);
    return {out.Data().begin(), out.Data().end()};
}

std::string ErrorOf(Tbzip2& Bzip2, const std::string& Source)
{
    try {
        Decompress(Bzip2, Source, static_cast<int64_t>(Source.size()));
    } catch (const EBzip2Error& e) {
        return e.what();
    }
    return "no error";
}

TEST(CrcTest, CheckValuesAndPieces)
{
    TMemoryStream empty;
    uint32_t crc = 1;
    StreamCRC(empty, crc);
    EXPECT_EQ(0u, crc);

    TMemoryStream digits(std::string("123456789"));
    StreamCRC(digits, crc);
    EXPECT_EQ(0xCBF43926u, crc);

    // Longer than one 65521-byte piece, from a position other than 0.
    const std::string text = RandomText(200000, 1);
    TMemoryStream stream(text);
    stream.Seek(4);
    StreamCRC(stream, crc);
    EXPECT_EQ(BufferCRC(text.data() + 4, text.size() - 4), crc);
    EXPECT_EQ(stream.Size(), stream.Position());
}

TEST(CrcTest, SeveralBytesAtATimeMatchOneAtATime)
{
    // The textbook bit-by-bit definition as the model.
    auto model = [](const std::string& Text) {
        uint32_t c = 0xFFFFFFFFu;
        for (unsigned char b : Text) {
            c ^= b;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? (0xEDB88320u ^ (c >> 1)) : (c >> 1);
        }
        return ~c;
    };
    const std::string text = RandomText(300, 9) + std::string("\x00\xFF\x80", 3);
    for (size_t start = 0; start < 9; ++start)
        for (size_t length = 0; length + start <= text.size(); length += 7) {
            const std::string piece = text.substr(start, length);
            ASSERT_EQ(model(piece), BufferCRC(piece.data(), piece.size())) << start << " " << length;
            uint32_t running = 0xFFFFFFFFu;
            UpdateCRC(piece.data(), static_cast<uint16_t>(piece.size()), running);
            ASSERT_EQ(model(piece), ~running);
        }
    const std::string large = RandomText(100003, 10);
    EXPECT_EQ(model(large), BufferCRC(large.data(), large.size()));
}

TEST(Bzip2Test, SettingsOutOfRangeAreIgnored)
{
    Tbzip2 bzip2;
    EXPECT_EQ(1, bzip2.BlockSize());
    EXPECT_EQ(32, bzip2.BufferSize());
    bzip2.SetBufferSize(0);
    bzip2.SetBufferSize(4097);
    bzip2.SetBlockSize(10);
    bzip2.SetBlockSize(0);
    EXPECT_EQ(1, bzip2.BlockSize());
    EXPECT_EQ(32, bzip2.BufferSize());
    bzip2.SetBufferSize(4096);
    bzip2.SetBlockSize(9);
    EXPECT_EQ(9, bzip2.BlockSize());
    EXPECT_EQ(4096, bzip2.BufferSize());
}

TEST(Bzip2Test, CheckResultNamesEveryCode)
{
    for (int code = 0; code <= 4; ++code)
        EXPECT_EQ(code, Tbzip2::CheckResult(code));
    const std::pair<int, const char*> errors[] = {
        {-1, "BZ_SEQUENCE_ERROR"}, {-2, "BZ_PARAM_ERROR"}, {-3, "BZ_MEM_ERROR"},
        {-4, "BZ_DATA_ERROR"}, {-5, "BZ_DATA_ERROR_MAGIC"}, {-6, "BZ_IO_ERROR"},
        {-7, "BZ_UNEXPECTED_EOF"}, {-8, "BZ_OUTBUFF_FULL"}, {-9, "BZ_UNKNOWN_ERROR"},
        {5, "BZ_UNKNOWN_ERROR"}, {-1000, "BZ_UNKNOWN_ERROR"}};
    for (const auto& [code, name] : errors) {
        try {
            Tbzip2::CheckResult(code);
            ADD_FAILURE() << code << " raised nothing";
        } catch (const EBzip2Error& e) {
            EXPECT_STREQ(name, e.what());
        }
    }
}

TEST(Bzip2Test, BufferSizeDoesNotChangeTheOutput)
{
    const std::string text = RandomText(300000, 2);
    const std::string compressed = Compress(text);
    Tbzip2 small;
    small.SetBufferSize(1);
    Tbzip2 large;
    large.SetBufferSize(4096);
    EXPECT_EQ(text, Decompress(small, compressed, static_cast<int64_t>(compressed.size())));
    EXPECT_EQ(text, Decompress(large, compressed, static_cast<int64_t>(compressed.size())));
}

TEST(Bzip2Test, RangeBoundaries)
{
    Tbzip2 bzip2;
    const std::string compressed = Compress("hello");
    // A count beyond the end of the source stops at the end.
    EXPECT_EQ("hello", Decompress(bzip2, compressed, 1 << 20));
    // Count 0 reads and writes nothing.
    TMemoryStream in(compressed);
    TMemoryStream out;
    bzip2.DecompressStream(in, out, 0);
    EXPECT_EQ(0, in.Position());
    EXPECT_EQ(0, out.Size());
    // A range cut short gives short output without an error.
    const std::string text = RandomText(100000, 3);
    const std::string big = Compress(text);
    const std::string partial = Decompress(bzip2, big, static_cast<int64_t>(big.size() / 2));
    EXPECT_LT(partial.size(), text.size());
    EXPECT_EQ(text.substr(0, partial.size()), partial);
}

TEST(Bzip2Test, CorruptDataRaisesTheLibrarysName)
{
    Tbzip2 bzip2;
    EXPECT_EQ("BZ_DATA_ERROR_MAGIC", ErrorOf(bzip2, "garbage, not bzip2 at all"));
    std::string damaged = Compress(RandomText(5000, 4));
    damaged[damaged.size() / 2] ^= 0x55;
    EXPECT_EQ("BZ_DATA_ERROR", ErrorOf(bzip2, damaged));
    // Bytes after the end of the stream fail the next step.
    EXPECT_EQ("BZ_SEQUENCE_ERROR", ErrorOf(bzip2, Compress("abc") + "XY"));
    // The wrapper is usable again after a failure.
    EXPECT_EQ("abc", Decompress(bzip2, Compress("abc"), 100));
}

TEST(Bzip2Test, OutputLimitStopsABomb)
{
    Tbzip2 bzip2;
    const std::string bomb = Compress(std::string(20'000'000, '\0'));
    EXPECT_LT(bomb.size(), 200u);
    try {
        Decompress(bzip2, bomb, static_cast<int64_t>(bomb.size()), 65536);
        ADD_FAILURE() << "no error";
    } catch (const EBzip2Error& e) {
        EXPECT_STREQ("BZ_OUTBUFF_FULL", e.what());
    }
    // Exactly at the limit is fine.
    EXPECT_EQ(std::string(1000, 'x'), Decompress(bzip2, Compress(std::string(1000, 'x')), 1 << 20, 1000));
}

}  // namespace
}  // namespace lirabo
