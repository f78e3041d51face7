#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace makrel::test {

// A fresh temporary folder per test, removed afterwards.
class TTestFolder {
public:
    explicit TTestFolder(const std::string& Name)
        : FPath(std::filesystem::temp_directory_path() / ("lirabo_" + Name + "_" + std::to_string(::getpid())))
    {
        std::filesystem::remove_all(FPath);
        std::filesystem::create_directories(FPath);
    }
    ~TTestFolder() { std::filesystem::remove_all(FPath); }

    std::string File(const std::string& Name) const { return (FPath / Name).string(); }

    std::string Write(const std::string& Name, const std::string& Content) const
    {
        std::ofstream(File(Name), std::ios::binary) << Content;
        return File(Name);
    }

private:
    std::filesystem::path FPath;
};

}  // namespace makrel::test
