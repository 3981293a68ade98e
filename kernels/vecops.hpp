// Vector registers of doubles for the x86-64 kernels: unaligned loads and stores, and a
// register filled with one value. Multiplies and adds are the plain operators, each
// rounded to double (the builds never contract them into fused multiply-adds).
#ifndef MIXFILT_KERNELS_VECOPS_HPP
#define MIXFILT_KERNELS_VECOPS_HPP

#include <cstring>

typedef double vec2 __attribute__((vector_size(16)));
typedef double vec4 __attribute__((vector_size(32)));
typedef double vec8 __attribute__((vector_size(64)));

#define MIXFILT_INLINE inline __attribute__((always_inline))

// Vectors go in and out by address, so that no wide vector crosses a function boundary
// in a function built without that width.
template <typename V>
MIXFILT_INLINE void vload(V* v, const double* p)
{
    std::memcpy(v, p, sizeof *v);
}

template <typename V>
MIXFILT_INLINE void vstore(double* p, const V* v)
{
    std::memcpy(p, v, sizeof *v);
}

template <typename V>
MIXFILT_INLINE void vsplat(V* v, double x)
{
    for (unsigned w = 0; w < sizeof(V) / sizeof(double); ++w)
        (*v)[w] = x;
}

#endif
