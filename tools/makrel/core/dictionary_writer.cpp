#include "makrel/core/dictionary_writer.h"

#include <bzlib.h>

#include <algorithm>
#include <stdexcept>

#include "dictionary/crc32.h"
#include "dictionary/dictionary_header.h"
#include "dictionary/dictionary_layout.h"
#include "dictionary/little_endian.h"
#include "dictionary/text_rule.h"
#include "makrel/core/replacement_file.h"
#include "makrel/core/stored_text.h"

namespace makrel {

using lirabo::TDictionaryHeader;
using lirabo::TTextEncoding;
using lirabo::TWordItem;

namespace {

void PutInt(std::vector<unsigned char>& Out, size_t At, int64_t Value)
{
    lirabo::WriteUInt32LE(&Out[At], static_cast<uint32_t>(Value));
}

void Append(std::vector<unsigned char>& Out, std::string_view Text)
{
    Out.insert(Out.end(), Text.begin(), Text.end());
}

void AppendInt(std::vector<unsigned char>& Out, int64_t Value)
{
    Out.resize(Out.size() + 4);
    PutInt(Out, Out.size() - 4, Value);
}

void CheckText(const std::string& Text, size_t Limit, const char* What)
{
    if (Text.size() > Limit)
        throw std::invalid_argument(std::string(What) + " is " + std::to_string(Text.size()) +
                                    " bytes long; at most " + std::to_string(Limit) + " are allowed");
}

}  // namespace

TDictionaryWriter::TDictionaryWriter(TWriterOptions Options) : FOptions(std::move(Options))
{
    if (FOptions.SectionSize < 1 || FOptions.SectionSize > lirabo::kMaxSectionSize)
        throw std::invalid_argument("the section size must lie between 1 and " +
                                    std::to_string(lirabo::kMaxSectionSize));
    if (FOptions.BlockSize < 1 || FOptions.BlockSize > 9)
        throw std::invalid_argument("the block size must lie between 1 and 9");
    if (FOptions.BufferSize < 1 || FOptions.BufferSize > 4096)
        throw std::invalid_argument("the buffer size must lie between 1 and 4096");
    for (const std::string* language : {&FOptions.HeadwordLanguage, &FOptions.DefinitionLanguage})
        if (!language->empty() && !lirabo::IsLanguageCode(*language))
            throw std::invalid_argument("\"" + *language + "\" is not a two-letter ISO 639-1 language code");
    for (std::string* text : {&FOptions.Name, &FOptions.Notice, &FOptions.URL, &FOptions.Information})
        *text = WellFormedText(*text);
    CheckText(FOptions.Name, TDictionaryHeader::kMaxNameLength, "the name");
    CheckText(FOptions.Notice, TDictionaryHeader::kMaxNoticeLength, "the notice");
    CheckText(FOptions.URL, TDictionaryHeader::kMaxURLLength, "the URL");
    CheckText(FOptions.Information, TDictionaryHeader::kMaxInformationLength, "the information text");
}

void TDictionaryWriter::SuggestDescription(const std::string& Name, const std::string& Notice,
                                           const std::string& URL, const std::string& Information)
{
    const auto suggest = [](std::string& Field, const std::string& Text, size_t Limit) {
        if (!Field.empty())
            return;
        Field = WellFormedText(Text);
        ShortenHeaderText(Field, Limit, TTextEncoding::Utf8);
    };
    suggest(FOptions.Name, Name, TDictionaryHeader::kMaxNameLength);
    suggest(FOptions.Notice, Notice, TDictionaryHeader::kMaxNoticeLength);
    suggest(FOptions.URL, URL, TDictionaryHeader::kMaxURLLength);
    suggest(FOptions.Information, Information, TDictionaryHeader::kMaxInformationLength);
}

void TDictionaryWriter::SuggestLanguages(const std::string& Headword, const std::string& Definition)
{
    if (FOptions.KeepLanguages)
        return;
    const auto suggest = [](std::string& Field, const std::string& Code) {
        if (Field.empty() && lirabo::IsLanguageCode(Code))
            Field = Code;
    };
    suggest(FOptions.HeadwordLanguage, Headword);
    suggest(FOptions.DefinitionLanguage, Definition);
}

int TDictionaryWriter::Add(std::string Word, std::string Definition)
{
    if (FEncoding != TTextEncoding::Utf8)
        throw std::logic_error("entries cannot be added once they were written as Windows-1252");
    Word = WellFormedText(Word);
    Definition = WellFormedText(Definition);
    CheckText(Word, TWordItem::kMaxWordLength, "the headword");
    CheckText(Definition, TWordItem::kMaxDefinitionLength, "the definition");
    if (FEntries.size() >= static_cast<size_t>(INT32_MAX))
        throw std::invalid_argument("too many entries");
    FEntries.push_back({std::move(Word), std::move(Definition)});
    FSorted = false;
    return static_cast<int>(FEntries.size() - 1);
}

void TDictionaryWriter::AddRelation(int From, uint8_t Kind, int To)
{
    const auto valid = [this](int id) { return id >= 0 && static_cast<size_t>(id) < FEntries.size(); };
    if (Kind == 0 || !valid(From) || !valid(To))
        throw std::invalid_argument("a relation needs a kind from 1 to 255 and two known entries");
    FRelations.push_back({From, Kind, To});
}

void TDictionaryWriter::SortEntries()
{
    if (FSorted)
        return;
    FOrder.resize(FEntries.size());
    for (size_t i = 0; i < FOrder.size(); ++i)
        FOrder[i] = static_cast<int>(i);
    const lirabo::TTextRule rule(FEncoding);
    std::stable_sort(FOrder.begin(), FOrder.end(), [&](int a, int b) {
        return rule.Compare(FEntries[static_cast<size_t>(a)].Word, FEntries[static_cast<size_t>(b)].Word) < 0;
    });
    FSorted = true;
}

int TDictionaryWriter::FindFirst(std::string_view Word)
{
    SortEntries();
    std::string word = WellFormedText(Word);
    if (FEncoding == TTextEncoding::Windows1252)
        word = ToWindows1252(word).Text;
    const lirabo::TTextRule rule(FEncoding);
    const auto it = std::lower_bound(FOrder.begin(), FOrder.end(), word, [&](int id, const std::string& w) {
        return rule.Compare(FEntries[static_cast<size_t>(id)].Word, w) < 0;
    });
    if (it == FOrder.end() || rule.Compare(FEntries[static_cast<size_t>(*it)].Word, word) != 0)
        return -1;
    return *it;
}

TTextEncoding TDictionaryWriter::ChooseEncoding() const
{
    switch (FOptions.Encoding) {
        case TEncodingChoice::Windows1252:
            return TTextEncoding::Windows1252;
        case TEncodingChoice::Utf8:
            return TTextEncoding::Utf8;
        case TEncodingChoice::Auto:
            break;
    }
    for (const std::string* text : {&FOptions.Name, &FOptions.Notice, &FOptions.URL, &FOptions.Information})
        if (!FitsWindows1252(*text))
            return TTextEncoding::Utf8;
    for (const TWordItem& e : FEntries)
        if (!FitsWindows1252(e.Word) || !FitsWindows1252(e.Definition))
            return TTextEncoding::Utf8;
    return TTextEncoding::Windows1252;
}

void TDictionaryWriter::ConvertToWindows1252()
{
    const auto convert = [this](std::string& Text) {
        TWindows1252Text converted = ToWindows1252(Text);
        FReplacedCharacters += converted.Replaced;
        Text = std::move(converted.Text);
    };
    const auto convertHeader = [&](std::string& Text, size_t Limit) {
        convert(Text);
        ShortenHeaderText(Text, Limit, TTextEncoding::Windows1252);
    };
    convertHeader(FOptions.Name, TDictionaryHeader::kMaxNameLength);
    convertHeader(FOptions.Notice, TDictionaryHeader::kMaxNoticeLength);
    convertHeader(FOptions.URL, TDictionaryHeader::kMaxURLLength);
    convertHeader(FOptions.Information, TDictionaryHeader::kMaxInformationLength);
    for (TWordItem& e : FEntries) {
        convert(e.Word);
        convert(e.Definition);
        // A transliteration may be longer than its character ("щ" is "shch").
        if (e.Word.size() > TWordItem::kMaxWordLength ||
            e.Definition.size() > TWordItem::kMaxDefinitionLength)
            ++FShortenedEntries;
        if (e.Word.size() > TWordItem::kMaxWordLength)
            e.Word.resize(TWordItem::kMaxWordLength);
        ShortenDefinition(e.Definition, TWordItem::kMaxDefinitionLength, TTextEncoding::Windows1252);
    }
    FEncoding = TTextEncoding::Windows1252;
    FSorted = false;
}

std::vector<unsigned char> TDictionaryWriter::Compress(const std::vector<unsigned char>& Data) const
{
    // bzip2 never grows data by more than 1% plus 600 bytes.
    unsigned length = static_cast<unsigned>(Data.size() + Data.size() / 100 + 600);
    std::vector<unsigned char> out(length);
    const int rc = BZ2_bzBuffToBuffCompress(reinterpret_cast<char*>(out.data()), &length,
                                            const_cast<char*>(reinterpret_cast<const char*>(Data.data())),
                                            static_cast<unsigned>(Data.size()), FOptions.BlockSize, 0, 0);
    if (rc != BZ_OK)
        throw std::runtime_error("bzip2 compression failed (code " + std::to_string(rc) + ")");
    out.resize(length);
    return out;
}

std::vector<unsigned char> TDictionaryWriter::CompressSection(size_t First, size_t Count) const
{
    std::vector<unsigned char> raw;
    for (size_t i = First; i < First + Count; ++i) {
        const TWordItem& e = FEntries[static_cast<size_t>(FOrder[i])];
        raw.push_back(static_cast<unsigned char>(e.Word.size()));
        raw.push_back(static_cast<unsigned char>(e.Definition.size()));
        raw.push_back(static_cast<unsigned char>(e.Definition.size() >> 8));
    }
    for (size_t i = First; i < First + Count; ++i) {
        const TWordItem& e = FEntries[static_cast<size_t>(FOrder[i])];
        Append(raw, e.Word);
        Append(raw, e.Definition);
    }
    return Compress(raw);
}

std::vector<unsigned char> TDictionaryWriter::CompressRelations(const std::vector<int>& Position) const
{
    // Relations of each entry, by sorted position, in the order they were added.
    std::vector<std::vector<std::pair<uint8_t, int>>> lists(FEntries.size());
    for (const Relation& r : FRelations)
        lists[static_cast<size_t>(Position[static_cast<size_t>(r.From)])].push_back(
            {r.Kind, Position[static_cast<size_t>(r.To)]});

    const size_t size = static_cast<size_t>(FOptions.SectionSize);
    const size_t sections = (FEntries.size() + size - 1) / size;
    std::vector<unsigned char> data(sections * 4);
    for (size_t i = 0; i < lists.size(); ++i) {
        if (i % size == 0)
            PutInt(data, i / size * 4, static_cast<int64_t>(data.size()));
        for (const auto& [kind, target] : lists[i]) {
            data.push_back(kind);
            AppendInt(data, target);
        }
        data.push_back(0);
    }
    return Compress(data);
}

std::vector<unsigned char> TDictionaryWriter::Build(const TProgress& Progress)
{
    if (FEncoding == TTextEncoding::Utf8 && ChooseEncoding() == TTextEncoding::Windows1252)
        ConvertToWindows1252();
    SortEntries();
    const lirabo::TTextRule rule(FEncoding);
    const size_t count = FEntries.size();
    const size_t size = static_cast<size_t>(FOptions.SectionSize);
    const size_t sections = (count + size - 1) / size;

    std::vector<unsigned char> file(TDictionaryHeader::kHeaderSize);
    Append(file, FOptions.Name);
    Append(file, FOptions.Notice);
    Append(file, FOptions.URL);
    Append(file, FOptions.Information);
    const size_t table = file.size();
    file.resize(table + sections * 8);

    for (size_t s = 0; s < sections; ++s) {
        const size_t first = s * size;
        const TWordItem& head = FEntries[static_cast<size_t>(FOrder[first])];
        PutInt(file, table + s * 8, static_cast<int64_t>(file.size()));
        const auto key = rule.SectionKey(head.Word);
        std::copy(key.begin(), key.end(), file.begin() + static_cast<std::ptrdiff_t>(table + s * 8 + 4));
        const auto compressed = CompressSection(first, std::min(size, count - first));
        file.insert(file.end(), compressed.begin(), compressed.end());
        if (file.size() >= static_cast<size_t>(INT32_MAX))
            throw std::runtime_error("the dictionary would reach 2 GiB, the most a file can hold");
        if (Progress)
            Progress(s + 1, sections);
    }

    const int64_t relationsStart = static_cast<int64_t>(file.size());
    int64_t relationsEnd = 0;
    if (!FRelations.empty() || FForceRelations) {
        std::vector<int> position(count);
        for (size_t i = 0; i < count; ++i)
            position[static_cast<size_t>(FOrder[i])] = static_cast<int>(i);
        const auto compressed = CompressRelations(position);
        file.insert(file.end(), compressed.begin(), compressed.end());
        relationsEnd = static_cast<int64_t>(file.size());
    }
    if (file.size() >= static_cast<size_t>(INT32_MAX))
        throw std::runtime_error("the dictionary would reach 2 GiB, the most a file can hold");

    const int32_t textWord = lirabo::TextWord(Text());
    const int64_t fields[] = {TDictionaryHeader::kFormat, static_cast<int64_t>(file.size()), textWord,
                              static_cast<int64_t>(count), static_cast<int64_t>(sections),
                              FOptions.SectionSize, relationsStart, relationsEnd,
                              FOptions.BlockSize, FOptions.BufferSize,
                              static_cast<int64_t>(FOptions.Name.size()),
                              static_cast<int64_t>(FOptions.Notice.size()),
                              static_cast<int64_t>(FOptions.URL.size()),
                              static_cast<int64_t>(FOptions.Information.size())};
    for (size_t i = 0; i < std::size(fields); ++i)
        PutInt(file, 4 + 4 * i, fields[i]);
    const uint32_t crc = FOptions.WriteCRC ? lirabo::BufferCRC(file.data() + 4, file.size() - 4) : 0;
    PutInt(file, 0, crc);
    return file;
}

void TDictionaryWriter::WriteFile(const std::string& FileName, const TProgress& Progress)
{
    const std::vector<unsigned char> data = Build(Progress);
    TReplacementFile file(FileName);
    file.Write(data.data(), data.size());
    file.Commit();
}

}  // namespace makrel
