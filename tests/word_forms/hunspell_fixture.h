#pragma once

// Small Hunspell dictionaries written by the tests, so that no result
// depends on which dictionaries a machine has installed.

#include <filesystem>
#include <fstream>
#include <string>

namespace lirabo::test {

// The same German words in UTF-8 and in ISO8859-1. "Haus" forms "Häuser"
// by replacing its ending, "Kind" adds "er"; "haus" is also a word (as in
// "zu haus"), so "Häuser" has two stems that differ only in case. "Ćma"
// (Polish) and "Fuß" test characters one set has and the other lacks.
constexpr const char* kUtf8Affixes =
    "SET UTF-8\n"
    "SFX P Y 1\n"
    "SFX P aus äuser aus\n"
    "SFX E Y 1\n"
    "SFX E 0 er .\n"
    "SFX S Y 1\n"
    "SFX S 0 s .\n"
    "SFX F Y 1\n"
    "SFX F uß üße uß\n";
constexpr const char* kUtf8Words = "5\nHaus/P\nhaus/P\nKind/E\nĆma/S\nFuß/F\n";

constexpr const char* kLatin1Affixes =
    "SET ISO8859-1\n"
    "SFX P Y 1\n"
    "SFX P aus \xE4user aus\n"
    "SFX E Y 1\n"
    "SFX E 0 er .\n"
    "SFX F Y 1\n"
    "SFX F u\xDF \xFC\xDF"
    "e u\xDF\n";
constexpr const char* kLatin1Words = "4\nHaus/P\nhaus/P\nKind/E\nFu\xDF/F\n";

inline void WriteFile(const std::filesystem::path& Path, const std::string& Content)
{
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream(Path, std::ios::binary) << Content;
}

// Writes Name.aff and Name.dic into Folder.
inline void WriteHunspellDictionary(const std::filesystem::path& Folder, const std::string& Name, bool Latin1)
{
    WriteFile(Folder / (Name + ".aff"), Latin1 ? kLatin1Affixes : kUtf8Affixes);
    WriteFile(Folder / (Name + ".dic"), Latin1 ? kLatin1Words : kUtf8Words);
}

}  // namespace lirabo::test
