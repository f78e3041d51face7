#include "makrel/core/dictionary_recoder.h"

#include <cstdint>
#include <filesystem>
#include <stdexcept>

#include "dictionary/dictionary_store.h"
#include "dictionary/text_encoding.h"
#include "dictionary/utf8_text.h"
#include "makrel/core/dictionary_writer.h"
#include "makrel/core/entry_limits.h"
#include "makrel/core/import_report.h"

namespace makrel {

using namespace lirabo;

namespace {

std::string Shown(const std::string& Word)
{
    const size_t cut = Utf8Boundary(Word, 40);
    return "\"" + Word.substr(0, cut) + (cut < Word.size() ? "..." : "") + "\"";
}

void CheckUntagged(const TDictionaryHeader& Header)
{
    if (static_cast<uint32_t>(Header.Reserved) >> 20 != kTextTag)
        return;
    if (Header.Text.Encoding == TTextEncoding::Utf8)
        throw EInputError("the dictionary is UTF-8 already; it needs no recoding");
    // A tag names the encoding for certain: such a file was never made on
    // another code page's system, whatever its text looks like.
    throw EInputError(std::string("the dictionary's text word says it is ") + EncodingName(Header.Text.Encoding) +
                      "; only untagged files are recoded");
}

bool SameFile(const std::string& A, const std::string& B)
{
    std::error_code error;
    return std::filesystem::equivalent(A, B, error) && !error;
}

class TRecoder {
public:
    TRecoder(TCodePageDecoder& Decoder, TRecodeReport& Report) : FDecoder(Decoder), FReport(Report) {}

    // Decoded text; the bytes replaced on the way are added to Replaced.
    std::string Decode(const std::string& Text, size_t& Replaced) { return FDecoder.Decode(Text, Replaced); }

    // Counts the bytes replaced in What and names What in a warning.
    void Replaced(size_t Bytes, const std::string& What)
    {
        if (Bytes == 0)
            return;
        FReport.ReplacedBytes += Bytes;
        AddWarning(FLimits, What + ": " + std::to_string(Bytes) + (Bytes == 1 ? " byte" : " bytes") +
                                " undefined in " + FDecoder.Name() + " replaced by U+FFFD");
    }

    // A descriptive text decoded and cut to its limit between characters.
    std::string Describe(const std::string& Text, size_t Limit, const std::string& What)
    {
        size_t replaced = 0;
        std::string text = Decode(Text, replaced);
        Replaced(replaced, What);
        if (text.size() > Limit) {
            text.resize(Utf8Boundary(text, Limit));
            AddWarning(FLimits, What + " shortened to " + std::to_string(text.size()) + " bytes");
        }
        return text;
    }

    void ReadEntries(TDictionaryStore& Store, TDictionaryWriter& Writer,
                     const std::function<void(const char*, size_t, size_t)>& Progress)
    {
        const int count = Store.EntryCount();
        const int sectionSize = Store.Header().SectionSize;
        for (int i = 0; i < count; ++i) {
            const TWordItem* item = Store.GetItem(i);
            if (!item)
                throw EInputError("entry " + std::to_string(i) + " cannot be read");
            size_t replaced = 0;
            std::string word = Decode(item->Word, replaced);
            std::string definition = Decode(item->Definition, replaced);
            Replaced(replaced, "the entry " + Shown(word));
            // Relations name entries by their old numbers, which are the
            // writer's ids only while every entry is added in the old order.
            if (AddShortened(Writer, FLimits, std::move(word), std::move(definition)) != i)
                throw std::logic_error("the writer numbered an entry out of order");
            if ((i + 1) % sectionSize == 0 || i + 1 == count) {
                // Only the writer needs to hold the whole dictionary.
                Store.SetViewPosition(i + 1 < count ? i + 1 : i, 0);
                Store.KeepSections();
                if (Progress)
                    Progress("reading", static_cast<size_t>(i) + 1, static_cast<size_t>(count));
            }
        }
        FReport.Entries = static_cast<size_t>(count);
    }

