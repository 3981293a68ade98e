// Vector registers of doubles for the x86-64 kernels: unaligned loads and stores, and a
// register filled with one value. Multiplies and adds are the plain operators, each
// rounded to double (the builds never contract them into fused multiply-adds).
#ifndef MIXFILT_KERNELS_VECOPS_HPP
#define MIXFILT_KERNELS_VECOPS_HPP

#include <cstring>
#include <immintrin.h>             // the fence after streaming stores

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

// Stores that go to memory past the caches; p aligned to the register's size. A run of
// them ends with vstreamed() before the stored values are read by anyone. Written as the
// instruction itself, so that the kernels shared by all widths carry no target of their own;
// the wider forms are reached only from functions built for that width.
MIXFILT_INLINE void vstream(double* p, const vec2* v)
{
    __asm__("movntpd %1, %0" : "=m"(*reinterpret_cast<vec2*>(p)) : "x"(*v));
}

MIXFILT_INLINE void vstream(double* p, const vec4* v)
{
    __asm__("vmovntpd %1, %0" : "=m"(*reinterpret_cast<vec4*>(p)) : "x"(*v));
}

MIXFILT_INLINE void vstream(double* p, const vec8* v)
{
    __asm__("vmovntpd %1, %0" : "=m"(*reinterpret_cast<vec8*>(p)) : "v"(*v));
}

MIXFILT_INLINE void vstreamed()
{
    _mm_sfence();
}

#endif
