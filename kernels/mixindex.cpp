// Index tables of the column and row combinations.
#include "mixindex.hpp"

template <typename Index>
bool mixtable(const double* v, Index count, Index bound, Index* table)
{
    for (Index k = 0; k < count; ++k)
        if (!mixindex(v[k], bound, &table[k]))
            return false;
    return true;
}

template bool mixtable<int32_t>(const double*, int32_t, int32_t, int32_t*);
template bool mixtable<uint64_t>(const double*, uint64_t, uint64_t, uint64_t*);
template bool mixtable<int64_t>(const double*, int64_t, int64_t, int64_t*);
