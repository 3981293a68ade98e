// dilfilt: valid-region 2-D convolution with a filter dilated by an integer step.
#ifndef MIXFILT_KERNELS_DILFILT_HPP
#define MIXFILT_KERNELS_DILFILT_HPP

#include <cstdint>
#include "lattice.hpp"
#include "veclevel.hpp"

// The setup of one call: the steps and the output size, all in 64-bit arithmetic.
// S11 moves image columns and S22 image rows; the output has
//   My = M - P*S22 + 1 rows and Ny = N - Q*S11 + 1 columns, each raised to 0 when below,
// so that every read of the sum lies inside X whatever the two steps are.
struct dilfilt_plan {
    int32_t s11, s22;
    int64_t my, ny;
};

// lat_badstep for a NaN or out-of-range L11 or L22, lat_smallstep for a step below 1.
[[nodiscard]] latstatus dilfilt_setup(const double lambda[4], int64_t m, int64_t n,
                                      int64_t p, int64_t q, dilfilt_plan* plan);

// Y[i, j] = sum over q = Q-1 .. 0, p = P-1 .. 0 (q outer, p inner, both downward) of
//   H[p, q] * X[i + S22*(P - p) - 1, j + S11*(Q - q) - 1],
// one running sum from +0.0 per output sample, written once in storage order.
// Writes My*Ny of Y; reads X only inside its M*N block.
void dilfilt(const double* x, int64_t m, int64_t n, const double* h, int64_t p, int64_t q,
             const dilfilt_plan* plan, double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. dilfilt takes the best level.
void dilfilt_at(veclevel level, const double* x, int64_t m, int64_t n, const double* h, int64_t p,
                int64_t q, const dilfilt_plan* plan, double* y);

#endif
