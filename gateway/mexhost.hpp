// The host operations that the modules call, mapped to each build's interface variant.
//
// One variant per build, chosen by the deliverables table:
//   MIXFILT_API_COMPAT    32-bit signed sizes, names ending in _700
//   MIXFILT_API_LARGE     64-bit unsigned sizes, names ending in _730
//   MIXFILT_API_PLAIN64   64-bit unsigned sizes, plain names (bound to the host's v7.3)
//   MIXFILT_API_PLAIN32   32-bit signed sizes, plain names
//   MIXFILT_API_OCTAVE    Octave's own MEX interface
// MIXFILT_CREATE730 makes a PLAIN64 build create its results by the name
// mxCreateDoubleMatrix_730. Modules spell only the plain names below.
#ifndef MIXFILT_GATEWAY_MEXHOST_HPP
#define MIXFILT_GATEWAY_MEXHOST_HPP

#include <cstddef>
#include <cstdint>

#if defined(MIXFILT_API_COMPAT) + defined(MIXFILT_API_LARGE) + defined(MIXFILT_API_PLAIN64) \
    + defined(MIXFILT_API_PLAIN32) + defined(MIXFILT_API_OCTAVE) != 1
#error "define exactly one MIXFILT_API_*"
#endif

#if defined(MIXFILT_API_OCTAVE)

#include <mex.h>
typedef mwSize hostsize;        // signed 64-bit in Octave
typedef mwIndex hostindex;

#else

#if defined(MIXFILT_API_COMPAT) || defined(MIXFILT_API_PLAIN32)
typedef int32_t hostsize;       // counts, sizes and sparse indices exchanged with the host
#else
typedef uint64_t hostsize;
#endif
typedef hostsize hostindex;

#if defined(MIXFILT_API_COMPAT)
#define mxCreateDoubleMatrix mxCreateDoubleMatrix_700
#define mxGetNumberOfDimensions mxGetNumberOfDimensions_700
#define mxGetIr mxGetIr_700
#define mxGetJc mxGetJc_700
#elif defined(MIXFILT_API_LARGE)
#define mxCreateDoubleMatrix mxCreateDoubleMatrix_730
#define mxGetNumberOfDimensions mxGetNumberOfDimensions_730
#define mxGetIr mxGetIr_730
#define mxGetJc mxGetJc_730
#elif defined(MIXFILT_API_PLAIN64) && defined(MIXFILT_CREATE730)
#define mxCreateDoubleMatrix mxCreateDoubleMatrix_730
#endif

extern "C" {

typedef struct mxArray_tag mxArray;

size_t mxGetM(const mxArray* a);
size_t mxGetN(const mxArray* a);
hostsize mxGetNumberOfDimensions(const mxArray* a);
bool mxIsDouble(const mxArray* a);
bool mxIsComplex(const mxArray* a);
bool mxIsSparse(const mxArray* a);
bool mxIsCell(const mxArray* a);
double* mxGetPr(const mxArray* a);
hostindex* mxGetIr(const mxArray* a);
hostindex* mxGetJc(const mxArray* a);
double mxGetScalar(const mxArray* a);
mxArray* mxCreateDoubleMatrix(hostsize m, hostsize n, int complexity);
void* mxMalloc(size_t bytes);
void mxFree(void* block);
[[noreturn]] void mexErrMsgTxt(const char* message);
int mexPrintf(const char* format, ...);

}  // extern "C"

enum { mxREAL = 0 };

#endif

// The entry that the host calls.
extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

#endif
