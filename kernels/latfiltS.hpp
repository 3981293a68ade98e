// latfiltS: periodic 2-D filtering with a filter upsampled by the diagonal of a sampling matrix.
#ifndef MIXFILT_KERNELS_LATFILTS_HPP
#define MIXFILT_KERNELS_LATFILTS_HPP

#include <cstdint>
#include "lattice.hpp"
#include "veclevel.hpp"

// The setup of one call: the two diagonal steps and the two centring terms.
// L21 and L12 are never converted; they enter the centring terms only.
struct latfiltS_plan {
    int32_t s11, s22;
    int32_t ucol, urow;
};

[[nodiscard]] latstatus latfiltS_setup(const double lambda[4], int32_t p, int32_t q,
                                       latfiltS_plan* plan);

// Y[i, j] = sum over q = 0 .. Q-1, p = 0 .. P-1 (q outer, p inner, both upward) of
//   X[(r0 + i - S22*p) mod M, (c0 + j - S11*q) mod N] * H[p, q].
// Reads M*N of X and P*Q of H; writes M*N of Y; nothing is read when M or N is 0.
void latfiltS(const double* x, int32_t m, int32_t n, const double* h, int32_t p, int32_t q,
              const latfiltS_plan* plan, double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. latfiltS takes the best level.
void latfiltS_at(veclevel level, const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                 int32_t q, const latfiltS_plan* plan, double* y);

#endif
