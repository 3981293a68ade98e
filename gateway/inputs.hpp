// Input checks that several entries share beyond their own ordered checks.
#ifndef MIXFILT_GATEWAY_INPUTS_HPP
#define MIXFILT_GATEWAY_INPUTS_HPP

#include "mexhost.hpp"

// The kernels read full column-major blocks, which sparse storage does not provide.
inline void requirefull(const mxArray* a, const char* message)
{
    if (mxIsSparse(a))
        mexErrMsgTxt(message);
}

// A real double array with one row or one column, judged by the host's counts alone:
// the counts are read first, then the type queries, stopping at the first that decides.
inline bool isdoublevector(const mxArray* v, size_t* m, size_t* n)
{
    *m = mxGetM(v);
    *n = mxGetN(v);
    return mxIsDouble(v) && !mxIsComplex(v) && (*m == 1 || *n == 1);
}

// The number of elements that a vector with these counts holds.
inline size_t vectorlength(size_t m, size_t n)
{
    return m * n;
}

#endif
