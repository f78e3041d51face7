#pragma once

#include <QString>

#include "build_job.h"

namespace makrel {

// The text the builder window shows after a successful build: the file,
// the counts, the encoding written (and whether it was chosen
// automatically), the languages written, the replaced characters, the
// shortened entries and the warnings, one item a line. Numbers are in the
// user's locale.
QString BuildSummary(const TBuildResult& Result, const QString& Output, TEncodingChoice Chosen);

}  // namespace makrel
