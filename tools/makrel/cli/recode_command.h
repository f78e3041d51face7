#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace makrel {

// `makrel recode --from CODEPAGE [--languages HEAD-DEFS] OLD.ldi NEW.ldi`
// (Args[0] is "recode"). Prints the summary on Out and the warnings and
// the progress bar on Err; returns 0. A failure raises std::runtime_error
// whose message begins with what failed ("OLD.ldi: ...", "--from: ...").
int RunRecode(const std::vector<std::string>& Args, std::ostream& Out, std::ostream& Err, bool Terminal);

}  // namespace makrel