    void ReadRelations(TDictionaryStore& Store, TDictionaryWriter& Writer)
    {
        if (!Store.HasRelations())
            return;
        Writer.SetForceRelations(true);
        TExtendedInfo relations;
        for (int i = 0; i < Store.EntryCount(); ++i) {
            Store.ReadRelations(i, relations);
            for (const TExtended& relation : relations) {
                if (relation.Target < 0 || relation.Target >= Store.EntryCount()) {
                    // The reader shows nothing for such a relation either.
                    ++FReport.DroppedRelations;
                    AddWarning(FLimits, "entry " + std::to_string(i) + ": a relation to entry " +
                                            std::to_string(relation.Target) +
                                            ", which does not exist, left out");
                    continue;
                }
                Writer.AddRelation(i, relation.Kind, relation.Target);
                ++FReport.Relations;
            }
        }
    }

    void Finish()
    {
        FReport.ShortenedEntries = FLimits.ShortenedEntries;
        FReport.Warnings = std::move(FLimits.Warnings);
    }

private:
    TCodePageDecoder& FDecoder;
    TRecodeReport& FReport;
    TImportReport FLimits;  // shortening and the warnings, shared with the importers
};

}  // namespace

TRecodeReport RecodeDictionary(const std::string& Input, const std::string& Output, TCodePageDecoder& Decoder,
                               const TRecodeOptions& Options,
                               const std::function<void(const char* Stage, size_t Done, size_t Total)>& Progress)
{
    // The old file is the only copy of what a wrong code page would spoil.
    if (SameFile(Input, Output))
        throw EInputError("the new dictionary would replace the old one; name another output file");
    TDictionaryStore store;
    // Entries are read once, in order: a cache would only hold memory. The
    // relation block is read once per entry and must stay decoded.
    store.SetSectionCacheBudget(0);
    store.SetRelationCacheLimit(SIZE_MAX);
    TRecodeReport report;
    TRecoder recoder(Decoder, report);
    TWriterOptions options;
    try {
        store.OpenDictionary(Input);
        const TDictionaryHeader& header = store.Header();
        CheckUntagged(header);
        options.Encoding = TEncodingChoice::Utf8;
        options.HeadwordLanguage = Options.HeadwordLanguage;
        options.DefinitionLanguage = Options.DefinitionLanguage;
        options.SectionSize = header.SectionSize;
        options.BlockSize = store.Bzip2().BlockSize();
        options.BufferSize = store.Bzip2().BufferSize();
        options.Name = recoder.Describe(header.Name, TDictionaryHeader::kMaxNameLength, "the name");
        options.Notice = recoder.Describe(header.Notice, TDictionaryHeader::kMaxNoticeLength, "the notice");
        options.URL = recoder.Describe(header.URL, TDictionaryHeader::kMaxURLLength, "the URL");
        options.Information =
            recoder.Describe(header.Information, TDictionaryHeader::kMaxInformationLength, "the information text");
    } catch (const EInputError&) {
        throw;
    } catch (const std::exception& e) {
        throw EInputError(*e.what() ? e.what() : "not a dictionary file");
    }

    TDictionaryWriter writer(options);
    try {
        recoder.ReadEntries(store, writer, Progress);
        recoder.ReadRelations(store, writer);
    } catch (const EInputError&) {
        throw;
    } catch (const std::logic_error&) {
        throw;  // a fault of ours, not of the file
    } catch (const std::exception& e) {
        throw EInputError(std::string("the dictionary is damaged: ") + (*e.what() ? e.what() : "unreadable"));
    }
    store.Clear();
    recoder.Finish();
    writer.WriteFile(Output, [&](size_t Done, size_t Total) {
        if (Progress)
            Progress("writing", Done, Total);
    });
    return report;
}

}  // namespace makrel
