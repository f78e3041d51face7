#include "vocabulary/vocabulary_shuffle.h"

#include <chrono>
#include <random>

namespace lirabo {

namespace {

// A quicksort's partition loop with the comparison replaced by a draw. The
// indexes handed to the comparison may run past the list, since it reads no
// row; rows are exchanged only where I <= J, which lies inside it.
void Shuffle(QStringList& Lines, qsizetype L, qsizetype R, const std::function<int()>& Draw)
{
    const auto compare = [&Draw] { return Draw() - 2; };
    do {
        qsizetype I = L;
        qsizetype J = R;
        qsizetype P = (L + R) / 2;
        do {
            while (compare() < 0)
                ++I;
            // Never true; the draw is still taken, which shapes the order.
            while (compare() > 0)
                --J;
            if (I <= J) {
                Lines.swapItemsAt(I, J);
                if (P == I)
                    P = J;
                else if (P == J)
                    P = I;
                ++I;
                --J;
            }
        } while (I <= J);
        if (L < J)
            Shuffle(Lines, L, J, Draw);
        L = I;
    } while (L < R);
}

}  // namespace

void ShuffleRows(QStringList& Lines, const std::function<int()>& Draw)
{
    if (Lines.size() < 2)
        return;
    Shuffle(Lines, 0, Lines.size() - 1, Draw);
}

void ShuffleRows(QStringList& Lines)
{
    std::mt19937 generator(static_cast<std::mt19937::result_type>(
        std::chrono::steady_clock::now().time_since_epoch().count()));
    std::uniform_int_distribution<int> three(0, 2);
    ShuffleRows(Lines, [&] { return three(generator); });
}

}  // namespace lirabo
