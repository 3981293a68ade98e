// Vector levels: what the processor runs.
#include "veclevel.hpp"

bool veclevel_has(veclevel level)
{
#if defined(MIXFILT_VECTOR)
    switch (level) {
    case vec_scalar:
    case vec_sse2:
        return true;
    case vec_avx2:
        return __builtin_cpu_supports("avx2");
    case vec_avx512:
        return __builtin_cpu_supports("avx512f");
    }
    return false;
#else
    return level == vec_scalar;
#endif
}

veclevel veclevel_best()
{
    if (veclevel_has(vec_avx512))
        return vec_avx512;
    if (veclevel_has(vec_avx2))
        return vec_avx2;
    if (veclevel_has(vec_sse2))
        return vec_sse2;
    return vec_scalar;
}
