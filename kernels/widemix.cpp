// widemix: Y = X' * A(ROWS, :) or X' * A(ROWS, COLS), reading A in place.
#include "widemix.hpp"
#include "fparith.hpp"
#include "vecops.hpp"

namespace {

// The reads of A follow ROWS, which jumps about beyond what the processor foresees: the
// vector levels ask for the lines of the rows this many entries ahead.
const int rowsahead = 16;

// Y(j) for the L output columns, whose columns of A are coltable(j) (or j when there is no
// table): each element's terms in ROWS order. The vector levels hold W elements of Y in a
// register across all of ROWS; every element gets the operations of the scalar loop.
template <typename V, typename Index>
MIXFILT_INLINE void widemix_block(const double* a, Index m, const Index* rowtable, Index r,
                                  const Index* coltable, Index l, const double* x, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    Index j = 0;
    for (; j + w <= l; j += w) {
        const double* column[sizeof(V) / sizeof(double)];
        for (Index e = 0; e < w; ++e)
            column[e] = a + (coltable ? coltable[j + e] : j + e) * m;
        V sum;
        vload(&sum, y + j);
        for (Index k = 0; k < r; ++k) {
            V terms, xk;
            if (k + rowsahead < r)
                for (Index e = 0; e < w; ++e)
                    __builtin_prefetch(column[e] + rowtable[k + rowsahead]);
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

#if defined(MIXFILT_VECTOR)
template <typename Index>
__attribute__((target("avx2"))) void widemix_avx2(const double* a, Index m, const Index* rowtable, Index r,
                                                  const Index* coltable, Index l, const double* x, double* y)
{
    widemix_block<vec4>(a, m, rowtable, r, coltable, l, x, y);
}

template <typename Index>
__attribute__((target("avx512f"))) void widemix_avx512(const double* a, Index m, const Index* rowtable,
                                                       Index r, const Index* coltable, Index l,
                                                       const double* x, double* y)
{
    widemix_block<vec8>(a, m, rowtable, r, coltable, l, x, y);
}
#endif

template <typename Index>
void widemix_run(veclevel level, const double* a, Index m, const Index* rowtable, Index r,
                 const Index* coltable, Index l, const double* x, double* y)
{
    unsigned short cw = extended_begin();
    if (level == vec_scalar)
        widemix_scalar(a, m, rowtable, r, coltable, l, x, y);
#if defined(MIXFILT_VECTOR)
    else if (level == vec_avx512)
        widemix_avx512(a, m, rowtable, r, coltable, l, x, y);
    else if (level == vec_avx2)
        widemix_avx2(a, m, rowtable, r, coltable, l, x, y);
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
