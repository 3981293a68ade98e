// latfilt: periodic 2-D filtering with a filter upsampled by a general 2 x 2 sampling matrix.
#include "latfilt.hpp"

#include <cstddef>
#include "fparith.hpp"
#include "latwalk.hpp"

// All four entries become steps, then the centring terms; *plan is written only on success.
latstatus latfilt_setup(const double lambda[4], int32_t p, int32_t q, latfilt_plan* plan)
{
    latfilt_plan w;
    if (!latstep(lambda[0], &w.s11) || !latstep(lambda[1], &w.s21) ||
        !latstep(lambda[2], &w.s12) || !latstep(lambda[3], &w.s22))
        return lat_badstep;
    const latstatus status = latcentre(lambda, p, q, &w.ucol, &w.urow);
    if (status != lat_ok)
        return status;
    *plan = w;
    return lat_ok;
}

// One tap: s + X[rr, column at co] * h, then the indices move on by one filter row.
// Columns are kept as offsets into X (co = column * M, mn = M * N).
static inline accum latfilt_tap(accum s, const double* x, double h, int32_t* rr, ptrdiff_t* co,
                                int32_t m, int32_t s22, ptrdiff_t mn, ptrdiff_t s12m)
{
    s = madd(s, x[*co + *rr], h);
    *co -= s12m;
    if (*co < 0)
        *co += mn;
    *rr -= s22;
    if (*rr < 0)
        *rr += m;
    return s;
}

// One output sample whose first tap reads row rs of the column at offset cs.
static double latfilt_sample(const double* x, int32_t m, const double* h, int32_t p, int32_t q,
                             ptrdiff_t cs, int32_t rs, const latwalk& wk)
{
    accum s = 0;
    ptrdiff_t c = cs;
    int32_t r = rs;
    const double* hq = h;
    for (int32_t k = 0; k < q; ++k, hq += p) {
        ptrdiff_t cc = c;                               // the filter column starts at (c, r)
        int32_t rr = r;
        int32_t l = 0;
        for (; p - l >= 4; l += 4) {                    // groups of four rows, added in order
            s = latfilt_tap(s, x, hq[l], &rr, &cc, m, wk.s22, wk.mn, wk.s12m);
            s = latfilt_tap(s, x, hq[l + 1], &rr, &cc, m, wk.s22, wk.mn, wk.s12m);
            s = latfilt_tap(s, x, hq[l + 2], &rr, &cc, m, wk.s22, wk.mn, wk.s12m);
            s = latfilt_tap(s, x, hq[l + 3], &rr, &cc, m, wk.s22, wk.mn, wk.s12m);
        }
        for (; l < p; ++l)
            s = latfilt_tap(s, x, hq[l], &rr, &cc, m, wk.s22, wk.mn, wk.s12m);
        c -= wk.s11m;                                   // next filter column from the moved (c, r)
        if (c < 0)
            c += wk.mn;
        r -= wk.s21;
        if (r < 0)
            r += m;
    }
    return static_cast<double>(s);
}


// Y[i, j] = sum over q = 0 .. Q-1, p = 0 .. P-1 of
//   X[(r0 + i - S21*q - S22*p) mod M, (c0 + j - S11*q - S12*p) mod N] * H[p, q]
//
// Preconditions: m, n, p, q >= 0; x holds M*N doubles, h P*Q, y M*N (h may be null when
// P*Q is 0, x and y when M*N is 0); plan from latfilt_setup with this P and Q.
//
// Every step is reduced into 0 .. size - 1 once, so that each move subtracts at most
// size - 1 from an index in range and a single upward correction brings it back: the
// indices are those of the formula for any steps, including negative ones and ones
// larger than the image. Within the usual limits this is the same walk.
void latfilt_at(veclevel level, const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                int32_t q, const latfilt_plan* plan, double* y)
{
    if (m == 0 || n == 0)
        return;                                         // nothing to read or to write
    latwalk wk;
    wk.mn = static_cast<ptrdiff_t>(m) * n;
    wk.s11m = static_cast<ptrdiff_t>(latreduce(plan->s11, n)) * m;
    wk.s12m = static_cast<ptrdiff_t>(latreduce(plan->s12, n)) * m;
    wk.s21 = latreduce(plan->s21, m);
    wk.s22 = latreduce(plan->s22, m);
    int32_t c0, r0;
    latstart(plan->ucol, plan->urow, m, n, &c0, &r0);

    const unsigned short saved = extended_begin();
    latwalk_run(level, x, m, n, h, p, q, c0, r0, wk,
                [=](ptrdiff_t cs, int32_t rs) { return latfilt_sample(x, m, h, p, q, cs, rs, wk); }, y);
    extended_end(saved);
}

void latfilt(const double* x, int32_t m, int32_t n, const double* h, int32_t p, int32_t q,
             const latfilt_plan* plan, double* y)
{
    latfilt_at(veclevel_best(), x, m, n, h, p, q, plan, y);
}
