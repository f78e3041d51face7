#pragma once

namespace lirabo {

// The whole percentage of right answers, the fraction discarded; 0 when
// nothing was answered.
int ScorePercent(int Right, int Answered);

// The key of section "VocabularyTest" whose comment a percentage earns.
int ScoreCommentKey(int Percent);

}  // namespace lirabo
