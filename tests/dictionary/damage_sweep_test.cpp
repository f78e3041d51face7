#include <gtest/gtest.h>

#include "probe.h"
#include "test_dictionary.h"

namespace lirabo {
namespace {

using test::Bytes;

// About 4 KiB: several sections, a relation block, all four strings.
Bytes SmallDictionary()
{
    const auto options = test::DescribedOptions("Sweep", "test data", "https://example.org", "A dictionary to damage.");
    std::vector<test::Link> links;
    for (int i = 0; i < 60; ++i)
        links.push_back({i, static_cast<uint8_t>(1 + i % 40), (i * 7) % 60});
    auto entries = test::NumberedEntries(60);
    // Text that compresses poorly, so the sections have some length.
    uint32_t seed = 1;
    for (auto& e : entries)
        for (int k = 0; k < 60; ++k) {
            seed = seed * 1103515245u + 12345u;
            e.Definition += static_cast<char>('a' + (seed >> 16) % 26);
        }
    return test::BuildDictionary(entries, 8, links, options);
}

TEST(DamageSweepTest, EveryChangedByteIsRejectedAtOpen)
{
    const Bytes good = SmallDictionary();
    ASSERT_GT(good.size(), 3000u);
    ASSERT_EQ("ok", test::Probe(good));
    for (size_t at = 0; at < good.size(); ++at)
        for (int way = 0; way < 3; ++way) {
            Bytes file = good;
            file[at] = way == 0 ? file[at] ^ 0x80 : (way == 1 ? 0x00 : 0xFF);
            if (file[at] == good[at])
                continue;
            const std::string result = test::Probe(file);
            if (at < 4 && test::GetInt(file, 0) == 0)
                EXPECT_EQ("ok", result) << "a zero checksum is not checked";
            else if (at >= 12)
                EXPECT_EQ("checksum mismatch: the file is damaged", result) << "byte " << at;
            else
                EXPECT_NE("ok", result) << "byte " << at;
        }
}

// With the checksum cleared, every damaged byte reaches the parsers: each
// file must give a result or a clean error. Under the sanitizers this is
// also the proof that nothing reads out of bounds or leaks. One way per
// byte keeps the sanitizer run short; the fuzzers go much further.
TEST(DamageSweepTest, DamageBehindAClearedChecksumNeverMisbehaves)
{
    Bytes good = SmallDictionary();
    test::SetInt(good, test::kCRC, 0);
    int failures = 0;
    for (size_t at = 4; at < good.size(); ++at) {
        Bytes file = good;
        file[at] ^= 0x80;
        failures += test::Probe(file) != "ok";
    }
    EXPECT_GT(failures, static_cast<int>(good.size() / 2));
}

TEST(DamageSweepTest, TruncationsAndTrailingJunkAreRejected)
{
    const Bytes good = SmallDictionary();
    for (size_t length = 0; length < good.size(); ++length) {
        const Bytes file(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        const std::string result = test::Probe(file);
        EXPECT_EQ(length < 60 ? "Stream read error" : "the header gives a size of " + std::to_string(good.size()) +
                                                          " bytes, the file has " + std::to_string(length),
                  result);
    }
    Bytes longer = good;
    longer.insert(longer.end(), {'j', 'u', 'n', 'k'});
    EXPECT_NE("ok", test::Probe(longer));
    // Junk that the header accounts for, outside every section, is harmless.
    test::SetField(longer, test::kFileSize, static_cast<int64_t>(longer.size()));
    test::SetField(longer, test::kRelationsEnd, test::GetInt(longer, test::kRelationsEnd));
    EXPECT_EQ("ok", test::Probe(longer));
}

// A stream that fails at its K-th read, as a disk or network share might.
class TFaultyStream : public TMemoryStream {
public:
    TFaultyStream(const Bytes& Data, int FailAt) : TMemoryStream(Data), FFailAt(FailAt) {}
    size_t Read(void* Buffer, size_t Count) override
    {
        if (++FReads == FFailAt)
            throw EReadError();
        return TMemoryStream::Read(Buffer, Count);
    }

private:
    int FReads = 0;
    int FFailAt;
};

TEST(IoFaultTest, AFailingReadAnywhereGivesACleanError)
{
    const Bytes good = SmallDictionary();
    int k = 1;
    for (;; ++k) {
        const std::string result = test::Probe(std::make_unique<TFaultyStream>(good, k));
        if (result == "ok")
            break;
        EXPECT_EQ("Stream read error", result) << "read " << k;
        ASSERT_LT(k, 100000) << "the probe never completes";
    }
    EXPECT_GT(k, 10) << "an open and a lookup take several reads";
}

}  // namespace
}  // namespace lirabo
