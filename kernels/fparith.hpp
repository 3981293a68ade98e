// The one multiply-add step whose rounding differs by build, and the x87 precision guard.
//
// Exactly one flavour is chosen per build, by the deliverables table:
//   MIXFILT_FLAVOUR_DOUBLE    every product and every sum rounded to double, never fused
//   MIXFILT_FLAVOUR_FUSED     one fused multiply-add per step (product unrounded)
//   MIXFILT_FLAVOUR_EXTENDED  products and running sums held in the x87 extended format
// Operations that must be plain double arithmetic in every build (index biases,
// centring terms) are written as double expressions and never go through here;
// the builds compile them with SSE2 or -ffp-contract=off so that they really are.
#ifndef MIXFILT_KERNELS_FPARITH_HPP
#define MIXFILT_KERNELS_FPARITH_HPP

#include <cmath>

#if defined(MIXFILT_FLAVOUR_FUSED) + defined(MIXFILT_FLAVOUR_EXTENDED) + defined(MIXFILT_FLAVOUR_DOUBLE) != 1
#error "define exactly one MIXFILT_FLAVOUR_*"
#endif

#if defined(MIXFILT_FLAVOUR_EXTENDED)
typedef long double accum;
#else
typedef double accum;
#endif

// s + a * b in the build's flavour.
inline accum madd(accum s, double a, double b)
{
#if defined(MIXFILT_FLAVOUR_FUSED)
    return std::fma(a, b, s);
#elif defined(MIXFILT_FLAVOUR_EXTENDED)
    return s + static_cast<long double>(a) * static_cast<long double>(b);
#else
    double product = a * b;             // rounded to double before the sum
    return s + product;
#endif
}

// Y(j) = a * b + Y(j) for one stored element: the step of the column combinations.
inline void maddstore(double* y, double a, double b)
{
    *y = static_cast<double>(madd(*y, a, b));
}

// a + b, formed in the build's accumulator and rounded once to double.
inline double addstore(double a, double b)
{
    return static_cast<double>(static_cast<accum>(a) + static_cast<accum>(b));
}

// A host may run the x87 unit at 53-bit precision (a Windows thread does), which would
// round every "extended" sum to double. The extended kernels set 64-bit precision on
// entry and hand the caller's control word back before they return. In the other
// flavours both calls do nothing.
#if defined(MIXFILT_FLAVOUR_EXTENDED) && (defined(__i386__) || defined(__x86_64__))
inline unsigned short extended_begin()
{
    unsigned short saved;
    __asm__ __volatile__("fnstcw %0" : "=m"(saved) : : "memory");
    unsigned short wanted = static_cast<unsigned short>(saved | 0x0300);   // precision control: 64 bits
    __asm__ __volatile__("fldcw %0" : : "m"(wanted) : "memory");
    return saved;
}
inline void extended_end(unsigned short saved)
{
    __asm__ __volatile__("fldcw %0" : : "m"(saved) : "memory");
}
#else
inline unsigned short extended_begin() { return 0; }
inline void extended_end(unsigned short) {}
#endif

#endif
