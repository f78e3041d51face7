#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dictd_number.h"
#include "gzip_fixture.h"
#include "makrel/dictd/dictd_importer.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"

namespace makrel::test {

// A dictd database written by the test: articles in data order, an index
// line for each of their words, built by makrel's command line.
class DictdFixture : public ::testing::Test {
protected:
    TTestFolder Folder{"dictd"};
    std::string Data;
    std::string Index;
    std::string Summary;
    std::string Warnings;

    void Article(const std::vector<std::string>& Words, const std::string& Text)
    {
        for (const std::string& word : Words)
            Index += word + "\t" + DictdNumber(Data.size()) + "\t" + DictdNumber(Text.size()) + "\n";
        Data += Text;
    }

    // Writes the database as tiny.index and DataName (compressed or not)
    // and builds DataName.ldi from it.
    std::string Build(const std::string& DataName, bool Compressed)
    {
        Folder.Write("tiny.index", Index);
        std::filesystem::remove(Folder.File("tiny.dict"));
        std::filesystem::remove(Folder.File("tiny.dict.dz"));
        if (Compressed)
            WriteGzip(Folder.File(DataName), Data);
        else
            Folder.Write(DataName, Data);
        const std::string output = Folder.File(DataName + ".ldi");
        const TRun r = RunCommand({"build", "--format", "dictd", Folder.File("tiny.index"), output});
        EXPECT_EQ(0, r.Code) << r.Err;
        Summary = r.Out;
        Warnings = r.Err;
        return output;
    }

    // Writes the database as Name.index and Name.dict and imports it into
    // Writer, without the command line.
    void Import(const std::string& Name, TDictionaryWriter& Writer, TImportReport& Report)
    {
        Folder.Write(Name + ".index", Index);
        Folder.Write(Name + ".dict", Data);
        TDictdImporter().Import(Folder.File(Name + ".index"), Writer, Report, {});
    }

    // The entries of File under Word, indices left out.
    static std::string Lookup(const std::string& File, const std::string& Word)
    {
        return WithoutIndices(RunCommand({"lookup", "--exact", File, Word}).Out);
    }
};

}  // namespace makrel::test
