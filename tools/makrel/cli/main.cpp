#include <unistd.h>

#include <iostream>

#include "makrel/cli/makrel_commands.h"

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + 1, argv + argc);
    const int code = makrel::RunMakrel(args, std::cout, std::cerr, isatty(STDERR_FILENO) != 0);
    std::cout.flush();
    return code;
}
