// latfiltS: periodic 2-D filtering with a filter upsampled by the diagonal of a sampling matrix.
#include "latfiltS.hpp"

#include <cstddef>
#include "fparith.hpp"
#include "latwalk.hpp"

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

namespace {

// One output sample whose first tap reads row rs of the column at offset cs.
inline double latfiltS_sample(const double* x, int32_t m, const double* h, int32_t p, int32_t q,
                              ptrdiff_t cs, int32_t rs, const latwalk& wk)
{
    accum s = 0;
    ptrdiff_t c = cs;
    const double* hq = h;
    for (int32_t k = 0; k < q; ++k, hq += p) {
        const double* xc = x + c;                       // the column stays put within a filter column
        int32_t rr = rs;
        int32_t l = 0;
        for (; p - l >= 4; l += 4) {                    // groups of four rows, added in order
            s = latfiltS_tap(s, xc, hq[l], &rr, m, wk.s22);
            s = latfiltS_tap(s, xc, hq[l + 1], &rr, m, wk.s22);
            s = latfiltS_tap(s, xc, hq[l + 2], &rr, m, wk.s22);
            s = latfiltS_tap(s, xc, hq[l + 3], &rr, m, wk.s22);
        }
        for (; l < p; ++l)
            s = latfiltS_tap(s, xc, hq[l], &rr, m, wk.s22);
        c -= wk.s11m;
        if (c < 0)
            c += wk.mn;
    }
    return static_cast<double>(s);
}

}  // namespace

// Y[i, j] = sum over q = 0 .. Q-1, p = 0 .. P-1 of
//   X[(r0 + i - S22*p) mod M, (c0 + j - S11*q) mod N] * H[p, q]
//
// Preconditions: m, n, p, q >= 0; x holds M*N doubles, h P*Q, y M*N (h may be null when
// P*Q is 0, x and y when M*N is 0); plan from latfiltS_setup with this P and Q.
//
// As in latfilt, both steps are reduced into 0 .. size - 1 once per call, so that one
// upward correction per move keeps the indices those of the formula for any steps.
void latfiltS_at(veclevel level, const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                 int32_t q, const latfiltS_plan* plan, double* y)
{
    if (m == 0 || n == 0)
        return;                                         // nothing to read or to write
    latwalk wk;                                         // the diagonal: no off-diagonal steps
    wk.mn = static_cast<ptrdiff_t>(m) * n;
    wk.s11m = static_cast<ptrdiff_t>(latreduce(plan->s11, n)) * m;
    wk.s12m = 0;
    wk.s21 = 0;
    wk.s22 = latreduce(plan->s22, m);
    int32_t c0, r0;
    latstart(plan->ucol, plan->urow, m, n, &c0, &r0);

    const unsigned short saved = extended_begin();
    latwalk_run(level, x, m, n, h, p, q, c0, r0, wk,
                [=](ptrdiff_t cs, int32_t rs) { return latfiltS_sample(x, m, h, p, q, cs, rs, wk); }, y);
    extended_end(saved);
}

void latfiltS(const double* x, int32_t m, int32_t n, const double* h, int32_t p, int32_t q,
              const latfiltS_plan* plan, double* y)
{
    latfiltS_at(veclevel_best(), x, m, n, h, p, q, plan, y);
}
