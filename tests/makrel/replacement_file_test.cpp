#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <filesystem>
#include <latch>
#include <set>
#include <thread>

#include "makrel/core/dictionary_verifier.h"
#include "makrel/core/dictionary_writer.h"
#include "makrel_runner.h"
#include "makrel_test_folder.h"

namespace makrel {
namespace {

namespace fs = std::filesystem;
using test::RunCommand;

// Every name under Folder (which ends in a separator), links not followed.
std::set<std::string> Names(const std::string& Folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(Folder))
        names.insert(entry.path().string().substr(Folder.size()));
    return names;
}

std::string Read(const std::string& File)
{
    std::ifstream in(File, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

size_t OpenDescriptors()
{
    return static_cast<size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()));
}

std::string Words(int Count)
{
    std::string words;
    for (int i = 0; i < Count; ++i)
        words += "word" + std::to_string(i) + "\tdefinition number " + std::to_string(i) + "\n";
    return words;
}

TEST(ReplacementFileTest, PlantedLinksNeverRedirectTheOutput)
{
    struct TCase {
        const char* Title;
        std::vector<std::pair<std::string, std::string>> Links;  // name in the folder, what it points to
    };
    const TCase cases[] = {
        {"the old fixed temporary name", {{"out.ldi.part", "victim"}}},
        {"a link to nowhere at the old name", {{"out.ldi.part", "absent"}}},
        {"the output itself", {{"out.ldi", "victim"}}},
        {"hidden names beside the output", {{".out.ldi.part", "victim"}, {".out.ldi", "victim"}}},
        {"every one at once", {{"out.ldi", "victim"}, {"out.ldi.part", "victim"}, {".out.ldi.part", "absent"}}},
    };
    const mode_t mask = ::umask(022);
    ::umask(mask);
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        test::TTestFolder folder("replacement_links");
        const std::string input = folder.Write("words.tsv", Words(3));
        const std::string victim = folder.Write("victim", "not a dictionary, and it must stay so");
        std::set<std::string> expected = {"words.tsv", "victim", "out.ldi"};
        for (const auto& [name, target] : c.Links) {
            fs::create_symlink(target, folder.File(name));
            expected.insert(name);
        }
        const test::TRun r = RunCommand({"build", input, folder.File("out.ldi")});
        ASSERT_EQ(0, r.Code) << r.Err;
        EXPECT_EQ("not a dictionary, and it must stay so", Read(victim));
        EXPECT_FALSE(fs::exists(fs::symlink_status(folder.File("absent"))));
        const fs::file_status output = fs::symlink_status(folder.File("out.ldi"));
        EXPECT_TRUE(fs::is_regular_file(output)) << "a link at the output is replaced, not written through";
        EXPECT_EQ(static_cast<fs::perms>(0666 & ~mask), output.permissions() & fs::perms::all);
        EXPECT_EQ(std::vector<std::string>(), VerifyDictionary(folder.File("out.ldi")));
        EXPECT_EQ(expected, Names(folder.File(""))) << "no temporary is left";
    }
}

TEST(ReplacementFileTest, FailuresLeaveNoTemporaryAndNoDescriptor)
{
    struct TCase {
        const char* Title;
        std::string Output;  // in the folder
    };
    const TCase cases[] = {
        {"a folder holding a file where the output goes", "taken.ldi"},
        {"an empty folder where the output goes", "empty.ldi"},
        {"a missing folder", "missing/out.ldi"},
        {"a file where a folder belongs", "words.tsv/out.ldi"},
    };
    test::TTestFolder folder("replacement_failures");
    const std::string input = folder.Write("words.tsv", Words(3));
    fs::create_directory(folder.File("taken.ldi"));
    folder.Write("taken.ldi/inside", "kept");
    fs::create_directory(folder.File("empty.ldi"));
    const std::set<std::string> before = Names(folder.File(""));
    const size_t descriptors = OpenDescriptors();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title);
        const std::string output = folder.File(c.Output);
        const test::TRun r = RunCommand({"build", input, output});
        EXPECT_EQ(2, r.Code);
        EXPECT_EQ(0u, r.Err.find("makrel: " + output + ": cannot write " + output + ": ")) << r.Err;
        EXPECT_EQ(before, Names(folder.File("")));
        EXPECT_EQ("kept", Read(folder.File("taken.ldi/inside")));
        EXPECT_EQ(descriptors, OpenDescriptors());
    }
}

// Writers of one output that overlap each leave a whole file: the one that
// renames last is what remains, never a mixture or a truncated file.
TEST(ReplacementFileTest, ConcurrentWritersLeaveOneWholeFile)
{
    test::TTestFolder folder("replacement_threads");
    const std::string output = folder.File("out.ldi");
    constexpr int kWriters = 4;
    std::vector<std::unique_ptr<TDictionaryWriter>> writers;
    std::set<std::vector<unsigned char>> contents;
    for (int w = 0; w < kWriters; ++w) {
        writers.push_back(std::make_unique<TDictionaryWriter>(TWriterOptions{}));
        // Alike in size, so that their writes overlap.
        for (int i = 0; i < 3000; ++i)
            writers.back()->Add("w" + std::to_string(w) + "-" + std::to_string(i),
                                std::string(40, static_cast<char>('a' + w)));
        contents.insert(writers.back()->Build());
    }
    for (int round = 0; round < 5; ++round) {
        std::latch start(kWriters);
        std::vector<std::string> errors(kWriters);
        std::vector<std::thread> threads;
        for (int w = 0; w < kWriters; ++w)
            threads.emplace_back([&, w] {
                start.arrive_and_wait();
                try {
                    writers[static_cast<size_t>(w)]->WriteFile(output);
                } catch (const std::exception& e) {
                    errors[static_cast<size_t>(w)] = e.what();
                }
            });
        for (std::thread& t : threads)
            t.join();
        EXPECT_EQ(std::vector<std::string>(kWriters), errors) << round;
        const std::string bytes = Read(output);
        EXPECT_EQ(1u, contents.count(std::vector<unsigned char>(bytes.begin(), bytes.end()))) << round;
        EXPECT_EQ(std::set<std::string>{"out.ldi"}, Names(folder.File("")));
    }

    // Two makrel processes, each with its own input, into one output.
    const std::string small = folder.Write("small.tsv", Words(10));
    const std::string big = folder.Write("big.tsv", Words(30000));
    const std::string command = std::string(MAKREL_PATH) + " build '";
    FILE* first = popen((command + big + "' '" + output + "' >/dev/null").c_str(), "r");
    FILE* second = popen((command + small + "' '" + output + "' >/dev/null").c_str(), "r");
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(0, pclose(first));
    EXPECT_EQ(0, pclose(second));
    EXPECT_EQ(std::vector<std::string>(), VerifyDictionary(output));
    const std::string info = RunCommand({"info", output}).Out;
    EXPECT_TRUE(info.find("Words: 10\n") != std::string::npos || info.find("Words: 30000\n") != std::string::npos)
        << info;
    EXPECT_EQ((std::set<std::string>{"big.tsv", "out.ldi", "small.tsv"}), Names(folder.File("")));
}

}  // namespace
}  // namespace makrel
