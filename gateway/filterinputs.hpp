// The inputs of the filtering modules: an image X, a filter H and a sampling matrix L,
// each read as a full block of real doubles, and the messages for what cannot be read.
#ifndef MIXFILT_GATEWAY_FILTERINPUTS_HPP
#define MIXFILT_GATEWAY_FILTERINPUTS_HPP

#include <cstddef>
#include <cstdint>
#include "kernels/lattice.hpp"
#include "mexhost.hpp"

// Ends the call unless there are at least three inputs, X and H are full double arrays
// and L is a full double array of at least four elements. name is the module's name in
// upper case, as its messages give it.
void checkfilterinputs(int nrhs, const mxArray* prhs[], const char* name);

// The inputs of a filtering call as sizes and blocks.
struct filterblocks {
    size_t m, n;            // X's rows and columns
    size_t p, q;            // H's rows and columns
    const double* x;
    const double* h;
    const double* lambda;   // L's first four stored elements
};

// Checks the inputs as checkfilterinputs does, then reads them in the host's order: the
// counts of X and of H, then the blocks of H, X and L.
void readfilterinputs(int nrhs, const mxArray* prhs[], const char* name, filterblocks* in);

// The counts of X and H as 32-bit counts, those of the periodic filters' kernels. Ends the
// call unless each has fewer than 2^31 elements, the most that a 32-bit count can address
// (X judged first).
struct filtercounts32 {
    int32_t m, n, p, q;
};
filtercounts32 counts32(const filterblocks& in, const char* name);

// Ends the call with the message for a failed setup of the sampling matrix; returns when
// status is lat_ok.
void checklatstatus(latstatus status, const char* name);

#endif
