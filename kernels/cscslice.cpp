// cscslice: the stored entries of one row of a compressed sparse column matrix.
#include <cstdint>
#include <cstring>
#include "cscslice.hpp"
#include "vecops.hpp"

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

namespace {

// The scalar loops.
template <typename Index>
Index count_scalar(const Index* ir, Index nnz, Index r)
{
    Index k = 0;
    for (Index pos = 0; pos < nnz; ++pos)
        k += (ir[pos] == r);
    return k;
}

template <typename Index>
void fill_scalar(Index n, const Index* jc, const Index* ir, const double* pr, Index r, Index k,
                 double* vals, double* cols)
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

#if defined(MIXFILT_VECTOR)
// The vector levels compare B bytes of row indices at a time with the row.
template <typename Index, int B>
struct rowvec {
    typedef Index type __attribute__((vector_size(B)));
    static const Index lanes = B / sizeof(Index);
};

template <typename Index, int B>
MIXFILT_INLINE Index count_vector(const Index* ir, Index nnz, Index r)
{
    typedef typename rowvec<Index, B>::type V;
    const Index w = rowvec<Index, B>::lanes;
    V rows, hits = {};
    for (Index e = 0; e < w; ++e)
        rows[e] = r;
    Index pos = 0;
    for (; pos + w <= nnz; pos += w) {
        V block;
        std::memcpy(&block, ir + pos, sizeof block);
        hits -= reinterpret_cast<V>(block == rows);   // a match is all ones: minus -1
    }
    Index k = 0;
    for (Index e = 0; e < w; ++e)
        k += hits[e];
    for (; pos < nnz; ++pos)
        k += (ir[pos] == r);
    return k;
}

// The first position from pos on (below end) whose row index is r, or end.
template <typename Index, int B>
MIXFILT_INLINE Index find_vector(const Index* ir, Index pos, Index end, Index r)
{
    typedef typename rowvec<Index, B>::type V;
    const Index w = rowvec<Index, B>::lanes;
    V rows;
    for (Index e = 0; e < w; ++e)
        rows[e] = r;
    for (; pos + w <= end; pos += w) {
        V block;
        std::memcpy(&block, ir + pos, sizeof block);
        V match = reinterpret_cast<V>(block == rows);
        Index any = 0;
        for (Index e = 0; e < w; ++e)
            any |= match[e];
        if (any)
            break;
    }
    for (; pos < end; ++pos)
        if (ir[pos] == r)
            return pos;
    return end;
}

// The column c holding position pos (jc[c] <= pos < jc[c + 1]), searched from column c on:
// steps doubling until they pass pos, then halving, so that a dense row costs a pass over
// jc and a sparse one a few steps per entry.
template <typename Index>
MIXFILT_INLINE Index column_of(const Index* jc, Index n, Index c, Index pos)
{
    Index step = 1;
    while (step <= n - c && jc[c + step] <= pos) {      // jc[c] <= pos throughout
        c += step;
        if (step > (n - c) / 2)
            break;                                      // the column lies below c + 2 * step
        step *= 2;
    }
    for (; step > 0; step /= 2)
        if (step <= n - c && jc[c + step] <= pos)
            c += step;
    return c;
}

// The stored entries of row r in storage order, found by the vector scan: an entry is the
// one the scalar loop takes for its column when no entry before it in the column lies at
// or past the row. Every position read lies below jc[N], as in the scalar loop.
template <typename Index, int B>
MIXFILT_INLINE void fill_vector(Index n, const Index* jc, const Index* ir, const double* pr, Index r,
                                Index k, double* vals, double* cols)
{
    const Index end = jc[n];
    Index i = 0, c = 0;
    for (Index pos = find_vector<Index, B>(ir, jc[0], end, r); pos < end && i < k;
         pos = find_vector<Index, B>(ir, pos + 1, end, r)) {
        c = column_of(jc, n, c, pos);
        Index q = jc[c];
        while (q < pos && ir[q] < r)
            ++q;
        if (q == pos) {
            vals[i] = pr[pos];
            if (cols)
                cols[i] = static_cast<double>(c) + 1.0;
            ++i;
        }
    }
}

template <typename Index>
__attribute__((target("avx2"))) Index count_avx2(const Index* ir, Index nnz, Index r)
{
    return count_vector<Index, 32>(ir, nnz, r);
}

template <typename Index>
__attribute__((target("avx512f"))) Index count_avx512(const Index* ir, Index nnz, Index r)
{
    return count_vector<Index, 64>(ir, nnz, r);
}

template <typename Index>
__attribute__((target("avx2"))) void fill_avx2(Index n, const Index* jc, const Index* ir, const double* pr,
                                               Index r, Index k, double* vals, double* cols)
{
    fill_vector<Index, 32>(n, jc, ir, pr, r, k, vals, cols);
}

template <typename Index>
__attribute__((target("avx512f"))) void fill_avx512(Index n, const Index* jc, const Index* ir,
                                                    const double* pr, Index r, Index k, double* vals,
                                                    double* cols)
{
    fill_vector<Index, 64>(n, jc, ir, pr, r, k, vals, cols);
}
#endif

}  // namespace

template <typename Index>
Index cscslice_count_at(veclevel level, const Index* ir, Index nnz, Index r)
{
#if defined(MIXFILT_VECTOR)
    if (level == vec_avx512)
        return count_avx512(ir, nnz, r);
    if (level == vec_avx2)
        return count_avx2(ir, nnz, r);
    if (level == vec_sse2)
        return count_vector<Index, 16>(ir, nnz, r);
#endif
    (void)level;
    return count_scalar(ir, nnz, r);
}

template <typename Index>
void cscslice_fill_at(veclevel level, Index n, const Index* jc, const Index* ir, const double* pr, Index r,
                      Index k, double* vals, double* cols)
{
#if defined(MIXFILT_VECTOR)
    if (level == vec_avx512)
        return fill_avx512(n, jc, ir, pr, r, k, vals, cols);
    if (level == vec_avx2)
        return fill_avx2(n, jc, ir, pr, r, k, vals, cols);
    if (level == vec_sse2)
        return fill_vector<Index, 16>(n, jc, ir, pr, r, k, vals, cols);
#endif
    (void)level;
    fill_scalar(n, jc, ir, pr, r, k, vals, cols);
}

template <typename Index>
Index cscslice_count(const Index* ir, Index nnz, Index r)
{
    return cscslice_count_at(veclevel_best(), ir, nnz, r);
}

template <typename Index>
void cscslice_fill(Index n, const Index* jc, const Index* ir, const double* pr, Index r, Index k,
                   double* vals, double* cols)
{
    cscslice_fill_at(veclevel_best(), n, jc, ir, pr, r, k, vals, cols);
}

#define MIXFILT_CSCSLICE_INSTANCES(Index)                                                          \
    template rowstatus cscslice_row<Index>(double, Index, Index*);                                 \
    template Index cscslice_count<Index>(const Index*, Index, Index);                              \
    template Index cscslice_count_at<Index>(veclevel, const Index*, Index, Index);                 \
    template void cscslice_fill<Index>(Index, const Index*, const Index*, const double*, Index,    \
                                       Index, double*, double*);                                   \
    template void cscslice_fill_at<Index>(veclevel, Index, const Index*, const Index*,             \
                                          const double*, Index, Index, double*, double*);
MIXFILT_CSCSLICE_INSTANCES(int32_t)
MIXFILT_CSCSLICE_INSTANCES(int64_t)
MIXFILT_CSCSLICE_INSTANCES(uint64_t)
