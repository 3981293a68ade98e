// dilfilt: valid-region 2-D convolution with a filter dilated by an integer step.
#include "dilfilt.hpp"

#include "fparith.hpp"
#include "vecops.hpp"

// count - taps * step + 1, or 0 when the dilated extent taps * step exceeds count.
// The product is formed only once it is known to be at most count, so it cannot overflow.
static int64_t dilfilt_count(int64_t count, int64_t taps, int32_t step)
{
    if (taps > count / step)
        return 0;
    return count - taps * step + 1;
}

// Both entries are converted before either is judged; *plan is written only on success.
// Preconditions: m, n, p, q in 0 .. 2^62.
latstatus dilfilt_setup(const double lambda[4], int64_t m, int64_t n, int64_t p, int64_t q,
                        dilfilt_plan* plan)
{
    dilfilt_plan w;
    if (!latstep(lambda[0], &w.s11) || !latstep(lambda[3], &w.s22))
        return lat_badstep;
    if (w.s11 < 1 || w.s22 < 1)
        return lat_smallstep;
    w.my = dilfilt_count(m, p, w.s22);                  // S22 moves rows
    w.ny = dilfilt_count(n, q, w.s11);                  // S11 moves columns
    *plan = w;
    return lat_ok;
}

namespace {

// One output sample: the taps from H's last stored element back, the first reading X at xq.
inline double dilfilt_sample(const double* x, const double* h, int64_t p, int64_t q, int64_t xq,
                             int64_t rowstep, int64_t colstep)
{
    accum s = 0;
    for (int64_t k = q - 1; k >= 0; --k) {
        const double* hq = h + k * p;
        int64_t xp = xq;                                // offset of the tap (P-1, k) in X
        for (int64_t l = p - 1; l >= 0; --l) {
            s = madd(s, hq[l], x[xp]);
            xp += rowstep;                              // down S22 rows
        }
        xq += colstep;                                  // right S11 columns
    }
    return static_cast<double>(s);
}

// A chain of tn <= T output blocks of R registers, rows i0 .. i0 + R*W - 1 of the output
// columns j, j + S11, ..., j + (tn-1)*S11, the first tap of block 0 reading X at xq0.
// Filter column k of block t reads what filter column k - t of block 0 reads, so the walk
// goes over block 0's virtual filter columns Q-1 down to 1 - tn, loads each tap's samples
// once and adds them into every block t for which k = v + t is a filter column. Each block
// gets the taps of the scalar loop in its order (k, then p, both downward), each product
// and sum rounded to double; the T * R sums are independent, so their adds overlap.
template <typename V, int T, int R>
MIXFILT_INLINE void dilfilt_chain(const double* x, const double* h, int64_t p, int64_t q, int64_t xq0,
                                  int64_t rowstep, int64_t colstep, int tn, double* const* yo)
{
    const int64_t w = sizeof(V) / sizeof(double);
    V s[T][R] = {};
    int64_t xq = xq0;
    for (int64_t v = q - 1; v > -tn; --v) {
        int64_t xp = xq;
        for (int64_t l = p - 1; l >= 0; --l) {
            V samples[R];
#pragma GCC unroll 8
            for (int b = 0; b < R; ++b)
                vload(&samples[b], x + xp + b * w);
#pragma GCC unroll 8
            for (int t = 0; t < T; ++t) {
                const int64_t k = v + t;
                if (t >= tn || k < 0 || k >= q)
                    continue;
                V tap;
                vsplat(&tap, h[k * p + l]);
#pragma GCC unroll 8
                for (int b = 0; b < R; ++b) {
                    V product = tap * samples[b];
                    s[t][b] = s[t][b] + product;
                }
            }
            xp += rowstep;
        }
        xq += colstep;
    }
#pragma GCC unroll 8
    for (int t = 0; t < T; ++t)
        if (t < tn)
#pragma GCC unroll 8
            for (int b = 0; b < R; ++b)
                vstore(yo[t] + b * w, &s[t][b]);
}

// The output columns in chains of up to T, S11 apart: those of each residue modulo S11
// in order, cut into chains of T consecutive ones. In each chain, blocks of R * W rows,
// then of W rows, then the scalar loop for the last rows.
template <typename V, int T, int R>
MIXFILT_INLINE void dilfilt_chains(const double* x, int64_t m, const double* h, int64_t p, int64_t q,
                                   int64_t my, int64_t ny, int64_t first, int64_t rowstep,
                                   int64_t s11, double* y)
{
    const int64_t w = sizeof(V) / sizeof(double), colstep = s11 * m;
    for (int64_t c = 0; c < s11 && c < ny; ++c)
        for (int64_t j = c; j < ny; j += T * s11) {
            const int64_t left = (ny - 1 - j) / s11 + 1;    // columns of this residue from j on
            const int tn = static_cast<int>(left < T ? left : T);
            double* yo[T];
            for (int t = 0; t < tn; ++t)
                yo[t] = y + (j + t * s11) * my;
            const int64_t xq = first + j * m;           // block 0's first tap, row 0
            int64_t i = 0;
            for (; i + R * w <= my; i += R * w) {
                double* yi[T];
                for (int t = 0; t < tn; ++t)
                    yi[t] = yo[t] + i;
                dilfilt_chain<V, T, R>(x, h, p, q, xq + i, rowstep, colstep, tn, yi);
            }
            for (; i + w <= my; i += w) {
                double* yi[T];
                for (int t = 0; t < tn; ++t)
                    yi[t] = yo[t] + i;
                dilfilt_chain<V, T, 1>(x, h, p, q, xq + i, rowstep, colstep, tn, yi);
            }
            for (; i < my; ++i)
                for (int t = 0; t < tn; ++t)
                    yo[t][i] = dilfilt_sample(x, h, p, q, first + i + (j + t * s11) * m, rowstep, colstep);
        }
}

// Chain lengths and block heights as in the lattice filters' walk.
#if defined(MIXFILT_VECTOR)
__attribute__((target("avx2"))) void dilfilt_avx2(const double* x, int64_t m, const double* h, int64_t p,
                                                  int64_t q, int64_t my, int64_t ny, int64_t first,
                                                  int64_t rowstep, int64_t s11, double* y)
{
    dilfilt_chains<vec4, 2, 4>(x, m, h, p, q, my, ny, first, rowstep, s11, y);
}

__attribute__((target("avx512f"))) void dilfilt_avx512(const double* x, int64_t m, const double* h,
                                                       int64_t p, int64_t q, int64_t my, int64_t ny,
                                                       int64_t first, int64_t rowstep, int64_t s11,
                                                       double* y)
{
    dilfilt_chains<vec8, 6, 4>(x, m, h, p, q, my, ny, first, rowstep, s11, y);
}
#endif

}  // namespace

