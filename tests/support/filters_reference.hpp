// Naive references for the lattice filters, written straight from their formulas, and test inputs.
//
// Every index is reduced with a full modulo in 64-bit arithmetic, the steps are used as
// converted and never reduced, and the taps are added in the order of each formula with the
// build's own multiply-add step, at the precision that the kernels set for it (a Windows
// thread would otherwise round extended sums to double). Slow on purpose: oracles, not kernels.
#ifndef MIXFILT_TESTS_FILTERS_REFERENCE_HPP
#define MIXFILT_TESTS_FILTERS_REFERENCE_HPP

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "kernels/fparith.hpp"
#include "tests/support/samebits.hpp"
#include "tests/support/x87.hpp"

inline int64_t ref_mod(int64_t a, int64_t n)
{
    return ((a % n) + n) % n;
}

// The centring terms, left to right in double, truncated; the fused build fuses the
// product (L11 - 1) * (Q - 1) onto L12 * (P - 1) and (L22 - 1) * (P - 1) onto L21 * (Q - 1).
// Valid only when both terms fit in int32.
inline void ref_centre(const double l[4], int64_t p, int64_t q, int64_t* ucol, int64_t* urow)
{
    const double pd = static_cast<double>(p), qd = static_cast<double>(q);
#if defined(MIXFILT_FLAVOUR_FUSED)
    *ucol = static_cast<int64_t>((std::fma(l[0] - 1, qd - 1, l[2] * (pd - 1)) + qd) - 1);
    *urow = static_cast<int64_t>((std::fma(l[3] - 1, pd - 1, l[1] * (qd - 1)) + pd) - 1);
#else
    *ucol = static_cast<int64_t>((((l[0] - 1) * (qd - 1) + l[2] * (pd - 1)) + qd) - 1);
    *urow = static_cast<int64_t>(((l[1] * (qd - 1) + (l[3] - 1) * (pd - 1)) + pd) - 1);
#endif
}

// Y[i, j] = sum over q, p upward of
//   X[(r0 + i - S21*q - S22*p) mod M, (c0 + j - S11*q - S12*p) mod N] * H[p, q].
// S = trunc(L); off-diagonal steps are ignored when diagonal_only (the diagonal filter).
inline void ref_periodic(const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                         int64_t q, const double l[4], bool diagonal_only, double* y)
{
    if (m == 0 || n == 0)
        return;
    const int64_t s11 = static_cast<int32_t>(l[0]), s22 = static_cast<int32_t>(l[3]);
    const int64_t s21 = diagonal_only ? 0 : static_cast<int32_t>(l[1]);
    const int64_t s12 = diagonal_only ? 0 : static_cast<int32_t>(l[2]);
    int64_t ucol, urow;
    ref_centre(l, p, q, &ucol, &urow);
    const int64_t c0 = ref_mod(ucol / 2, n), r0 = ref_mod(urow / 2, m);
    const unsigned short saved = extended_begin();
    for (int64_t j = 0; j < n; ++j)
        for (int64_t i = 0; i < m; ++i) {
            accum s = 0;
            for (int64_t b = 0; b < q; ++b)
                for (int64_t a = 0; a < p; ++a) {
                    const int64_t r = ref_mod(r0 + i - s21 * b - s22 * a, m);
                    const int64_t c = ref_mod(c0 + j - s11 * b - s12 * a, n);
                    s = madd(s, x[r + c * m], h[a + b * p]);
                }
            y[i + j * m] = static_cast<double>(s);
        }
    extended_end(saved);
}

inline void ref_latfilt(const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                        int64_t q, const double l[4], double* y)
{
    ref_periodic(x, m, n, h, p, q, l, false, y);
}

inline void ref_latfiltS(const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                         int64_t q, const double l[4], double* y)
{
    ref_periodic(x, m, n, h, p, q, l, true, y);
}

// The valid output size along one axis: count - taps * step + 1, at least 0 (small sizes).
inline int64_t ref_validcount(int64_t count, int64_t taps, int64_t step)
{
    const int64_t v = count - taps * step + 1;
    return v < 0 ? 0 : v;
}

// Y[i, j] = sum over q = Q-1 .. 0, p = P-1 .. 0 of
//   H[p, q] * X[i + S22*(P - p) - 1, j + S11*(Q - q) - 1], Y of My x Ny.
inline void ref_dilfilt(const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                        int64_t q, int64_t s11, int64_t s22, double* y)
{
    const int64_t my = ref_validcount(m, p, s22), ny = ref_validcount(n, q, s11);
    const unsigned short saved = extended_begin();
    for (int64_t j = 0; j < ny; ++j)
        for (int64_t i = 0; i < my; ++i) {
            accum s = 0;
            for (int64_t b = q - 1; b >= 0; --b)
                for (int64_t a = p - 1; a >= 0; --a)
                    s = madd(s, h[a + b * p], x[(i + s22 * (p - a) - 1) + (j + s11 * (q - b) - 1) * m]);
            y[i + j * my] = static_cast<double>(s);
        }
    extended_end(saved);
}

// Test inputs: uniform doubles in [-1, 1) with 32 random bits, so that products round and
// the order of the additions shows in the last bits.
inline double uniform_pm1(std::mt19937& g)
{
    return static_cast<double>(g()) / 2147483648.0 - 1.0;
}

