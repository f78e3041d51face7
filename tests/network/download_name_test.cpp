#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "network/download_name.h"

namespace {

using namespace lirabo::network;
using namespace std::string_literals;

TEST(LinkKind, TellsDictionariesAndLanguageFilesByExtensionInAnyCase)
{
    EXPECT_EQ(LinkKind("http://example.org/de-en.ldi"), TDownloadKind::Dictionary);
    EXPECT_EQ(LinkKind("http://example.org/de-en.LDI"), TDownloadKind::Dictionary);
    EXPECT_EQ(LinkKind("http://example.org/de-en.Ldi"), TDownloadKind::Dictionary);
    EXPECT_EQ(LinkKind("x.ldi"), TDownloadKind::Dictionary);
    EXPECT_EQ(LinkKind("http://example.org/Deutsch.lng"), TDownloadKind::LanguageFile);
    EXPECT_EQ(LinkKind("http://example.org/Deutsch.LNG"), TDownloadKind::LanguageFile);
    EXPECT_EQ(LinkKind("http://example.org/Deutsch.lNg"), TDownloadKind::LanguageFile);
}

TEST(LinkKind, OnlyAnExtensionAfterTheLastDotBackslashOrColonCounts)
{
    EXPECT_EQ(LinkKind("x.ldi\\y"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("a.ldi:b"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/index.html"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/x.ldi.html"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/x.ldix"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/x.ld"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/x.ldi?x=1"), TDownloadKind::None);
    EXPECT_EQ(LinkKind("http://example.org/xldi"), TDownloadKind::None);
    EXPECT_EQ(LinkKind(""), TDownloadKind::None);
    EXPECT_EQ(LinkKind("."), TDownloadKind::None);
}

TEST(DownloadFileName, IsTheLastPathSegmentDecodedOnce)
{
    const std::vector<std::pair<std::string, std::string>> good = {
        {"http://host/a/b/de-en.ldi?x=1#y", "de-en.ldi"},
        {"https://host/de-en.ldi", "de-en.ldi"},
        {"HTTP://HOST/X.LDI", "X.LDI"},
        {"http://host/x.Ldi#frag/../../y", "x.Ldi"},
        {"http://host/x%2eldi", "x.ldi"},
        {"http://host/x.ld%69", "x.ldi"},
        {"http://host/a%252eb.ldi", "a%2eb.ldi"},
        {"http://host/a%zz.ldi", "a%zz.ldi"},
        {"http://host/a%2.ldi", "a%2.ldi"},
        {"http://host/a%.ldi", "a%.ldi"},
        {"http://host/de%20en.ldi", "de en.ldi"},
        {"http://host/caf%C3%A9.ldi", "caf\xC3\xA9.ldi"},
        {"http://host/dir/..ldi", "..ldi"},
        {"http://host:8080/x.ldi", "x.ldi"},
        {"x.ldi", "x.ldi"},
        // Only the last segment is taken, so parent steps before it vanish.
        {"../x.ldi", "x.ldi"},
        {"http://host/a/../../x.ldi", "x.ldi"},
        {"http://host/" + std::string(251, 'a') + ".ldi", std::string(251, 'a') + ".ldi"},
    };
    for (const auto& [url, name] : good)
        EXPECT_EQ(DownloadFileName(url, TDownloadKind::Dictionary), name) << url;
    EXPECT_EQ(DownloadFileName("http://host/lang/Deutsch.lng", TDownloadKind::LanguageFile), "Deutsch.lng");
    EXPECT_EQ(DownloadFileName("http://host/lang/Deutsch.LNG?v=2", TDownloadKind::LanguageFile),
              "Deutsch.LNG");
}

TEST(DownloadFileName, NeedsTheExtensionOfTheKindAsked)
{
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi", TDownloadKind::LanguageFile));
    EXPECT_FALSE(DownloadFileName("http://host/x.lng", TDownloadKind::Dictionary));
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi", TDownloadKind::None));
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi", static_cast<TDownloadKind>(7)));
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi.", TDownloadKind::Dictionary));
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi ", TDownloadKind::Dictionary));
    EXPECT_FALSE(DownloadFileName("http://host/x.ldi/", TDownloadKind::Dictionary));
}

// Each of these would, taken naively, name a file outside the folder, a
// file the system or a user cannot handle, or a file of another kind.
const std::vector<std::string> kHostileUrls = {
    "http://host/../x.ldi/..",
    "http://host/%2e%2e%2fx.ldi",
    "http://host/..%2fx.ldi",
    "http://host/..%2Fx.ldi",
    "http://host/%2fetc%2fx.ldi",
    "http://host/%2Fetc%2Fx.ldi",
    "/etc/passwd",
    "http://host/etc/passwd",
    "http://host/a\\b.ldi",
    "http://host/a%5cb.ldi",
    "http://host/..%5cx.ldi",
    "http://host/C:x.ldi",
    "http://host/C%3a%5cx.ldi",
    "http://host/x%01.ldi",
    "http://host/x%1f.ldi",
    "http://host/x%7f.ldi",
    "http://host/x%c2%85.ldi",
    "http://host/x\n.ldi",
    "http://host/x\r\n.ldi",
    "http://host/x\t.ldi",
    "http://host/x%00.ldi",
    "http://host/x.ldi%00.txt",
    "http://host/x\0.ldi"s,
    "http://host/" + std::string(300, 'a') + ".ldi",
    "http://host/" + std::string(252, 'a') + ".ldi",
    "http://host/.ldi",
    "http://host/..",
    "http://host/.",
    "http://host/%2e%2e",
    "http://host/x.ldi.",
    "http://host/x*.ldi",
    "http://host/x%3f.ldi",
    "http://host/x%22.ldi",
    "http://host/x%3c%3e.ldi",
    "http://host/x%7c.ldi",
    "http://host/%ff.ldi",
    "http://host/%c0%af.ldi",
    "http://host/%ed%a0%80.ldi",
    "http://host/x.txt?f=a.ldi",
    "http://host/x.txt#a.ldi",
    "http://host.ldi",
    "http://host.ldi/",
    "http://user@host.ldi",
    "//host.ldi",
    "http://host/x%2fy.ldi",
    "",
};

TEST(DownloadFileName, RefusesEveryHostileName)
{
    for (const std::string& url : kHostileUrls) {
        EXPECT_FALSE(DownloadFileName(url, TDownloadKind::Dictionary)) << url;
        const std::string asLanguage = url + ".lng";
        const auto name = DownloadFileName(asLanguage, TDownloadKind::LanguageFile);
        if (name) {
            // Only the appended extension may have made a name of it; then
            // it must still be a plain name.
            EXPECT_EQ(name->find_first_of("/\\"), std::string::npos) << asLanguage;
            EXPECT_NE(*name, "..");
        }
    }
}

}  // namespace
