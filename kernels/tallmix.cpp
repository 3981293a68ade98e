// tallmix: Y = A(:, COLS) * X or A(ROWS, COLS) * X, reading A in place.
#include "tallmix.hpp"
#include "fparith.hpp"
#include "vecops.hpp"

namespace {

// Up to this many selected columns are added to Y in one pass over it.
const int passcolumns = 4;

// Through a row table the reads of A jump about, beyond what the processor foresees: the
// vector levels ask for the lines of the rows this many entries ahead.
const int rowsahead = 32;

// Y(j) = (((Y(j) + C0(j) * x0) + C1(j) * x1) + ...) for the k columns of one pass, j over
// the R rows (through the row table when there is one), W elements of Y at a time: every
// element gets the operations of the scalar loop, in its order.
template <typename V, typename Index>
MIXFILT_INLINE void tallmix_pass(const double* const* column, const double* xs, int k,
                                 const Index* rowtable, Index r, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    Index j = 0;
    for (; j + w <= r; j += w) {
        V sum;
        vload(&sum, y + j);
        for (int t = 0; t < k; ++t) {
            V a = {}, x;
            if (rowtable) {
                for (Index e = 0; e < w; ++e) {
                    if (j + e + rowsahead < r)
                        __builtin_prefetch(column[t] + rowtable[j + e + rowsahead]);
                    a[e] = column[t][rowtable[j + e]];
                }
            } else {
                vload(&a, column[t] + j);
            }
            vsplat(&x, xs[t]);
            V product = a * x;
            sum = sum + product;
        }
        vstore(y + j, &sum);
    }
    for (; j < r; ++j)
        for (int t = 0; t < k; ++t)
            maddstore(&y[j], column[t][rowtable ? rowtable[j] : j], xs[t]);
}

#if defined(MIXFILT_VECTOR)
template <typename Index>
__attribute__((target("avx2"))) void tallmix_pass_avx2(const double* const* column, const double* xs,
                                                       int k, const Index* rowtable, Index r, double* y)
{
    tallmix_pass<vec4>(column, xs, k, rowtable, r, y);
}

template <typename Index>
__attribute__((target("avx512f"))) void tallmix_pass_avx512(const double* const* column,
                                                            const double* xs, int k,
                                                            const Index* rowtable, Index r, double* y)
{
    tallmix_pass<vec8>(column, xs, k, rowtable, r, y);
}
#endif

// The columns of COLS in order, converted as the loop reaches them, in passes of up to
// passcolumns; a rejected column ends the loop after the terms of those before it.
template <typename Index>
mixstatus tallmix_loop(veclevel level, const double* a, Index m, Index n, const double* cols, Index l,
                       const double* x, const Index* rowtable, Index r, double* y)
{
    unsigned short cw = extended_begin();
    mixstatus status = mix_ok;
    for (Index i = 0; i < l && status == mix_ok;) {
        const double* column[passcolumns];
        double xs[passcolumns];
        int k = 0;
        for (; k < passcolumns && i < l; ++k, ++i) {
            Index c;
            if (!mixindex(cols[i], n, &c)) {
                status = mix_badcol;
                break;
            }
            column[k] = a + c * m;
            xs[k] = x[i];
        }
        if (level == vec_scalar) {
            for (int t = 0; t < k; ++t)               // one column at a time, top to bottom
                for (Index j = 0; j < r; ++j)
                    maddstore(&y[j], column[t][rowtable ? rowtable[j] : j], xs[t]);
        }
#if defined(MIXFILT_VECTOR)
        else if (level == vec_avx512)
            tallmix_pass_avx512(column, xs, k, rowtable, r, y);
        else if (level == vec_avx2)
            tallmix_pass_avx2(column, xs, k, rowtable, r, y);
        else
            tallmix_pass<vec2>(column, xs, k, rowtable, r, y);
#endif
    }
    extended_end(cw);
    return status;
}

}  // namespace

template <typename Index>
mixstatus tallmix_cols_at(veclevel level, const double* a, Index m, Index n, const double* cols, Index l,
                          const double* x, double* y)
{
    return tallmix_loop<Index>(level, a, m, n, cols, l, x, nullptr, m, y);
}

template <typename Index>
mixstatus tallmix_rowscols_at(veclevel level, const double* a, Index m, Index n, const double* rows,
                              Index r, Index* rowtable, const double* cols, Index l, const double* x,
                              double* y)
{
    if (!mixtable(rows, r, m, rowtable))          // every row before any column
        return mix_badrow;
    return tallmix_loop<Index>(level, a, m, n, cols, l, x, rowtable, r, y);
}

template <typename Index>
mixstatus tallmix_cols(const double* a, Index m, Index n, const double* cols, Index l, const double* x,
                       double* y)
{
    return tallmix_cols_at<Index>(veclevel_best(), a, m, n, cols, l, x, y);
}

template <typename Index>
mixstatus tallmix_rowscols(const double* a, Index m, Index n, const double* rows, Index r,
                           Index* rowtable, const double* cols, Index l, const double* x, double* y)
{
    return tallmix_rowscols_at<Index>(veclevel_best(), a, m, n, rows, r, rowtable, cols, l, x, y);
}

#define MIXFILT_TALLMIX_INSTANCES(Index)                                                            \
    template mixstatus tallmix_cols<Index>(const double*, Index, Index, const double*, Index,       \
                                           const double*, double*);                                 \
    template mixstatus tallmix_cols_at<Index>(veclevel, const double*, Index, Index, const double*, \
                                              Index, const double*, double*);                       \
    template mixstatus tallmix_rowscols<Index>(const double*, Index, Index, const double*, Index,   \
                                               Index*, const double*, Index, const double*, double*); \
    template mixstatus tallmix_rowscols_at<Index>(veclevel, const double*, Index, Index,            \
                                                  const double*, Index, Index*, const double*,      \
                                                  Index, const double*, double*);
MIXFILT_TALLMIX_INSTANCES(int32_t)
MIXFILT_TALLMIX_INSTANCES(int64_t)
MIXFILT_TALLMIX_INSTANCES(uint64_t)
