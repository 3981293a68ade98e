// widemix: Y = X' * A(ROWS, :) or X' * A(ROWS, COLS), reading A in place.
#include "widemix.hpp"
#include "fparith.hpp"

template <typename Index>
void widemix_rows(const double* a, Index m, Index n, const Index* rowtable, Index r,
                  const double* x, double* y)
{
    unsigned short cw = extended_begin();
    for (Index j = 0; j < n; ++j) {
        const double* column = a + j * m;         // every term of Y(j) comes from column j
        for (Index k = 0; k < r; ++k)
            maddstore(&y[j], column[rowtable[k]], x[k]);
    }
    extended_end(cw);
}

template <typename Index>
void widemix_rowscols(const double* a, Index m, const Index* rowtable, Index r,
                      const Index* coltable, Index l, const double* x, double* y)
{
    unsigned short cw = extended_begin();
    for (Index j = 0; j < l; ++j) {
        const double* column = a + coltable[j] * m;
        for (Index k = 0; k < r; ++k)
            maddstore(&y[j], column[rowtable[k]], x[k]);
    }
    extended_end(cw);
}

template void widemix_rows<int32_t>(const double*, int32_t, int32_t, const int32_t*, int32_t,
                                    const double*, double*);
template void widemix_rows<uint64_t>(const double*, uint64_t, uint64_t, const uint64_t*, uint64_t,
                                     const double*, double*);
template void widemix_rowscols<int32_t>(const double*, int32_t, const int32_t*, int32_t,
                                        const int32_t*, int32_t, const double*, double*);
template void widemix_rowscols<uint64_t>(const double*, uint64_t, const uint64_t*, uint64_t,
                                         const uint64_t*, uint64_t, const double*, double*);
template void widemix_rows<int64_t>(const double*, int64_t, int64_t, const int64_t*, int64_t,
                                     const double*, double*);
template void widemix_rowscols<int64_t>(const double*, int64_t, const int64_t*, int64_t,
                                         const int64_t*, int64_t, const double*, double*);
