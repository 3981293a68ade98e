// latfilt: periodic 2-D filtering with a filter upsampled by a general 2 x 2 sampling matrix.
#ifndef MIXFILT_KERNELS_LATFILT_HPP
#define MIXFILT_KERNELS_LATFILT_HPP

#include <cstdint>
#include "lattice.hpp"
#include "veclevel.hpp"

// The setup of one call: the four integer steps and the two centring terms.
struct latfilt_plan {
    int32_t s11, s21, s12, s22;
    int32_t ucol, urow;
};

// Converts all four entries of L and forms the centring terms for a P x Q filter.
[[nodiscard]] latstatus latfilt_setup(const double lambda[4], int32_t p, int32_t q,
                                      latfilt_plan* plan);

// Y[i, j] = sum over q = 0 .. Q-1, p = 0 .. P-1 (q outer, p inner, both upward) of
//   X[(r0 + i - S21*q - S22*p) mod M, (c0 + j - S11*q - S12*p) mod N] * H[p, q],
// one running sum from +0.0 per output sample, written once.
// Reads M*N of X and P*Q of H; writes M*N of Y. Any steps are accepted (reduced modulo
// the image size once per call). Nothing is read when M or N is 0.
void latfilt(const double* x, int32_t m, int32_t n, const double* h, int32_t p, int32_t q,
             const latfilt_plan* plan, double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. latfilt takes the best level.
void latfilt_at(veclevel level, const double* x, int32_t m, int32_t n, const double* h, int32_t p,
                int32_t q, const latfilt_plan* plan, double* y);

#endif
