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

// Column by column, W elements at a time: the same single addition per element.
template <typename V, typename Index>
MIXFILT_INLINE void broadplus_columns(const double* x, Index m, Index n, const double* v, double* y)
{
    const Index w = sizeof(V) / sizeof(double);
    for (Index c = 0; c < n; ++c, x += m, y += m) {
        V vc, xs;
        vsplat(&vc, v[c]);
        Index r = 0;
        for (; r + w <= m; r += w) {
            vload(&xs, x + r);
            V sum = xs + vc;
            vstore(y + r, &sum);
        }
        for (; r < m; ++r)
            y[r] = x[r] + v[c];
    }
}

#if defined(MIXFILT_VECTOR)
template <typename Index>
__attribute__((target("avx2"))) void broadplus_avx2(const double* x, Index m, Index n, const double* v,
                                                    double* y)
{
    broadplus_columns<vec4>(x, m, n, v, y);
}

template <typename Index>
__attribute__((target("avx512f"))) void broadplus_avx512(const double* x, Index m, Index n,
                                                         const double* v, double* y)
{
    broadplus_columns<vec8>(x, m, n, v, y);
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
        broadplus_columns<vec2>(x, m, n, v, y);
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
