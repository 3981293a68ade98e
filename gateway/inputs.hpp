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

// A real double array of at most two dimensions: the counts are read first, then the type
// queries, stopping at the first that decides (the dimensions only of a real double).
inline bool isdoublematrix(const mxArray* a, size_t* m, size_t* n)
{
    *m = mxGetM(a);
    *n = mxGetN(a);
    return mxIsDouble(a) && !mxIsComplex(a) && mxGetNumberOfDimensions(a) <= 2;
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

// Whether a coefficient vector X of xm x xn goes with an index vector of im x in: the
// index vector's length (the larger count) is one of X's counts, or 1; and X holds a
// coefficient for every index, so that none is read past its end (an empty index vector
// selects nothing).
inline bool coefficientsmatch(size_t im, size_t in, size_t xm, size_t xn)
{
    size_t length = im > in ? im : in;
    if (length != xm && length != xn && length != 1)
        return false;
    return vectorlength(xm, xn) >= vectorlength(im, in);
}

#endif
