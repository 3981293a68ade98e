// broadplus: Y(r, c) = X(r, c) + V(c).
#include <cstdint>
#include "broadplus.hpp"
#include "fparith.hpp"
#include "vecops.hpp"

namespace {

// The scalar walk: storage order, a row counter, V read through a moving position.
template <typename Index>
void broadplus_walk(const double* x, Index m, Index total, const double* v, double* y)
{
    Index i = 0;                                  // row counter
    const double* vc = v;                         // V(c) of the current column
    for (Index p = 0; p < total; ++p) {
        y[p] = addstore(x[p], *vc);
        if (++i == m) {
            i = 0;
            ++vc;
        }
    }
}

#if defined(MIXFILT_VECTOR)
// A result of this many bytes or more is larger than the caches would keep for the caller:
// it is written past them, so that it does not evict X on its way to memory.
const uint64_t streambytes = uint64_t(8) << 20;

// Column by column, W elements at a time: the same single addition per element. With
// stream, the stores of whole registers go past the caches (after the elements before Y's
// next register boundary are stored one at a time).
template <typename V, bool stream, typename Index>
MIXFILT_INLINE void broadplus_columns(const double* x, Index m, Index n, const double* v, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    for (Index c = 0; c < n; ++c, x += m, y += m) {
        V vc, xs;
        vsplat(&vc, v[c]);
        Index r = 0;
        if (stream) {
            for (; r < m && reinterpret_cast<uintptr_t>(y + r) % sizeof(V) != 0; ++r)
                y[r] = x[r] + v[c];
            for (; r + w <= m; r += w) {
                vload(&xs, x + r);
                V sum = xs + vc;
                vstream(y + r, &sum);
            }
        }
        for (; r + w <= m; r += w) {
            vload(&xs, x + r);
            V sum = xs + vc;
            vstore(y + r, &sum);
        }
        for (; r < m; ++r)
            y[r] = x[r] + v[c];
    }
    if (stream)
        vstreamed();
}

// The columns at one width, streamed when the result is large.
template <typename V, typename Index>
MIXFILT_INLINE void broadplus_width(const double* x, Index m, Index n, const double* v, double* y)
{
    if (static_cast<uint64_t>(m) * static_cast<uint64_t>(n) >= streambytes / sizeof(double))
        broadplus_columns<V, true>(x, m, n, v, y);
    else
        broadplus_columns<V, false>(x, m, n, v, y);
}

template <typename Index>
__attribute__((target("avx2"))) void broadplus_avx2(const double* x, Index m, Index n, const double* v,
                                                    double* y)
{
    broadplus_width<vec4>(x, m, n, v, y);
}

template <typename Index>
__attribute__((target("avx512f"))) void broadplus_avx512(const double* x, Index m, Index n,
                                                         const double* v, double* y)
{
    broadplus_width<vec8>(x, m, n, v, y);
}
#endif

}  // namespace

template <typename Index>
void broadplus_at(veclevel level, const double* x, Index m, Index n, const double* v, double* y)
{
    Index total = m * n;
    if (total == 0)                               // V is not read
        return;
    unsigned short cw = extended_begin();
    if (level == vec_scalar)
        broadplus_walk(x, m, total, v, y);
#if defined(MIXFILT_VECTOR)
    else if (level == vec_avx512)
        broadplus_avx512(x, m, n, v, y);
    else if (level == vec_avx2)
        broadplus_avx2(x, m, n, v, y);
    else
        broadplus_width<vec2>(x, m, n, v, y);
#endif
    extended_end(cw);
}

template <typename Index>
void broadplus(const double* x, Index m, Index n, const double* v, double* y)
{
    broadplus_at<Index>(veclevel_best(), x, m, n, v, y);
}

#define MIXFILT_BROADPLUS_INSTANCES(Index)                                                         \
    template void broadplus<Index>(const double*, Index, Index, const double*, double*);         \
    template void broadplus_at<Index>(veclevel, const double*, Index, Index, const double*, double*);
MIXFILT_BROADPLUS_INSTANCES(int32_t)
MIXFILT_BROADPLUS_INSTANCES(int64_t)
MIXFILT_BROADPLUS_INSTANCES(uint64_t)
