// The stand-in host's array record and the per-call bookkeeping that libmx and libmex share.
#ifndef MIXFILT_HOST_MXARRAY_HPP
#define MIXFILT_HOST_MXARRAY_HPP

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#define MIXFILT_BUILDING_HOST 1
#include "hostapi.h"

struct mxArray_tag {
    int classid;
    bool complex;
    bool sparse;
    std::vector<size_t> dims;       // at least two
    void* pr;                       // calloc'd: new arrays read as zeros
    void* pi;
    // sparse storage, kept at both widths so that every interface variant reads it in place
    std::vector<uint64_t> ir64, jc64;
    std::vector<int32_t> ir32, jc32;
    std::string name;
    bool incall;                    // created during the current call
};

extern "C" {

// libmx's side of a call, driven by libmex's call wrapper.
HOSTAPI void mxhost_begin_call(void);
// Ends the call: after a failure every array the call created and every block it still
// holds are released and the slots cleared; after a return, arrays outside the slots and
// live blocks are released and recorded as faults. Reports the inputs it was given that
// changed as faults too.
HOSTAPI void mxhost_end_call(int failed, mxArray** slots, int nslots);
HOSTAPI void mxhost_fault(const char* what);
HOSTAPI void mxhost_trace(const char* op, const mxArray* a);
HOSTAPI void mxhost_tracef(const char* text);
HOSTAPI uint64_t mxhost_checksum(const mxArray* a);

}  // extern "C"

#endif
