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

// Output rows i0 .. i0 + K*W - 1 of output column j, W samples a register in K registers:
// every sample gets the taps of the scalar loop, in its order; the K sums are independent,
// so their adds overlap.
template <typename V, int K>
MIXFILT_INLINE void dilfilt_rows(const double* x, const double* h, int64_t p, int64_t q, int64_t xq0,
                                 int64_t rowstep, int64_t colstep, double* yo)
{
    const int64_t w = sizeof(V) / sizeof(double);
    V s[K] = {};
    int64_t xq = xq0;
    for (int64_t k = q - 1; k >= 0; --k) {
        const double* hq = h + k * p;
        int64_t xp = xq;
        for (int64_t l = p - 1; l >= 0; --l) {
            V tap;
            vsplat(&tap, hq[l]);
#pragma GCC unroll 8
            for (int b = 0; b < K; ++b) {
                V samples;
                vload(&samples, x + xp + b * w);
                V product = tap * samples;
                s[b] = s[b] + product;
            }
            xp += rowstep;
        }
        xq += colstep;
    }
#pragma GCC unroll 8
    for (int b = 0; b < K; ++b)
        vstore(yo + b * w, &s[b]);
}

// Registers a block of output rows takes: independent sums enough to cover the latency
// of an add on the processors these levels run on.
const int dilblock = 8;

// Blocks of dilblock * W output rows, then of W rows, then the scalar loop for the rest.
template <typename V>
MIXFILT_INLINE void dilfilt_columns(const double* x, int64_t m, const double* h, int64_t p, int64_t q,
                                    int64_t my, int64_t ny, int64_t first, int64_t rowstep,
                                    int64_t colstep, double* y)
{
    const int64_t w = sizeof(V) / sizeof(double);
    for (int64_t j = 0; j < ny; ++j) {
        int64_t i = 0;
        for (; i + dilblock * w <= my; i += dilblock * w)
            dilfilt_rows<V, dilblock>(x, h, p, q, first + i + j * m, rowstep, colstep, y + i + j * my);
        for (; i + w <= my; i += w)
            dilfilt_rows<V, 1>(x, h, p, q, first + i + j * m, rowstep, colstep, y + i + j * my);
        for (; i < my; ++i)
            y[i + j * my] = dilfilt_sample(x, h, p, q, first + i + j * m, rowstep, colstep);
    }
}

#if defined(MIXFILT_VECTOR)
__attribute__((target("avx2"))) void dilfilt_avx2(const double* x, int64_t m, const double* h, int64_t p,
                                                  int64_t q, int64_t my, int64_t ny, int64_t first,
                                                  int64_t rowstep, int64_t colstep, double* y)
{
    dilfilt_columns<vec4>(x, m, h, p, q, my, ny, first, rowstep, colstep, y);
}

__attribute__((target("avx512f"))) void dilfilt_avx512(const double* x, int64_t m, const double* h,
                                                       int64_t p, int64_t q, int64_t my, int64_t ny,
                                                       int64_t first, int64_t rowstep, int64_t colstep,
                                                       double* y)
{
    dilfilt_columns<vec8>(x, m, h, p, q, my, ny, first, rowstep, colstep, y);
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
        dilfilt_avx512(x, m, h, p, q, my, ny, first, rowstep, colstep, y);
    else if (level == vec_avx2)
        dilfilt_avx2(x, m, h, p, q, my, ny, first, rowstep, colstep, y);
    else
        dilfilt_columns<vec2>(x, m, h, p, q, my, ny, first, rowstep, colstep, y);
#endif
    extended_end(saved);
}

void dilfilt(const double* x, int64_t m, int64_t n, const double* h, int64_t p, int64_t q,
             const dilfilt_plan* plan, double* y)
{
    dilfilt_at(veclevel_best(), x, m, n, h, p, q, plan, y);
}
