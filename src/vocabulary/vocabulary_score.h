#pragma once

#include <QString>
#include <initializer_list>

namespace lirabo {

// The whole percentage of right answers, the fraction discarded; 0 when
// nothing was answered.
int ScorePercent(int Right, int Answered);

// The key of section "VocabularyTest" whose comment a percentage earns.
int ScoreCommentKey(int Percent);

// Text with each "%d", in order, replaced by the next of Numbers; a "%d"
// beyond them is left as it stands, so that a translation with too many
// placeholders shows them instead of failing.
QString FormatNumbers(const QString& Text, std::initializer_list<int> Numbers);

}  // namespace lirabo
