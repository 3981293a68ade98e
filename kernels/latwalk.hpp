// The output walk of the lattice filters, one sample at a time or in chains of blocks of
// output rows for the vector levels of latfilt and latfiltS (latfiltS walks with zero
// off-diagonal steps).
#ifndef MIXFILT_KERNELS_LATWALK_HPP
#define MIXFILT_KERNELS_LATWALK_HPP

#include <cstddef>
#include <cstdint>
#include <numeric>
#include "vecops.hpp"
#include "veclevel.hpp"

// The reduced steps of one call, columns as offsets into X's block (column * M).
struct latwalk {
    ptrdiff_t mn;           // M * N
    ptrdiff_t s11m, s12m;   // S11 and S12 reduced into 0 .. N-1, times M
    int32_t s21, s22;       // S21 and S22 reduced into 0 .. M-1
};

// R registers of W rows of one column, the first row rr (R * W <= M), each row wrapped
// to the top of the column when it passes the last. Rows are formed in 64 bits, so that
// they cannot overflow near the largest row counts.
template <typename V, int R>
MIXFILT_INLINE void latwalk_load(const double* xc, int64_t m, int64_t rr, V* v)
{
    const int64_t w = sizeof(V) / sizeof(double);
    if (rr + R * w <= m) {                              // one contiguous run
#pragma GCC unroll 8
        for (int b = 0; b < R; ++b)
            vload(&v[b], xc + rr + b * w);
        return;
    }
#pragma GCC unroll 8
    for (int b = 0; b < R; ++b) {
        int64_t rb = rr + b * w;
        if (rb >= m)
            rb -= m;
        if (rb + w <= m) {
            vload(&v[b], xc + rb);
        } else {
            double lanes[sizeof(V) / sizeof(double)];
            for (int64_t e = 0; e < w; ++e)
                lanes[e] = xc[rb + e < m ? rb + e : rb + e - m];
            vload(&v[b], lanes);
        }
    }
}

// The same to store R registers into an output column from row o.
template <typename V, int R>
MIXFILT_INLINE void latwalk_store(double* yc, int64_t m, int64_t o, const V* v)
{
    const int64_t w = sizeof(V) / sizeof(double);
#pragma GCC unroll 8
    for (int b = 0; b < R; ++b) {
        int64_t ob = o + b * w;
        if (ob >= m)
            ob -= m;
        if (ob + w <= m) {
            vstore(yc + ob, &v[b]);
        } else {
            double lanes[sizeof(V) / sizeof(double)];
            vstore(lanes, &v[b]);
            for (int64_t e = 0; e < w; ++e)
                yc[ob + e < m ? ob + e : ob + e - m] = lanes[e];
        }
    }
}

