#include "vocabulary/vocabulary_score.h"

namespace lirabo {

int ScorePercent(int Right, int Answered)
{
    return Answered <= 0 ? 0 : Right * 100 / Answered;
}

int ScoreCommentKey(int Percent)
{
    if (Percent <= 30)
        return 8011;
    if (Percent <= 50)
        return 8012;
    if (Percent <= 70)
        return 8013;
    if (Percent <= 99)
        return 8014;
    return 8015;
}

}  // namespace lirabo