inline std::vector<double> uniform_block(std::mt19937& g, int64_t count)
{
    std::vector<double> v(static_cast<size_t>(count));
    for (double& e : v)
        e = uniform_pm1(g);
    return v;
}

// An integer drawn from lo .. hi.
inline int64_t uniform_int(std::mt19937& g, int64_t lo, int64_t hi)
{
    return lo + static_cast<int64_t>(g() % static_cast<uint32_t>(hi - lo + 1));
}

// A block of `count` doubles with NaN guards on both sides: a read outside the block
// reaches a guard, and a NaN in the result gives it away.
struct guarded_block {
    std::vector<double> store;
    static constexpr int64_t guard = 64;
    double* data() { return store.data() + guard; }
};

inline guarded_block guarded_copy(const std::vector<double>& v)
{
    guarded_block b;
    b.store.assign(v.size() + 2 * guarded_block::guard, std::nan(""));
    if (!v.empty())
        std::memcpy(b.data(), v.data(), v.size() * sizeof(double));
    return b;
}

// A sum written out term by term, as a hand-worked case states it:
//   Y[i, j] = sum over the terms in order of X[(i + dr) mod M, (j + dc) mod N] * H[k],
// Y of My x Ny. For the valid filter the offsets stay inside X and the modulo does nothing.
struct tap_term {
    int64_t dr, dc, k;
};

inline void ref_terms(const double* x, int64_t m, int64_t n, const double* h,
                      const std::vector<tap_term>& terms, int64_t my, int64_t ny, double* y)
{
    const unsigned short saved = extended_begin();
    for (int64_t j = 0; j < ny; ++j)
        for (int64_t i = 0; i < my; ++i) {
            accum s = 0;
            for (const tap_term& t : terms)
                s = madd(s, x[ref_mod(i + t.dr, m) + ref_mod(j + t.dc, n) * m], h[t.k]);
            y[i + j * my] = static_cast<double>(s);
        }
    extended_end(saved);
}

// An integer, a fraction, a large or an exact-extent value for one entry of L; steps
// from it may leave the usual limits (0 .. extent on the diagonal, -extent .. extent off
// it) in either direction. Small enough that the centring terms of filters up to 10 x 10
// fit in int32.
inline double draw_lattice_entry(std::mt19937& g, int64_t extent)
{
    switch (g() % 8) {
    case 4:
        return static_cast<double>(uniform_int(g, 0, extent));
    case 5:
        return static_cast<double>(uniform_int(g, -extent - 1, extent + 1)) + 0.5 * uniform_pm1(g);
    case 6:
        return static_cast<double>((g() % 2 ? 1 : -1) * ((int64_t(1) << 25) + uniform_int(g, 0, 1 << 20)));
    case 7:
        return static_cast<double>(g() % 2 ? extent : -extent);
    default:
        return static_cast<double>(uniform_int(g, -2 * extent - 2, 2 * extent + 2));
    }
}

// Two column-major blocks of rows x cols, element by element; names the first difference.
inline ::testing::AssertionResult same_blocks(const double* got, const double* want,
                                              int64_t rows, int64_t cols)
{
    for (int64_t j = 0; j < cols; ++j)
        for (int64_t i = 0; i < rows; ++i) {
            const double a = got[i + j * rows], b = want[i + j * rows];
            if (!samebits(a, b))
                return ::testing::AssertionFailure()
                       << "Y[" << i << ", " << j << "] is " << std::hexfloat << a
                       << ", expected " << b;
        }
    return ::testing::AssertionSuccess();
}

// True when every guard of the block is still the NaN it was filled with.
inline bool guards_intact(const guarded_block& b)
{
    const size_t g = guarded_block::guard, size = b.store.size();
    for (size_t k = 0; k < g; ++k)
        if (!std::isnan(b.store[k]) || !std::isnan(b.store[size - 1 - k]))
            return false;
    return true;
}

// Rounding probes: two sums whose values tell the three flavours apart.
//   big:  ((+0 + 2^53) + 1) - 2^53, taps 2^53, 1, -2^53 on samples of 1
//   tiny: (+0 - 1) + (1 + 2^-30)(1 - 2^-30), the second product 1 - 2^-60 exactly
inline double probe_big_expected()
{
#if defined(MIXFILT_FLAVOUR_EXTENDED)
    return 1.0;             // 2^53 + 1 is held exactly
#else
    return 0.0;             // 2^53 + 1 rounds to 2^53
#endif
}

inline double probe_tiny_expected()
{
#if defined(MIXFILT_FLAVOUR_DOUBLE)
    return 0.0;             // the product rounds to 1
#else
    return -0x1p-60;        // the product is kept exactly
#endif
}

// Runs f with the x87 unit at the 53-bit precision of a Windows thread, in extended builds
// on x86, and tells whether f handed that control word back; elsewhere it just runs f.
template <class F>
bool run_at_host_precision(F f)
{
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    const unsigned short own = x87_getcw();
    x87_setcw(x87_windows_cw());
    f();
    const unsigned short after = x87_getcw();
    x87_setcw(own);
    return after == x87_windows_cw();
#else
    f();
    return true;
#endif
}

#endif
