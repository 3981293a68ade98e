/* The stand-in host as a test program sees it: making arrays, calling a module, and what
 * the host saw during the call. Test-only; the modules never include this. */
#ifndef MIXFILT_HOST_HOSTAPI_H
#define MIXFILT_HOST_HOSTAPI_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && defined(MIXFILT_BUILDING_HOST)
#define HOSTAPI __declspec(dllexport)
#elif defined(_WIN32)
#define HOSTAPI __declspec(dllimport)
#else
#define HOSTAPI __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct mxArray_tag mxArray;
typedef void (*mexentry)(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

/* Array classes the host tells apart. */
enum mxhost_class {
    mxhost_double = 1, mxhost_single, mxhost_int8, mxhost_uint8, mxhost_int16, mxhost_uint16,
    mxhost_int32, mxhost_uint32, mxhost_int64, mxhost_uint64, mxhost_logical, mxhost_char,
    mxhost_cell
};

/* ---- libmx: arrays ---- */

/* A full array of ndims >= 2 dimensions, every element zero; complex adds an imaginary block. */
HOSTAPI mxArray* mxhost_create(int classid, int complex, int ndims, const size_t* dims);
/* A sparse m x n array (double or logical) with the given compressed storage, copied. */
HOSTAPI mxArray* mxhost_create_sparse(int classid, int complex, size_t m, size_t n,
                                      const size_t* jc, const size_t* ir, const double* pr);
HOSTAPI void mxhost_destroy(mxArray* a);
/* The name that the call trace uses for the array. */
HOSTAPI void mxhost_name(mxArray* a, const char* name);
/* The real data block (elements of the array's class), the imaginary one or NULL. */
HOSTAPI void* mxhost_data(mxArray* a);
HOSTAPI void* mxhost_imag(mxArray* a);
HOSTAPI int mxhost_classid(const mxArray* a);
HOSTAPI size_t mxhost_ndims(const mxArray* a);
HOSTAPI const size_t* mxhost_dims(const mxArray* a);
HOSTAPI size_t mxhost_live_arrays(void);

/* ---- libmx: the record of the last call ---- */
HOSTAPI int mxhost_trace_count(void);
HOSTAPI const char* mxhost_trace_entry(int i);   /* "mxGetM A", "mxCreateDoubleMatrix 3 1", ... */
HOSTAPI const char* mxhost_faults(void);         /* host-side faults seen, "" when none */

/* ---- libmex: calling a module ---- */

/* Calls entry with nlhs requested outputs and exactly max(nlhs, 1) output slots. Returns 0
 * when the call returned (out[] receives the slots), 1 when it ended in mexErrMsgTxt (every
 * array the call created is destroyed, its blocks freed and out[] left NULL). */
HOSTAPI int mexhost_call(mexentry entry, int nlhs, int nrhs, const mxArray** prhs, mxArray** out);
HOSTAPI const char* mexhost_message(void);       /* the message of the last failed call */
HOSTAPI int mexhost_messages(void);              /* how many messages the last call reported */
HOSTAPI const char* mexhost_printed(void);       /* what the last call printed */

#ifdef __cplusplus
}
#endif

#endif
