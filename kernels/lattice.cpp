// The sampling matrix of the periodic lattice filters: step conversion and the centring rule.
#include "lattice.hpp"

#include <cmath>

// Truncation of v toward zero fits int32 exactly when -2^31 - 1 < v < 2^31; both bounds
// are doubles, and NaN fails both comparisons. The conversion runs only after the test,
// so it is never undefined.
bool latstep(double v, int32_t* out)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    *out = static_cast<int32_t>(v);
    return true;
}

// Ucol = ((L11 - 1) * (Q - 1) + L12 * (P - 1) + Q) - 1
// Urow = (L21 * (Q - 1) + (L22 - 1) * (P - 1) + P) - 1
// in double precision, left to right, from the raw entries; then truncated.
// Writes nothing unless both terms fit.
latstatus latcentre(const double lambda[4], int32_t p, int32_t q, int32_t* ucol, int32_t* urow)
{
    const double l11 = lambda[0], l21 = lambda[1], l12 = lambda[2], l22 = lambda[3];
    const double pd = p, qd = q;                        // exact
#if defined(MIXFILT_FLAVOUR_FUSED)
    const double colsum = std::fma(l11 - 1.0, qd - 1.0, l12 * (pd - 1.0));
    const double rowsum = std::fma(l22 - 1.0, pd - 1.0, l21 * (qd - 1.0));
#else
    // Plain double in the extended build too: a wider centring sum can truncate
    // differently (L11 = 1.2 with six filter columns gives 6 here, 5 in extended).
    const double colsum = (l11 - 1.0) * (qd - 1.0) + l12 * (pd - 1.0);
    const double rowsum = l21 * (qd - 1.0) + (l22 - 1.0) * (pd - 1.0);
#endif
    int32_t c, r;
    if (!latstep((colsum + qd) - 1.0, &c) || !latstep((rowsum + pd) - 1.0, &r))
        return lat_badcentre;
    *ucol = c;
    *urow = r;
    return lat_ok;
}

// c0 = (Ucol / 2) mod N, r0 = (Urow / 2) mod M, the halving truncating toward zero.
void latstart(int32_t ucol, int32_t urow, int32_t m, int32_t n, int32_t* c0, int32_t* r0)
{
    *c0 = latreduce(ucol / 2, n);
    *r0 = latreduce(urow / 2, m);
}

int32_t latreduce(int32_t v, int32_t n)
{
    int32_t r = v % n;                                  // in -(n - 1) .. n - 1
    return r < 0 ? r + n : r;                           // r + n cannot overflow: r < 0
}
