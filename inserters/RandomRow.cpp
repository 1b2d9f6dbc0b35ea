#include "inserters/RandomRow.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace RandomRow {

int offset(float r, int rows)
{
    // The product is formed in double: a float would round r * n itself for large n.
    const double exact = static_cast<double>(r) * rows - 1.0;
    // nearbyint honours the rounding mode, which is to-nearest-even unless someone
    // changed it; state it rather than trust it.
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(exact);
    std::fesetround(previous);
    return static_cast<int>(rounded);
}

int index(float r, int rows)
{
    if (rows <= 0)
        return -1;
    // r is below 1, so the offset stays below rows - 1 + 0.5; the clamp only guards
    // an r handed in out of range.
    return std::clamp(offset(r, rows), 0, rows - 1);
}

}
