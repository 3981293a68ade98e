// The sampling matrix of the periodic lattice filters: step conversion and the centring rule.
//
// L is read as its first four stored doubles, lambda[0..3] = L11, L21, L12, L22.
// Steps are L entries truncated toward zero to 32-bit signed integers; the centring
// terms are formed from the raw entries in double precision, left to right:
//   Ucol = ((L11 - 1) * (Q - 1) + L12 * (P - 1) + Q) - 1
//   Urow = (L21 * (Q - 1) + (L22 - 1) * (P - 1) + P) - 1
// (the fused build forms (L11 - 1) * (Q - 1) + L12 * (P - 1) and
//  (L22 - 1) * (P - 1) + L21 * (Q - 1) as one fused multiply-add each).
#ifndef MIXFILT_KERNELS_LATTICE_HPP
#define MIXFILT_KERNELS_LATTICE_HPP

#include <cstdint>

enum latstatus {
    lat_ok = 0,
    lat_badstep,        // an entry used as a step is NaN or its truncation leaves int32
    lat_badcentre,      // a centring term is NaN or its truncation leaves int32
    lat_smallstep       // a dilation step below 1 (dilfilt only)
};

// Truncates v toward zero into *out; false when v is NaN or the result leaves int32.
[[nodiscard]] bool latstep(double v, int32_t* out);

// The two centring terms for a P x Q filter; lat_badcentre when either does not fit.
[[nodiscard]] latstatus latcentre(const double lambda[4], int32_t p, int32_t q,
                                  int32_t* ucol, int32_t* urow);

// Start offsets: each centring term halved toward zero, then reduced into 0 .. n - 1
// (columns) and 0 .. m - 1 (rows). Requires m > 0 and n > 0.
void latstart(int32_t ucol, int32_t urow, int32_t m, int32_t n, int32_t* c0, int32_t* r0);

// v reduced into 0 .. n - 1 (n > 0): brings a step of any size within the limits for
// which the one-correction tap walk stays inside the image, without changing the
// indices that the walk produces modulo the image size.
int32_t latreduce(int32_t v, int32_t n);

#endif
