// A whole dictionary file: open it and use everything a reader offers.
// Past the size its header gives, an input may go on with a control byte
// and texts separated by zero bytes. Bit 0 of the control byte opens an
// untagged file as UTF-8, so that every file the fuzzer finds also runs
// under the UTF-8 rule; the texts are looked up, matched as a headword
// pattern and searched for in the definitions, besides the fixed ones; the
// file's headwords are gathered for spelling suggestions, and the words'
// English base forms are looked up among them.

#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dictionary/crc32.h"
#include "dictionary/dictionary_store.h"
#include "dictionary/little_endian.h"
#include "dictionary/memory_stream.h"
#include "dictionary/text_encoding.h"
#include "suggestions/headword_index.h"
#include "word_forms/word_forms.h"

namespace {

using namespace lirabo;

struct TInput {
    std::vector<unsigned char> File;
    bool Utf8 = false;
    std::vector<std::string> Texts;  // a word, a pattern, a definition query
};

TInput Split(const uint8_t* Data, size_t Size)
{
    TInput input;
    const size_t fileSize = Size >= 16 ? ReadUInt32LE(Data + 8) : 0;
    if (fileSize < 16 || fileSize >= Size) {
        input.File.assign(Data, Data + Size);
        return input;
    }
    input.File.assign(Data, Data + fileSize);
    input.Utf8 = Data[fileSize] & 1;
    std::string text;
    for (size_t i = fileSize + 1; i <= Size && input.Texts.size() < 3; ++i) {
        if (i == Size || Data[i] == 0) {
            input.Texts.push_back(text);
            text.clear();
        } else if (text.size() < 64) {
            text.push_back(static_cast<char>(Data[i]));
        }
    }
    return input;
}

// Tags an untagged file as UTF-8, keeping its checksum right when it was.
void TagUtf8(std::vector<unsigned char>& File)
{
    if (ReadUInt32LE(&File[12]) >> 20 == kTextTag)
        return;
    const bool checked = ReadUInt32LE(&File[0]) == BufferCRC(File.data() + 4, File.size() - 4);
    WriteUInt32LE(&File[12], static_cast<uint32_t>(TextWord({TTextEncoding::Utf8, "", ""})));
    if (checked)
        WriteUInt32LE(&File[0], BufferCRC(File.data() + 4, File.size() - 4));
}

template <typename Action>
void Try(Action&& Act)
{
    try {
        Act();
    } catch (const std::exception&) {
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TInput input = Split(Data, Size);
    if (input.Utf8)
        TagUtf8(input.File);
    TDictionaryStore store;
    store.SetScanThreads(1);
    try {
        store.OpenDictionary(std::make_unique<TMemoryStream>(std::move(input.File)));
    } catch (const std::exception&) {
        return 0;
    }
    const bool utf8 = store.Rule().Utf8();
    // Words from the file's own entries reach the interesting branches; in
    // UTF-8 files, so do cut, overlong and surrogate sequences, and text
    // that NFC or case folding changes.
    std::vector<std::string> words = {"", "a", "zzzz", "\xFF"};
    std::vector<std::string> patterns = {"*", "A*", "?[a-c]*"};
    std::vector<std::string> queries = {"a", "*"};
    if (utf8) {
        words.insert(words.end(), {"ж", "\xD0\x96", "\xC3", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80",
                                   "\xF4\x90\x80\x80", "A\xCC\x8A", "\xE1\xBA\x9E", "\xCE\xA3"});
        patterns.insert(patterns.end(), {"[а-я]*", "Ж?*", "*\xC3*", "[\xF0-\xF4]*"});
        queries.insert(queries.end(), {"ж \xCE\xA3", "*\xFF?*"});
    }
    const size_t given = input.Texts.size();
    if (given > 0)
        words.push_back(input.Texts[0]);
    if (given > 1)
        patterns.push_back(input.Texts[1]);
    if (given > 2)
        queries.push_back(input.Texts[2]);

    for (const std::string& word : words) {
        Try([&] {
            int first = 0;
            int count = 0;
            store.FindWord(word, false, first, count);
            if (const TWordItem* item = store.GetItem(first)) {
                const std::string copy = item->Word;
                store.FindWord(copy, true, first, count);
                TRelationRows rows;
                if (store.HasRelations())
                    store.ListRelations(first, rows, count);
            }
        });
    }
    std::vector<TWordItem> items;
    for (const std::string& pattern : patterns)
        Try([&] { store.WildcardSearch(pattern, items, INT_MAX); });
    for (const std::string& query : queries)
        Try([&] { store.DefinitionSearch(query, items, INT_MAX); });
    Try([&] {
        const THeadwordIndex index = THeadwordIndex::FromStore(store);
        for (const std::string& word : words)
            index.Suggest(word);
    });
    // No Hunspell folders: the built-in English rules only, so that the
    // machine's dictionaries do not decide what runs.
    TWordForms forms(std::vector<std::string>{});
    for (const std::string& word : words)
        Try([&] { forms.FormsIn(store, word, "en"); });
    Try([&] {
        store.SetViewPosition(store.EntryCount() / 2, 40);
        store.KeepSections();
    });
    return 0;
}
