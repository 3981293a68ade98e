// cscslice: the stored entries of one row of a compressed sparse column matrix.
#include <cstdint>
#include "cscslice.hpp"

template <typename Index>
rowstatus cscslice_row(double x, Index m, Index* r)
{
    if (x < 0.0)                                  // on x itself, before the bias
        return row_negative;
    volatile double y = x + 0.01;                 // one double addition, also on x87
    if (!(y >= 1.0 && y < static_cast<double>(m) + 1.0))
        return row_outofrange;                    // NaN and +Inf too, never converted
    *r = static_cast<Index>(y) - 1;
    return row_ok;
}

template <typename Index>
Index cscslice_count(const Index* ir, Index nnz, Index r)
{
    Index k = 0;
    for (Index pos = 0; pos < nnz; ++pos)
        k += (ir[pos] == r);
    return k;
}

template <typename Index>
void cscslice_fill(Index n, const Index* jc, const Index* ir, const double* pr, Index r,
                   Index k, double* vals, double* cols)
{
    Index i = 0;
    for (Index c = 0; c < n && i < k; ++c) {
        Index pos = jc[c], end = jc[c + 1];
        while (pos < end && ir[pos] < r)          // entries above the row
            ++pos;
        if (pos < end && ir[pos] == r) {
            vals[i] = pr[pos];
            if (cols)
                cols[i] = static_cast<double>(c) + 1.0;
            ++i;
        }
    }
}

template rowstatus cscslice_row<int32_t>(double, int32_t, int32_t*);
template rowstatus cscslice_row<uint64_t>(double, uint64_t, uint64_t*);
template int32_t cscslice_count<int32_t>(const int32_t*, int32_t, int32_t);
template uint64_t cscslice_count<uint64_t>(const uint64_t*, uint64_t, uint64_t);
template void cscslice_fill<int32_t>(int32_t, const int32_t*, const int32_t*, const double*, int32_t,
                                     int32_t, double*, double*);
template void cscslice_fill<uint64_t>(uint64_t, const uint64_t*, const uint64_t*, const double*,
                                      uint64_t, uint64_t, double*, double*);
template rowstatus cscslice_row<int64_t>(double, int64_t, int64_t*);
template int64_t cscslice_count<int64_t>(const int64_t*, int64_t, int64_t);
template void cscslice_fill<int64_t>(int64_t, const int64_t*, const int64_t*, const double*,
                                      int64_t, int64_t, double*, double*);
