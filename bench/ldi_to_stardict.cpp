// Writes the entries of a dictionary as a plain-text StarDict dictionary
// (.ifo, .idx, .dict), so that a peer program can be timed on the same
// content. Mark-up codes become plain text; line breaks become newlines.
//   ldi_to_stardict DICTIONARY.ldi OUTPUT_FOLDER NAME

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "dictionary/ansi_codec.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/markup_codes.h"

namespace {

std::string PlainText(const std::string& Definition)
{
    std::string text;
    for (char c : Definition)
        if (c == lirabo::markup::kLineBreak)
            text += '\n';
        else if (static_cast<unsigned char>(c) >= 32)
            text += c;
    return lirabo::AnsiToUtf8(text);
}

// The order the peer's index must be in: ASCII letters without regard to
// case, then byte order.
bool IndexBefore(const std::string& A, const std::string& B)
{
    const int folded = strcasecmp(A.c_str(), B.c_str());
    return folded != 0 ? folded < 0 : std::strcmp(A.c_str(), B.c_str()) < 0;
}

void PutBigEndian(std::string& Out, uint32_t Value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        Out += static_cast<char>(Value >> shift);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: ldi_to_stardict DICTIONARY.ldi OUTPUT_FOLDER NAME\n");
        return 2;
    }
    lirabo::TDictionaryStore store;
    store.OpenDictionary(argv[1]);
    struct Article {
        std::string Word;
        uint32_t Offset;
        uint32_t Size;
    };
    std::vector<Article> articles;
    std::string dict;
    for (int i = 0; i < store.EntryCount(); ++i) {
        const lirabo::TWordItem* item = store.GetItem(i);
        const std::string text = PlainText(item->Definition);
        articles.push_back({lirabo::AnsiToUtf8(item->Word), static_cast<uint32_t>(dict.size()),
                            static_cast<uint32_t>(text.size())});
        dict += text;
        if (i % 256 == 255) {
            store.SetViewPosition(i + 1, 0);
            store.KeepSections();
        }
    }
    std::stable_sort(articles.begin(), articles.end(),
                     [](const Article& a, const Article& b) { return IndexBefore(a.Word, b.Word); });
    std::string idx;
    for (const Article& a : articles) {
        idx += a.Word;
        idx += '\0';
        PutBigEndian(idx, a.Offset);
        PutBigEndian(idx, a.Size);
    }
    const std::string base = std::string(argv[2]) + "/" + argv[3];
    std::ofstream(base + ".dict", std::ios::binary) << dict;
    std::ofstream(base + ".idx", std::ios::binary) << idx;
    std::ofstream(base + ".ifo", std::ios::binary)
        << "StarDict's dict ifo file\nversion=2.4.2\nbookname=" << argv[3] << "\nwordcount=" << articles.size()
        << "\nidxfilesize=" << idx.size() << "\nsametypesequence=m\n";
    std::printf("%zu articles, %zu bytes of text\n", articles.size(), dict.size());
    return 0;
}
