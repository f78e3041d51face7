#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "gzip_fixture.h"
#include "makrel/stardict/stardict_importer.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"

namespace makrel::test {

inline std::string BigEndian(uint64_t Value, int Bytes)
{
    std::string out;
    for (int k = Bytes - 1; k >= 0; --k)
        out += static_cast<char>((Value >> (8 * k)) & 0xFF);
    return out;
}

// Writes a StarDict dictionary: articles in the given order into the data
// file, the index sorted as given.
class StarDictFixture : public ::testing::Test {
protected:
    TTestFolder Folder{"stardict"};
    std::string Data;
    std::string Idx;
    int OffsetBits = 32;
    std::string Output = Folder.File("tiny.ldi");

    void Article(const std::string& Word, const std::string& Bytes)
    {
        Idx += Word + '\0' + BigEndian(Data.size(), OffsetBits / 8) + BigEndian(Bytes.size(), 4);
        Data += Bytes;
    }

    // Writes the files with the .ifo lines Ifo; returns the .ifo's name.
    std::string Write(const std::string& Ifo, bool Compressed)
    {
        Folder.Write("tiny.ifo", "StarDict's dict ifo file\n" + Ifo);
        Folder.Write("tiny.idx", Idx);
        if (Compressed)
            WriteGzip(Folder.File("tiny.dict.dz"), Data);
        else
            Folder.Write("tiny.dict", Data);
        return Folder.File("tiny.ifo");
    }

    TRun Build(const std::string& Ifo, bool Compressed = false)
    {
        return RunCommand({"build", "--format", "stardict", Write(Ifo, Compressed), Output});
    }

    // Imports the dictionary into Writer, without the command line.
    void Import(const std::string& Ifo, TDictionaryWriter& Writer, TImportReport& Report)
    {
        TStarDictImporter().Import(Write(Ifo, false), Writer, Report, {});
    }

    std::string Lookup(const std::string& Word)
    {
        return WithoutIndices(RunCommand({"lookup", "--exact", Output, Word}).Out);
    }
};

}  // namespace makrel::test
