#pragma once

#include <ostream>
#include <string>

#include "makrel/core/dictionary_recoder.h"

namespace makrel {

// `makrel recode` once its options are read: recodes Input from CodePage
// into Output, prints the summary on Out and the warnings and the progress
// bar on Err; returns 0. A failure raises std::runtime_error whose message
// begins with what failed ("OLD.ldi: ...", "--from: ...").
int RunRecode(const std::string& CodePage, const TRecodeOptions& Languages, const std::string& Input,
              const std::string& Output, std::ostream& Out, std::ostream& Err, bool Terminal);

}  // namespace makrel
