// tallmix: Y = A(:, COLS) * X or A(ROWS, COLS) * X, reading A in place.
#include "tallmix.hpp"
#include "fparith.hpp"
#include "linesweep.hpp"
#include "vecops.hpp"

namespace {

// Up to this many selected columns are added to Y in one pass over it.
const int passcolumns = 4;

// The selected columns of one pass, converted in order; fewer than passcolumns at the end
// of COLS or before a rejected column.
struct tallpass {
    const double* column[passcolumns];
    double xs[passcolumns];
    int k = 0;
};

// Y(j) = (((Y(j) + C0(j) * x0) + C1(j) * x1) + ...) for the k columns of one pass, j over
// the R rows (through the row table when there is one), W elements of Y at a time: every
// element gets the operations of the scalar loop, in its order. Meanwhile the lines that
// the next pass reads are asked for: all of its columns in order, or through a row table
// that meets fewer than one row a line, those of its rows.
template <typename V, typename Index>
MIXFILT_INLINE void tallmix_pass(const tallpass& pass, const tallpass& next, Index m, const Index* rowtable,
                                 Index r, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    const bool byrows = rowtable && !sweepwhole(static_cast<int64_t>(r), static_cast<int64_t>(m));
    linesweep sweep(next.column, next.k, static_cast<int64_t>(m), static_cast<int64_t>(r / w));
    Index j = 0;
    for (; j + w <= r; j += w) {
        if (byrows) {
            for (int t = 0; t < next.k; ++t)
                for (Index e = 0; e < w; ++e)
                    __builtin_prefetch(next.column[t] + rowtable[j + e]);
        } else {
            sweep.step();
        }
        V sum;
        vload(&sum, y + j);
        for (int t = 0; t < pass.k; ++t) {
            V a = {}, x;
            if (rowtable) {
                for (Index e = 0; e < w; ++e)
                    a[e] = pass.column[t][rowtable[j + e]];
            } else {
                vload(&a, pass.column[t] + j);
            }
            vsplat(&x, pass.xs[t]);
            V product = a * x;
            sum = sum + product;
        }
        vstore(y + j, &sum);
    }
    for (; j < r; ++j)
        for (int t = 0; t < pass.k; ++t)
            maddstore(&y[j], pass.column[t][rowtable ? rowtable[j] : j], pass.xs[t]);
}

#if defined(MIXFILT_VECTOR)
template <typename Index>
__attribute__((target("avx2"))) void tallmix_pass_avx2(const tallpass& pass, const tallpass& next, Index m,
                                                       const Index* rowtable, Index r, double* y)
{
    tallmix_pass<vec4>(pass, next, m, rowtable, r, y);
}

template <typename Index>
__attribute__((target("avx512f"))) void tallmix_pass_avx512(const tallpass& pass, const tallpass& next,
                                                            Index m, const Index* rowtable, Index r,
                                                            double* y)
{
    tallmix_pass<vec8>(pass, next, m, rowtable, r, y);
}
#endif

// The next pass from column i of COLS on; false when it ends at a rejected column.
template <typename Index>
bool tallmix_gather(const double* a, Index m, Index n, const double* cols, Index l, const double* x,
                    Index* i, tallpass* pass)
{
    pass->k = 0;
    for (; pass->k < passcolumns && *i < l; ++pass->k, ++*i) {
        Index c;
        if (!mixindex(cols[*i], n, &c))
            return false;
        pass->column[pass->k] = a + c * m;
        pass->xs[pass->k] = x[*i];
    }
    return true;
}

// The columns of COLS in order, in passes of up to passcolumns; a rejected column ends the
// loop after the terms of those before it. Each pass is converted while the one before it
// runs, so that its lines can be asked for ahead; converting reads COLS only.
template <typename Index>
mixstatus tallmix_loop(veclevel level, const double* a, Index m, Index n, const double* cols, Index l,
                       const double* x, const Index* rowtable, Index r, double* y)
{
    unsigned short cw = extended_begin();
    Index i = 0;
    tallpass pass, next;
    bool ok = tallmix_gather(a, m, n, cols, l, x, &i, &pass);
    while (pass.k > 0) {
        next.k = 0;
        const bool nextok = ok && tallmix_gather(a, m, n, cols, l, x, &i, &next);
        if (level == vec_scalar) {
            for (int t = 0; t < pass.k; ++t)           // one column at a time, top to bottom
                for (Index j = 0; j < r; ++j)
                    maddstore(&y[j], pass.column[t][rowtable ? rowtable[j] : j], pass.xs[t]);
        }
#if defined(MIXFILT_VECTOR)
        else if (level == vec_avx512)
            tallmix_pass_avx512(pass, next, m, rowtable, r, y);
        else if (level == vec_avx2)
            tallmix_pass_avx2(pass, next, m, rowtable, r, y);
        else
            tallmix_pass<vec2>(pass, next, m, rowtable, r, y);
#endif
        pass = next;
        ok = nextok;
    }
    extended_end(cw);
    return ok ? mix_ok : mix_badcol;
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
