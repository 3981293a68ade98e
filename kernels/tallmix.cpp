// tallmix: Y = A(:, COLS) * X or A(ROWS, COLS) * X, reading A in place.
#include "tallmix.hpp"
#include "fparith.hpp"

template <typename Index>
mixstatus tallmix_cols(const double* a, Index m, Index n,
                       const double* cols, Index l, const double* x, double* y)
{
    unsigned short cw = extended_begin();
    for (Index i = 0; i < l; ++i) {
        Index c;
        if (!mixindex(cols[i], n, &c)) {          // checked when the loop reaches it
            extended_end(cw);
            return mix_badcol;
        }
        const double* column = a + c * m;
        double xi = x[i];
        for (Index j = 0; j < m; ++j)             // the column top to bottom
            maddstore(&y[j], column[j], xi);
    }
    extended_end(cw);
    return mix_ok;
}

template <typename Index>
mixstatus tallmix_rowscols(const double* a, Index m, Index n,
                           const double* rows, Index r, Index* rowtable,
                           const double* cols, Index l, const double* x, double* y)
{
    if (!mixtable(rows, r, m, rowtable))          // every row before any column
        return mix_badrow;
    unsigned short cw = extended_begin();
    for (Index i = 0; i < l; ++i) {
        Index c;
        if (!mixindex(cols[i], n, &c)) {
            extended_end(cw);
            return mix_badcol;
        }
        const double* column = a + c * m;
        double xi = x[i];
        for (Index j = 0; j < r; ++j)
            maddstore(&y[j], column[rowtable[j]], xi);
    }
    extended_end(cw);
    return mix_ok;
}

template mixstatus tallmix_cols<int32_t>(const double*, int32_t, int32_t, const double*, int32_t,
                                         const double*, double*);
template mixstatus tallmix_cols<uint64_t>(const double*, uint64_t, uint64_t, const double*, uint64_t,
                                          const double*, double*);
template mixstatus tallmix_rowscols<int32_t>(const double*, int32_t, int32_t, const double*, int32_t,
                                             int32_t*, const double*, int32_t, const double*, double*);
template mixstatus tallmix_rowscols<uint64_t>(const double*, uint64_t, uint64_t, const double*, uint64_t,
                                              uint64_t*, const double*, uint64_t, const double*, double*);
template mixstatus tallmix_cols<int64_t>(const double*, int64_t, int64_t, const double*, int64_t,
                                          const double*, double*);
template mixstatus tallmix_rowscols<int64_t>(const double*, int64_t, int64_t, const double*, int64_t,
                                              int64_t*, const double*, int64_t, const double*, double*);