// Y[i, j] = sum over q = Q-1 .. 0, p = P-1 .. 0 of
//   H[p, q] * X[i + S22*(P - p) - 1, j + S11*(Q - q) - 1]
//
// Preconditions: plan from dilfilt_setup with these sizes; x holds M*N doubles, h P*Q,
// y My*Ny (any of them may be null when it holds nothing). Every read lies inside X:
// the last row read is (My - 1) + S22*P - 1 <= M - 1, and likewise for columns.
void dilfilt_at(veclevel level, const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                int64_t q, const dilfilt_plan* plan, double* y)
{
    (void)n;                                            // the column count enters through plan->ny
    const int64_t my = plan->my, ny = plan->ny;
    if (my == 0 || ny == 0)
        return;
    const int64_t rowstep = plan->s22;
    const int64_t colstep = static_cast<int64_t>(plan->s11) * m;
    // The first tap, H[P-1, Q-1], reads X[i + S22 - 1, j + S11 - 1].
    const int64_t first = (rowstep - 1) + (colstep - m);

    const unsigned short saved = extended_begin();
    if (level == vec_scalar) {
        double* yo = y;                                 // written once each, in storage order
        for (int64_t j = 0; j < ny; ++j)
            for (int64_t i = 0; i < my; ++i)
                *yo++ = dilfilt_sample(x, h, p, q, first + i + j * m, rowstep, colstep);
    }
#if defined(MIXFILT_VECTOR)
    else if (level == vec_avx512)
        dilfilt_avx512(x, m, h, p, q, my, ny, first, rowstep, plan->s11, y);
    else if (level == vec_avx2)
        dilfilt_avx2(x, m, h, p, q, my, ny, first, rowstep, plan->s11, y);
    else
        dilfilt_chains<vec2, 6, 2>(x, m, h, p, q, my, ny, first, rowstep, plan->s11, y);
#endif
    extended_end(saved);
}

void dilfilt(const double* x, int64_t m, int64_t n, const double* h, int64_t p, int64_t q,
             const dilfilt_plan* plan, double* y)
{
    dilfilt_at(veclevel_best(), x, m, n, h, p, q, plan, y);
}