// A chain of tn <= T output blocks of R registers: block t holds the R * W samples of
// output column yc[t] from row o[t] on, and is block 0 moved t times by (S21, S11). Filter
// column k of block t therefore reads what filter column k - t of block 0 reads: the walk
// goes over the virtual filter columns u = -(tn-1) .. Q-1 of block 0, starting at the
// column offset cu and row ru of u's first tap, loads each tap's samples once, and adds
// them into every block t for which k = u + t is a filter column. Each block gets its
// taps in the scalar walk's order (k, then p, both upward), each product and sum rounded
// to double; the T * R sums are independent, so their adds overlap.
template <typename V, int T, int R>
MIXFILT_INLINE void latwalk_chain(const double* x, int32_t m, const double* h, int32_t p, int32_t q,
                                  ptrdiff_t cu, int32_t ru, int tn, const latwalk& wk,
                                  double* const* yc, const int32_t* o)
{
    V s[T][R] = {};
    ptrdiff_t c = cu;
    int32_t r = ru;
    for (int32_t u = 1 - tn; u < q; ++u) {
        const int tlo = u < 0 ? -u : 0;                 // the blocks for which u + t is in 0 .. Q-1
        const int thi = q - u < tn ? q - u : tn;
        ptrdiff_t cc = c;
        int32_t rr = r;
        for (int32_t l = 0; l < p; ++l) {
            V samples[R];
            latwalk_load<V, R>(x + cc, m, rr, samples);
#pragma GCC unroll 8
            for (int t = 0; t < T; ++t) {
                if (t < tlo || t >= thi)
                    continue;
                V tap;
                vsplat(&tap, h[static_cast<ptrdiff_t>(u + t) * p + l]);
#pragma GCC unroll 8
                for (int b = 0; b < R; ++b) {
                    V product = samples[b] * tap;
                    s[t][b] = s[t][b] + product;
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
    for (int t = 0; t < T; ++t)
        if (t < tn)
            latwalk_store<V, R>(yc[t], m, o[t], s[t]);
}

// Every output sample, in chains of up to T output columns: the columns fall into
// gcd(S11, N) cycles under adding S11, each cut into chains of T consecutive ones (with
// S11 = 0, N cycles of one column). In column t of a chain the output rows are those of
// column 0 moved down t * S21, so each column is covered once: blocks of R * W rows, then
// of W rows, then the last rows one at a time through sample(cs, rs), the module's scalar
// walk of the sample whose first tap reads row rs of the column at offset cs.
template <typename V, int T, int R, typename Sample>
MIXFILT_INLINE void latwalk_chains(const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                                   int32_t q, int32_t c0, int32_t r0, const latwalk& wk, Sample sample,
                                   double* y)
{
    const int64_t w = sizeof(V) / sizeof(double), rows = m;
    const int64_t s11 = wk.s11m / m, s21 = wk.s21;
    const int64_t cycles = std::gcd(s11, static_cast<int64_t>(n)), length = n / cycles;
    for (int64_t first = 0; first < cycles; ++first)
        for (int64_t a = 0; a < length; a += T) {
            const int tn = static_cast<int>(length - a < T ? length - a : T);
            double* yc[T];
            ptrdiff_t cs[T];                            // offset of the column of each column's first tap
            for (int t = 0; t < tn; ++t) {
                const int64_t j = (first + (a + t) * s11) % n;
                yc[t] = y + j * m;
                cs[t] = static_cast<ptrdiff_t>((c0 + j) % n) * m;
            }
            // The first tap of virtual filter column 1 - tn of block 0: tn - 1 moves back.
            const ptrdiff_t cu = static_cast<ptrdiff_t>((c0 + (first + (a + tn - 1) * s11)) % n) * m;
            int32_t o[T];
            int64_t i = 0;
            for (; i + R * w <= rows; i += R * w) {
                for (int t = 0; t < tn; ++t)
                    o[t] = static_cast<int32_t>((i + t * s21) % rows);
                const int32_t ru = static_cast<int32_t>((r0 + i + (tn - 1) * s21) % rows);
                latwalk_chain<V, T, R>(x, m, h, p, q, cu, ru, tn, wk, yc, o);
            }
            for (; i + w <= rows; i += w) {
                for (int t = 0; t < tn; ++t)
                    o[t] = static_cast<int32_t>((i + t * s21) % rows);
                const int32_t ru = static_cast<int32_t>((r0 + i + (tn - 1) * s21) % rows);
                latwalk_chain<V, T, 1>(x, m, h, p, q, cu, ru, tn, wk, yc, o);
            }
            for (; i < rows; ++i)
                for (int t = 0; t < tn; ++t) {
                    const int64_t row = (i + t * s21) % rows;
                    yc[t][row] = sample(cs[t], static_cast<int32_t>((r0 + row) % rows));
                }
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

// Chain lengths and block heights, chosen by measurement (512 x 512 image, 9 x 9 filter):
// the T * R sums, R sample registers and a tap fit the width's register file (32 at
// AVX-512, 16 below) with the samples kept in registers.
#if defined(MIXFILT_VECTOR)
template <typename Sample>
__attribute__((target("avx2"))) void latwalk_avx2(const double* x, int32_t m, int32_t n, const double* h,
                                                  int32_t p, int32_t q, int32_t c0, int32_t r0,
                                                  const latwalk& wk, Sample sample, double* y)
{
    latwalk_chains<vec4, 2, 4>(x, m, n, h, p, q, c0, r0, wk, sample, y);
}

template <typename Sample>
__attribute__((target("avx512f"))) void latwalk_avx512(const double* x, int32_t m, int32_t n,
                                                       const double* h, int32_t p, int32_t q, int32_t c0,
                                                       int32_t r0, const latwalk& wk, Sample sample,
                                                       double* y)
{
    latwalk_chains<vec8, 6, 4>(x, m, n, h, p, q, c0, r0, wk, sample, y);
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
        latwalk_chains<vec2, 6, 2>(x, m, n, h, p, q, c0, r0, wk, sample, y);
#else
    (void)x, (void)h, (void)p, (void)q;
#endif
}

#endif
