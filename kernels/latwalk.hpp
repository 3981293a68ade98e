// The output walk of the lattice filters, one sample at a time or W output rows at a time
// for the vector levels of latfilt and latfiltS (latfiltS walks with zero off-diagonal steps).
#ifndef MIXFILT_KERNELS_LATWALK_HPP
#define MIXFILT_KERNELS_LATWALK_HPP

#include <cstddef>
#include <cstdint>
#include "vecops.hpp"
#include "veclevel.hpp"

// The reduced steps of one call, columns as offsets into X's block (column * M).
struct latwalk {
    ptrdiff_t mn;           // M * N
    ptrdiff_t s11m, s12m;   // S11 and S12 reduced into 0 .. N-1, times M
    int32_t s21, s22;       // S21 and S22 reduced into 0 .. M-1
};

// K * W output samples of one output column in K registers, the first starting at
// (cs, rs) (K * W <= M). Every tap reads one column for all lanes; lane e of register b
// reads row rr + b*W + e of it, wrapped when it passes the last row. Each sample gets the
// taps of the scalar walk (q outer, p inner, both upward), in its order, each product and
// sum rounded to double; the K registers are independent sums, so their adds overlap.
template <typename V, int K>
MIXFILT_INLINE void latwalk_rows(const double* x, int32_t m, const double* h, int32_t p, int32_t q,
                                 ptrdiff_t cs, int32_t rs, const latwalk& wk, double* yo)
{
    const int32_t w = sizeof(V) / sizeof(double);
    V s[K] = {};
    ptrdiff_t c = cs;
    int32_t r = rs;
    const double* hq = h;
    for (int32_t k = 0; k < q; ++k, hq += p) {
        ptrdiff_t cc = c;
        int32_t rr = r;
        for (int32_t l = 0; l < p; ++l) {
            const double* xc = x + cc;
            V tap;
            vsplat(&tap, hq[l]);
            if (rr + K * w <= m) {                      // one contiguous run of the column
#pragma GCC unroll 8
                for (int b = 0; b < K; ++b) {
                    V samples;
                    vload(&samples, xc + rr + b * w);
                    V product = samples * tap;
                    s[b] = s[b] + product;
                }
            } else {                                    // the run wraps to the top of the column
#pragma GCC unroll 8
                for (int b = 0; b < K; ++b) {
                    V samples;
                    int32_t rb = rr + b * w;
                    if (rb >= m)
                        rb -= m;
                    if (rb + w <= m) {
                        vload(&samples, xc + rb);
                    } else {
                        for (int32_t e = 0; e < w; ++e)
                            samples[e] = xc[rb + e < m ? rb + e : rb + e - m];
                    }
                    V product = samples * tap;
                    s[b] = s[b] + product;
                }
            }
            cc -= wk.s12m;
            if (cc < 0)
                cc += wk.mn;
            rr -= wk.s22;
            if (rr < 0)
                rr += m;
        }
        c -= wk.s11m;
        if (c < 0)
            c += wk.mn;
        r -= wk.s21;
        if (r < 0)
            r += m;
    }
#pragma GCC unroll 8
    for (int b = 0; b < K; ++b)
        vstore(yo + b * w, &s[b]);
}

// Registers a block of output rows takes: independent sums enough to cover the latency
// of an add on the processors these levels run on.
const int latblock = 8;

// Output columns in order; within each, blocks of latblock * W rows, then blocks of
// W rows, then the rest one at a time through sample(cs, rs), the module's scalar walk of
// one output sample.
template <typename V, typename Sample>
MIXFILT_INLINE void latwalk_columns(const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                                    int32_t q, int32_t c0, int32_t r0, const latwalk& wk,
                                    Sample sample, double* y)
{
    const int32_t w = sizeof(V) / sizeof(double);
    ptrdiff_t cs = static_cast<ptrdiff_t>(c0) * m;      // start column of output column j
    for (int32_t j = 0; j < n; ++j, y += m) {
        int32_t rs = r0;                                // start row of output row i
        int32_t i = 0;
        for (; i + latblock * w <= m; i += latblock * w) {
            latwalk_rows<V, latblock>(x, m, h, p, q, cs, rs, wk, y + i);
            rs += latblock * w;
            if (rs >= m)
                rs -= m;
        }
        for (; i + w <= m; i += w) {
            latwalk_rows<V, 1>(x, m, h, p, q, cs, rs, wk, y + i);
            rs += w;
            if (rs >= m)
                rs -= m;
        }
        for (; i < m; ++i) {
            y[i] = sample(cs, rs);
            if (++rs == m)
                rs = 0;
        }
        cs += m;
        if (cs == wk.mn)
            cs = 0;
    }
}

// The scalar level: every output sample through sample(cs, rs), written once each in
// storage order; each next output row starts one row down, each next column one right.
template <typename Sample>
inline void latwalk_scalar(int32_t m, int32_t n, int32_t c0, int32_t r0, const latwalk& wk, Sample sample,
                           double* y)
{
    ptrdiff_t cs = static_cast<ptrdiff_t>(c0) * m;      // start column of output column j
    for (int32_t j = 0; j < n; ++j) {
        int32_t rs = r0;                                // start row of output row i
        for (int32_t i = 0; i < m; ++i) {
            *y++ = sample(cs, rs);
            if (++rs == m)
                rs = 0;
        }
        cs += m;
        if (cs == wk.mn)
            cs = 0;
    }
}

#if defined(MIXFILT_VECTOR)
template <typename Sample>
__attribute__((target("avx2"))) void latwalk_avx2(const double* x, int32_t m, int32_t n, const double* h,
                                                  int32_t p, int32_t q, int32_t c0, int32_t r0,
                                                  const latwalk& wk, Sample sample, double* y)
{
    latwalk_columns<vec4>(x, m, n, h, p, q, c0, r0, wk, sample, y);
}

template <typename Sample>
__attribute__((target("avx512f"))) void latwalk_avx512(const double* x, int32_t m, int32_t n,
                                                       const double* h, int32_t p, int32_t q, int32_t c0,
                                                       int32_t r0, const latwalk& wk, Sample sample,
                                                       double* y)
{
    latwalk_columns<vec8>(x, m, n, h, p, q, c0, r0, wk, sample, y);
}
#endif

// Every output sample of the call at the given vector level; sample(cs, rs) is the
// module's scalar walk of one sample.
template <typename Sample>
void latwalk_run(veclevel level, const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                 int32_t q, int32_t c0, int32_t r0, const latwalk& wk, Sample sample, double* y)
{
    if (level == vec_scalar)
        latwalk_scalar(m, n, c0, r0, wk, sample, y);
#if defined(MIXFILT_VECTOR)
    else if (level == vec_avx512)
        latwalk_avx512(x, m, n, h, p, q, c0, r0, wk, sample, y);
    else if (level == vec_avx2)
        latwalk_avx2(x, m, n, h, p, q, c0, r0, wk, sample, y);
    else
        latwalk_columns<vec2>(x, m, n, h, p, q, c0, r0, wk, sample, y);
#else
    (void)x, (void)h, (void)p, (void)q;
#endif
}

#endif
