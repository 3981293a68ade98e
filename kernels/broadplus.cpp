// broadplus: Y(r, c) = X(r, c) + V(c).
#include <cstdint>
#include "broadplus.hpp"
#include "fparith.hpp"

template <typename Index>
void broadplus(const double* x, Index m, Index n, const double* v, double* y)
{
    Index total = m * n;
    if (total == 0)                               // V is not read
        return;
    unsigned short cw = extended_begin();
    Index i = 0;                                  // row counter
    const double* vc = v;                         // V(c) of the current column
    for (Index p = 0; p < total; ++p) {
        y[p] = addstore(x[p], *vc);
        if (++i == m) {
            i = 0;
            ++vc;
        }
    }
    extended_end(cw);
}

template void broadplus<int32_t>(const double*, int32_t, int32_t, const double*, double*);
template void broadplus<uint64_t>(const double*, uint64_t, uint64_t, const double*, double*);
template void broadplus<int64_t>(const double*, int64_t, int64_t, const double*, double*);
