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

// The number of elements that a vector with these counts holds.
inline size_t vectorlength(size_t m, size_t n)
{
    return m * n;
}

#endif
