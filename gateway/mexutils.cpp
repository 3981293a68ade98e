// Argument checks. Each forms its message on every call, in a buffer of the call, with the
// function name cut to 15 characters and the argument name to 25, then makes its queries
// in a fixed order, stopping at the first that decides.
#include <cstdio>
#include "mexutils.hpp"

// The longest message (checkcell_1d's, with both names at their longest) takes 76 characters.
enum { messagesize = 100 };

void checkmatrix(const mxArray* a, const char* function, const char* argument)
{
    char message[messagesize];
    std::snprintf(message, sizeof message, "%.15s requires that %.25s be a double matrix.", function, argument);
    if (!mxIsDouble(a) || mxIsComplex(a) || mxGetNumberOfDimensions(a) > 2)
        mexErrMsgTxt(message);
}

#if !defined(MIXFILT_CHECKS_CALLED)
void checkvector(const mxArray* a, const char* function, const char* argument)
{
    char message[messagesize];
    std::snprintf(message, sizeof message, "%.15s requires that %.25s be a double vector.", function, argument);
    if (!mxIsDouble(a) || mxIsComplex(a) || mxGetNumberOfDimensions(a) > 2 || (mxGetM(a) != 1 && mxGetN(a) != 1))
        mexErrMsgTxt(message);
}
#endif

void checkscalar(const mxArray* a, const char* function, const char* argument)
{
    char message[messagesize];
    std::snprintf(message, sizeof message, "%.15s requires that %.25s be a double scalar.", function, argument);
    if (!mxIsDouble(a) || mxIsComplex(a) || mxGetNumberOfDimensions(a) > 2 || mxGetM(a) != 1 || mxGetN(a) != 1)
        mexErrMsgTxt(message);
}

void checksparse(const mxArray* a, const char* function, const char* argument)
{
    char message[messagesize];
    std::snprintf(message, sizeof message, "%.15s requires that %.25s be sparse.", function, argument);
    if (!mxIsSparse(a))
        mexErrMsgTxt(message);
}

#if !defined(MIXFILT_CHECKS_CALLED)
void checkcell_1d(const mxArray* a, const char* function, const char* argument)
{
    char message[messagesize];
    std::snprintf(message, sizeof message, "%.15s requires that %.25s be a 1-D cell array.", function, argument);
    if (!mxIsCell(a) || mxGetNumberOfDimensions(a) > 2 || (mxGetM(a) != 1 && mxGetN(a) != 1))
        mexErrMsgTxt(message);
}
#endif
