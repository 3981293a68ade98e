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

#if defined(__x86_64__)
#include <immintrin.h>

// Stores that go to memory past the caches; p aligned to the register's size. A run of
// them ends with vstreamed() before the stored values are read by anyone. The wider forms
// carry their width's target and are not forced inline: the compiler inlines them once the
// kernel that calls them has been inlined into a function built for that width.
inline void vstream(double* p, const vec2* v)
{
    _mm_stream_pd(p, *v);
}

__attribute__((target("avx"))) inline void vstream(double* p, const vec4* v)
{
    _mm256_stream_pd(p, *v);
}

__attribute__((target("avx512f"))) inline void vstream(double* p, const vec8* v)
{
    _mm512_stream_pd(p, *v);
}

inline void vstreamed()
{
    _mm_sfence();
}
#endif

#endif
