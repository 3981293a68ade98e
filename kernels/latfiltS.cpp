// latfiltS: periodic 2-D filtering with a filter upsampled by the diagonal of a sampling matrix.
#include "latfiltS.hpp"

#include <cstddef>
#include "fparith.hpp"

// S11 and S22 become steps; L21 and L12 enter only the centring terms, which fail when
// they make a term NaN or too large. *plan is written only on success.
latstatus latfiltS_setup(const double lambda[4], int32_t p, int32_t q, latfiltS_plan* plan)
{
    latfiltS_plan w;
    if (!latstep(lambda[0], &w.s11) || !latstep(lambda[3], &w.s22))
        return lat_badstep;
    const latstatus status = latcentre(lambda, p, q, &w.ucol, &w.urow);
    if (status != lat_ok)
        return status;
    *plan = w;
    return lat_ok;
}

// One tap within a filter column: s + xc[rr] * h, then the row index moves on.
static inline accum latfiltS_tap(accum s, const double* xc, double h, int32_t* rr,
                                 int32_t m, int32_t s22)
{
    s = madd(s, xc[*rr], h);
    *rr -= s22;
    if (*rr < 0)
        *rr += m;
    return s;
}

// Y[i, j] = sum over q = 0 .. Q-1, p = 0 .. P-1 of
//   X[(r0 + i - S22*p) mod M, (c0 + j - S11*q) mod N] * H[p, q]
//
// Preconditions: m, n, p, q >= 0; x holds M*N doubles, h P*Q, y M*N (h may be null when
// P*Q is 0, x and y when M*N is 0); plan from latfiltS_setup with this P and Q.
//
// As in latfilt, both steps are reduced into 0 .. size - 1 once per call, so that one
// upward correction per move keeps the indices those of the formula for any steps.
void latfiltS(const double* x, int32_t m, int32_t n, const double* h, int32_t p, int32_t q,
              const latfiltS_plan* plan, double* y)
{
    if (m == 0 || n == 0)
        return;                                         // nothing to read or to write
    const ptrdiff_t mn = static_cast<ptrdiff_t>(m) * n;
    const ptrdiff_t s11m = static_cast<ptrdiff_t>(latreduce(plan->s11, n)) * m;
    const int32_t s22 = latreduce(plan->s22, m);
    int32_t c0, r0;
    latstart(plan->ucol, plan->urow, m, n, &c0, &r0);

    const unsigned short saved = extended_begin();
    double* yo = y;
    ptrdiff_t cs = static_cast<ptrdiff_t>(c0) * m;      // start column of output column j
    for (int32_t j = 0; j < n; ++j) {
        int32_t rs = r0;                                // start row of output row i
        for (int32_t i = 0; i < m; ++i) {
            accum s = 0;
            ptrdiff_t c = cs;
            const double* hq = h;
            for (int32_t k = 0; k < q; ++k, hq += p) {
                const double* xc = x + c;               // the column stays put within a filter column
                int32_t rr = rs;
                int32_t l = 0;
                for (; p - l >= 4; l += 4) {            // groups of four rows, added in order
                    s = latfiltS_tap(s, xc, hq[l], &rr, m, s22);
                    s = latfiltS_tap(s, xc, hq[l + 1], &rr, m, s22);
                    s = latfiltS_tap(s, xc, hq[l + 2], &rr, m, s22);
                    s = latfiltS_tap(s, xc, hq[l + 3], &rr, m, s22);
                }
                for (; l < p; ++l)
                    s = latfiltS_tap(s, xc, hq[l], &rr, m, s22);
                c -= s11m;
                if (c < 0)
                    c += mn;
            }
            *yo++ = static_cast<double>(s);
            if (++rs == m)
                rs = 0;
        }
        cs += m;
        if (cs == mn)
            cs = 0;
    }
    extended_end(saved);
}
