// Vector levels of the kernels that round every operation to double on x86-64.
//
// A level changes how many output elements are formed at once, never the operations that
// form one element nor their order, so every level gives the bits of the scalar loop. The
// level is chosen from the processor's features alone. Builds of the other flavours (x87
// extended, fused) and other processors have the scalar level only.
#ifndef MIXFILT_KERNELS_VECLEVEL_HPP
#define MIXFILT_KERNELS_VECLEVEL_HPP

#if defined(__x86_64__) && defined(MIXFILT_FLAVOUR_DOUBLE)
#define MIXFILT_VECTOR 1
#endif

enum veclevel {
    vec_scalar = 0,     // one element at a time
    vec_sse2,           // two doubles a register
    vec_avx2,           // four
    vec_avx512          // eight
};

// The widest level that this processor runs (and this build has).
veclevel veclevel_best();

// Whether this processor runs the level.
bool veclevel_has(veclevel level);

#endif
