#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "makrel/cli/makrel_commands.h"

namespace makrel::test {

struct TRun {
    int Code;
    std::string Out;
    std::string Err;
};

inline TRun RunCommand(std::vector<std::string> Args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunMakrel(Args, out, err);
    return {code, out.str(), err.str()};
}

// The lines of makrel output with the leading entry index (or relation
// mark of a word) replaced by #, so that expectations need not count entries.
inline std::string WithoutIndices(const std::string& Output)
{
    std::istringstream in(Output);
    std::string line;
    std::string result;
    while (std::getline(in, line)) {
        const size_t tab = line.find('\t');
        const std::string mark = line.substr(0, tab);
        const bool heading = mark == "-2" || mark == "-3";
        result += (heading ? mark : "#") + (tab == std::string::npos ? "" : line.substr(tab)) + "\n";
    }
    return result;
}

}  // namespace makrel::test
