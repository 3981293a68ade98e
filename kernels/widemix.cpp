// widemix: Y = X' * A(ROWS, :) or X' * A(ROWS, COLS), reading A in place.
#include "widemix.hpp"
#include "fparith.hpp"
#include "linesweep.hpp"
#include "vecops.hpp"

namespace {

// Y(j) for the L output columns, whose columns of A are coltable(j) (or j when there is no
// table): each element's terms in ROWS order. The vector levels hold W elements of Y in a
// register across all of ROWS; every element gets the operations of the scalar loop.
//
// Every vector level runs blocks of two columns: the reads jump about within the block's
// columns, and blocks of four or eight (one AVX2 or AVX-512 register) were measured slower
// than two, for a 4000 x 4000 A with 1000 rows: 5.4 and 5.2 ms against 3.9 ms.
template <typename V, typename Index>
MIXFILT_INLINE void widemix_block(const double* a, Index m, const Index* rowtable, Index r,
                                  const Index* coltable, Index l, const double* x, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    const bool whole = sweepwhole(static_cast<int64_t>(r), static_cast<int64_t>(m));
    Index j = 0;
    for (; j + w <= l; j += w) {
        // The reads follow ROWS, which jumps about beyond what the processor foresees: while
        // one block is formed, the lines that the next one reads are asked for; all its lines
        // in order when ROWS meets most of them, else those of its rows.
        const double* column[sizeof(V) / sizeof(double)];
        const double* next[sizeof(V) / sizeof(double)];
        for (Index e = 0; e < w; ++e) {
            column[e] = a + (coltable ? coltable[j + e] : j + e) * m;
            const Index jn = j + w + e < l ? j + w + e : j + e;
            next[e] = a + (coltable ? coltable[jn] : jn) * m;
        }
        V sum;
        vload(&sum, y + j);
        linesweep sweep(next, static_cast<int>(w), static_cast<int64_t>(m), static_cast<int64_t>(r));
        for (Index k = 0; k < r; ++k) {
            V terms, xk;
            if (whole)
                sweep.step();
            else
                for (Index e = 0; e < w; ++e)
                    __builtin_prefetch(next[e] + rowtable[k]);
            for (Index e = 0; e < w; ++e)
                terms[e] = column[e][rowtable[k]];
            vsplat(&xk, x[k]);
            V product = terms * xk;
            sum = sum + product;
        }
        vstore(y + j, &sum);
    }
    for (; j < l; ++j) {
        const double* column = a + (coltable ? coltable[j] : j) * m;
        for (Index k = 0; k < r; ++k)
            maddstore(&y[j], column[rowtable[k]], x[k]);
    }
}

// The scalar loop: the elements of Y outside, ROWS inside.
template <typename Index>
void widemix_scalar(const double* a, Index m, const Index* rowtable, Index r, const Index* coltable,
                    Index l, const double* x, double* y)
{
    for (Index j = 0; j < l; ++j) {
        const double* column = a + (coltable ? coltable[j] : j) * m;   // every term from one column
        for (Index k = 0; k < r; ++k)
            maddstore(&y[j], column[rowtable[k]], x[k]);
    }
}

template <typename Index>
void widemix_run(veclevel level, const double* a, Index m, const Index* rowtable, Index r,
                 const Index* coltable, Index l, const double* x, double* y)
{
    unsigned short cw = extended_begin();
    if (level == vec_scalar)
        widemix_scalar(a, m, rowtable, r, coltable, l, x, y);
#if defined(MIXFILT_VECTOR)
    else
        widemix_block<vec2>(a, m, rowtable, r, coltable, l, x, y);
#endif
    extended_end(cw);
}

}  // namespace

template <typename Index>
void widemix_rows_at(veclevel level, const double* a, Index m, Index n, const Index* rowtable, Index r,
                     const double* x, double* y)
{
    widemix_run<Index>(level, a, m, rowtable, r, nullptr, n, x, y);
}

template <typename Index>
void widemix_rowscols_at(veclevel level, const double* a, Index m, const Index* rowtable, Index r,
                         const Index* coltable, Index l, const double* x, double* y)
{
    widemix_run<Index>(level, a, m, rowtable, r, coltable, l, x, y);
}

template <typename Index>
void widemix_rows(const double* a, Index m, Index n, const Index* rowtable, Index r, const double* x,
                  double* y)
{
    widemix_rows_at<Index>(veclevel_best(), a, m, n, rowtable, r, x, y);
}

template <typename Index>
void widemix_rowscols(const double* a, Index m, const Index* rowtable, Index r, const Index* coltable,
                      Index l, const double* x, double* y)
{
    widemix_rowscols_at<Index>(veclevel_best(), a, m, rowtable, r, coltable, l, x, y);
}

#define MIXFILT_WIDEMIX_INSTANCES(Index)                                                          \
    template void widemix_rows<Index>(const double*, Index, Index, const Index*, Index,           \
                                      const double*, double*);                                    \
    template void widemix_rows_at<Index>(veclevel, const double*, Index, Index, const Index*,     \
                                         Index, const double*, double*);                          \
    template void widemix_rowscols<Index>(const double*, Index, const Index*, Index, const Index*, \
                                          Index, const double*, double*);                         \
    template void widemix_rowscols_at<Index>(veclevel, const double*, Index, const Index*, Index,  \
                                             const Index*, Index, const double*, double*);
MIXFILT_WIDEMIX_INSTANCES(int32_t)
MIXFILT_WIDEMIX_INSTANCES(int64_t)
MIXFILT_WIDEMIX_INSTANCES(uint64_t)
