#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace lirabo {

// An INI text as the language files and online.ini are read: Windows-1252,
// or UTF-8 after a byte-order mark (see TextFileToUtf8); lines ended by CR LF,
// CR or LF, reading stops at a NUL byte; each line is trimmed of blanks and
// control characters; empty lines and lines starting with ";" are comments;
// "[name]" opens a section; "key=value" is an entry with both sides trimmed.
// Section names and keys compare without regard to ASCII letter case and the
// first occurrence of either wins. Lines before the first section are
// dropped. The text is decoded once, on loading: every name, key and value
// it hands out is well-formed UTF-8, whatever the file held.
//
// The reader never fails: any byte sequence gives some (possibly empty)
// result, so files from the internet are safe to load.
class TLanguageFile {
public:
    // Files larger than this are treated as unreadable: a complete language
    // file is some 10 kB, and a hostile file of many tiny sections or keys
    // takes some thirty times its size once read (decoded text, one map
    // node and string per name), so the bound is what keeps that small.
    static constexpr size_t kMaxFileSize = 1024 * 1024;

    // Replaces the content with the text of Bytes.
    void LoadFromBytes(std::string_view Bytes);
    // Replaces the content with the file's text; a file that is missing,
    // unreadable or too large leaves the content empty. Returns whether the
    // file was read.
    bool LoadFromFile(const std::string& Path);
    void Clear();

    // The value of Key in Section, or the empty text when either is missing.
    std::string ReadString(std::string_view Section, std::string_view Key) const;
    bool HasKey(std::string_view Section, std::string_view Key) const;
    bool HasSection(std::string_view Section) const;

    // The lines kept in Section: entries and lines without "=" alike, first
    // occurrences of a key and repeated ones alike. 0 when missing.
    int SectionLineCount(std::string_view Section) const;

    // Section names in file order, the first of each name only.
    std::vector<std::string> SectionNames() const;

    // The keys of Section as the file spells them, in file order, the first
    // of each key only; empty when the section is missing.
    std::vector<std::string> Keys(std::string_view Section) const;

    // [Data] "FileVersion" as a decimal integer; 0 when missing or not a
    // number.
    int FileVersion() const;
    // [Data] "Name", or "(unknown)" when missing.
    std::string LanguageName() const;

private:
    struct TSection {
        std::string Name;
        int LineCount = 0;
        std::unordered_map<std::string, std::string> Values;  // by upper-cased key
        // The map forgets the order and the spelling, which a comparison of
        // two language files needs.
        std::vector<std::string> KeyOrder;
    };

    const TSection* FindSection(std::string_view Section) const;

    std::vector<TSection> FSections;
    std::unordered_map<std::string, size_t> FIndex;  // by upper-cased name
};

// Text as a decimal 32-bit integer with an optional sign; false for anything
// else (empty, other characters, out of range).
bool ParseDecimal(std::string_view Text, int& Value);

}  // namespace lirabo
