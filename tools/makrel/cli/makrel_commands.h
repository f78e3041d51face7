#pragma once

#include <iostream>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace makrel {

// Runs one makrel command line (without the program name). Output is UTF-8;
// every failure is one line `makrel: FILE: ...` on Err and exit code 2.
// Terminal: whether Err is a terminal, for the progress bar; In feeds
// `lookup --batch`.
int RunMakrel(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err,
              bool Terminal = false, std::istream& In = std::cin);

}  // namespace makrel
