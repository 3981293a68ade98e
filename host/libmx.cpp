// Stand-in libmx: host arrays, queries, scratch memory, and a record of every operation.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include "mxarray.hpp"

namespace {

std::set<mxArray*> g_arrays;            // every live array
std::map<void*, size_t> g_blocks;       // live mxMalloc blocks of the current call, by size
std::vector<std::string> g_trace;
std::string g_faults;
bool g_incall = false;
int g_created = 0;                      // arrays created in the current call

size_t elementsize(int classid)
{
    switch (classid) {
    case mxhost_double: case mxhost_int64: case mxhost_uint64: return 8;
    case mxhost_single: case mxhost_int32: case mxhost_uint32: return 4;
    case mxhost_int16: case mxhost_uint16: case mxhost_char: return 2;
    case mxhost_cell: return sizeof(void*);
    default: return 1;
    }
}

size_t numel(const mxArray* a)
{
    size_t k = 1;
    for (size_t d : a->dims)
        k *= d;
    return k;
}

mxArray* newarray(int classid, bool complex, const size_t* dims, int ndims)
{
    mxArray* a = new mxArray_tag();
    a->classid = classid;
    a->complex = complex;
    a->sparse = false;
    a->dims.assign(dims, dims + ndims);
    while (a->dims.size() < 2)
        a->dims.push_back(1);
    while (a->dims.size() > 2 && a->dims.back() == 1)   // trailing singletons, as a real host drops them
        a->dims.pop_back();
    size_t bytes = numel(a) * elementsize(classid);
    a->pr = std::calloc(bytes ? bytes : 1, 1);
    a->pi = complex ? std::calloc(bytes ? bytes : 1, 1) : nullptr;
    a->incall = g_incall;
    if (g_incall) {
        ++g_created;
        a->name = "new" + std::to_string(g_created);
    }
    g_arrays.insert(a);
    return a;
}

void freearray(mxArray* a)
{
    g_arrays.erase(a);
    std::free(a->pr);
    std::free(a->pi);
    delete a;
}

const char* nameof(const mxArray* a)
{
    return a && !a->name.empty() ? a->name.c_str() : "?";
}

// A query on something that is no live array is the module's fault; record it, do not crash.
bool known(const mxArray* a, const char* op)
{
    if (g_arrays.count(const_cast<mxArray*>(a)))
        return true;
    mxhost_fault((std::string(op) + " of an unknown array").c_str());
    return false;
}

mxArray* createdouble(int64_t m, int64_t n, int complexity, const char* op)
{
    char text[96];
    std::snprintf(text, sizeof text, "mxCreateDoubleMatrix %lld %lld", (long long)m, (long long)n);
    mxhost_tracef(text);
    if (m < 0 || n < 0 || complexity != 0) {
        mxhost_fault((std::string(op) + " with a negative count or complex flag").c_str());
        m = m < 0 ? 0 : m;
        n = n < 0 ? 0 : n;
    }
    size_t dims[2] = {static_cast<size_t>(m), static_cast<size_t>(n)};
    return newarray(mxhost_double, false, dims, 2);
}

}  // namespace

extern "C" {

// ---- harness side ----

HOSTAPI mxArray* mxhost_create(int classid, int complex, int ndims, const size_t* dims)
{
    return newarray(classid, complex != 0, dims, ndims);
}

HOSTAPI mxArray* mxhost_create_sparse(int classid, int complex, size_t m, size_t n,
                                      const size_t* jc, const size_t* ir, const double* pr)
{
    size_t dims[2] = {m, n};
    size_t nnz = jc[n];
    mxArray* a = newarray(classid, complex != 0, dims, 2);
    std::free(a->pr);
    std::free(a->pi);
    size_t esize = elementsize(classid);
    a->pr = std::calloc(nnz ? nnz : 1, esize);
    a->pi = complex ? std::calloc(nnz ? nnz : 1, esize) : nullptr;
    for (size_t k = 0; k < nnz; ++k) {
        if (classid == mxhost_double)
            static_cast<double*>(a->pr)[k] = pr[k];
        else
            static_cast<unsigned char*>(a->pr)[k] = pr[k] != 0.0;
    }
    a->sparse = true;
    a->ir64.assign(ir, ir + nnz);
    a->jc64.assign(jc, jc + n + 1);
    a->ir32.assign(ir, ir + nnz);
    a->jc32.assign(jc, jc + n + 1);
    if (a->ir64.empty()) {          // a non-null address for an empty row-index array
        a->ir64.reserve(1);
        a->ir32.reserve(1);
    }
    return a;
}

HOSTAPI void mxhost_destroy(mxArray* a)
{
    if (a && g_arrays.count(a))
        freearray(a);
}

HOSTAPI void mxhost_name(mxArray* a, const char* name) { a->name = name; }
HOSTAPI void* mxhost_data(mxArray* a) { return a->pr; }
HOSTAPI void* mxhost_imag(mxArray* a) { return a->pi; }
HOSTAPI int mxhost_classid(const mxArray* a) { return a->classid; }
HOSTAPI size_t mxhost_ndims(const mxArray* a) { return a->dims.size(); }
HOSTAPI const size_t* mxhost_dims(const mxArray* a) { return a->dims.data(); }
HOSTAPI size_t mxhost_live_arrays(void) { return g_arrays.size(); }

HOSTAPI int mxhost_trace_count(void) { return static_cast<int>(g_trace.size()); }
HOSTAPI const char* mxhost_trace_entry(int i) { return g_trace.at(static_cast<size_t>(i)).c_str(); }
HOSTAPI const char* mxhost_faults(void) { return g_faults.c_str(); }

HOSTAPI void mxhost_fault(const char* what)
{
    if (!g_faults.empty())
        g_faults += "; ";
    g_faults += what;
}

HOSTAPI void mxhost_trace(const char* op, const mxArray* a)
{
    g_trace.push_back(std::string(op) + " " + nameof(a));
}

HOSTAPI void mxhost_tracef(const char* text) { g_trace.push_back(text); }

HOSTAPI uint64_t mxhost_checksum(const mxArray* a)
{
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](const void* p, size_t bytes) {
        for (size_t k = 0; k < bytes; ++k)
            h = (h ^ static_cast<const unsigned char*>(p)[k]) * 1099511628211ull;
    };
    size_t count = a->sparse ? a->jc64.back() : numel(a);
    size_t esize = elementsize(a->classid);
    mix(a->pr, count * esize);
    if (a->pi)
        mix(a->pi, count * esize);
    mix(a->ir64.data(), a->ir64.size() * 8);
    mix(a->jc64.data(), a->jc64.size() * 8);
    mix(a->ir32.data(), a->ir32.size() * 4);
    mix(a->jc32.data(), a->jc32.size() * 4);
    mix(a->dims.data(), a->dims.size() * sizeof(size_t));
    return h;
}

HOSTAPI void mxhost_begin_call(void)
{
    g_trace.clear();
    g_faults.clear();
    g_blocks.clear();
    g_created = 0;
    g_incall = true;
}

HOSTAPI void mxhost_end_call(int failed, mxArray** slots, int nslots)
{
    g_incall = false;
    std::set<mxArray*> placed;
    for (int k = 0; k < nslots; ++k) {
        if (!slots[k])
            continue;
        if (!g_arrays.count(slots[k]) || !slots[k]->incall) {
            mxhost_fault("an output slot holds no array of this call");
            slots[k] = nullptr;
            continue;
        }
        placed.insert(slots[k]);
    }
    std::vector<mxArray*> made;
    for (mxArray* a : g_arrays)
        if (a->incall)
            made.push_back(a);
    for (mxArray* a : made) {
        if (failed || !placed.count(a)) {
            if (!failed)
                mxhost_fault("an array created in the call was not returned");
            freearray(a);
        } else {
            a->incall = false;
        }
    }
    if (failed)
        for (int k = 0; k < nslots; ++k)
            slots[k] = nullptr;
    if (!failed && !g_blocks.empty())
        mxhost_fault("a scratch block was not freed");
    for (auto& block : g_blocks)
        std::free(block.first);
    g_blocks.clear();
}

// ---- module side: the operations, under every interface variant's names ----

HOSTAPI size_t mxGetM(const mxArray* a)
{
    mxhost_trace("mxGetM", a);
    return known(a, "mxGetM") ? a->dims[0] : 0;
}

HOSTAPI size_t mxGetN(const mxArray* a)
{
    mxhost_trace("mxGetN", a);
    if (!known(a, "mxGetN"))
        return 0;
    size_t n = 1;
    for (size_t d = 1; d < a->dims.size(); ++d)     // every dimension after the first
        n *= a->dims[d];
    return n;
}

static size_t ndims(const mxArray* a)
{
    mxhost_trace("mxGetNumberOfDimensions", a);
    return known(a, "mxGetNumberOfDimensions") ? a->dims.size() : 2;
}

HOSTAPI int32_t mxGetNumberOfDimensions_700(const mxArray* a) { return static_cast<int32_t>(ndims(a)); }
HOSTAPI uint64_t mxGetNumberOfDimensions_730(const mxArray* a) { return ndims(a); }

HOSTAPI bool mxIsDouble(const mxArray* a)
{
    mxhost_trace("mxIsDouble", a);
    return known(a, "mxIsDouble") && a->classid == mxhost_double;
}

HOSTAPI bool mxIsComplex(const mxArray* a)
{
    mxhost_trace("mxIsComplex", a);
    return known(a, "mxIsComplex") && a->complex;
}

HOSTAPI bool mxIsSparse(const mxArray* a)
{
    mxhost_trace("mxIsSparse", a);
    return known(a, "mxIsSparse") && a->sparse;
}

HOSTAPI bool mxIsCell(const mxArray* a)
{
    mxhost_trace("mxIsCell", a);
    return known(a, "mxIsCell") && a->classid == mxhost_cell;
}

HOSTAPI double* mxGetPr(const mxArray* a)
{
    mxhost_trace("mxGetPr", a);
    if (!known(a, "mxGetPr"))
        return nullptr;
    if (a->classid != mxhost_double)
        mxhost_fault("mxGetPr of an array that is not double");
    return static_cast<double*>(a->pr);
}

HOSTAPI double mxGetScalar(const mxArray* a)
{
    mxhost_trace("mxGetScalar", a);
    if (!known(a, "mxGetScalar") || a->classid != mxhost_double)
        return 0.0;
    if (a->sparse)
        return a->jc64.size() > 1 && a->jc64[1] > 0 ? static_cast<double*>(a->pr)[0] : 0.0;
    return numel(a) ? static_cast<double*>(a->pr)[0] : 0.0;
}

static bool sparseof(const mxArray* a, const char* op)
{
    mxhost_trace(op, a);
    if (!known(a, op))
        return false;
    if (!a->sparse)
        mxhost_fault((std::string(op) + " of a full array").c_str());
    return a->sparse;
}

HOSTAPI int32_t* mxGetIr_700(const mxArray* a)
{
    return sparseof(a, "mxGetIr") ? const_cast<int32_t*>(a->ir32.data()) : nullptr;
}
HOSTAPI uint64_t* mxGetIr_730(const mxArray* a)
{
    return sparseof(a, "mxGetIr") ? const_cast<uint64_t*>(a->ir64.data()) : nullptr;
}
HOSTAPI int32_t* mxGetJc_700(const mxArray* a)
{
    return sparseof(a, "mxGetJc") ? const_cast<int32_t*>(a->jc32.data()) : nullptr;
}
HOSTAPI uint64_t* mxGetJc_730(const mxArray* a)
{
    return sparseof(a, "mxGetJc") ? const_cast<uint64_t*>(a->jc64.data()) : nullptr;
}

HOSTAPI mxArray* mxCreateDoubleMatrix_700(int32_t m, int32_t n, int complexity)
{
    return createdouble(m, n, complexity, "mxCreateDoubleMatrix_700");
}

HOSTAPI mxArray* mxCreateDoubleMatrix_730(uint64_t m, uint64_t n, int complexity)
{
    int64_t sm = static_cast<int64_t>(m), sn = static_cast<int64_t>(n);  // a wrapped negative shows
    return createdouble(sm, sn, complexity, "mxCreateDoubleMatrix_730");
}

// The plain names: the large-array interface on 64-bit platforms, 32-bit sizes elsewhere.
#if UINTPTR_MAX > 0xffffffffu
HOSTAPI mxArray* mxCreateDoubleMatrix(uint64_t m, uint64_t n, int c) { return mxCreateDoubleMatrix_730(m, n, c); }
HOSTAPI uint64_t mxGetNumberOfDimensions(const mxArray* a) { return mxGetNumberOfDimensions_730(a); }
HOSTAPI uint64_t* mxGetIr(const mxArray* a) { return mxGetIr_730(a); }
HOSTAPI uint64_t* mxGetJc(const mxArray* a) { return mxGetJc_730(a); }
#else
HOSTAPI mxArray* mxCreateDoubleMatrix(int32_t m, int32_t n, int c) { return mxCreateDoubleMatrix_700(m, n, c); }
HOSTAPI int32_t mxGetNumberOfDimensions(const mxArray* a) { return mxGetNumberOfDimensions_700(a); }
HOSTAPI int32_t* mxGetIr(const mxArray* a) { return mxGetIr_700(a); }
HOSTAPI int32_t* mxGetJc(const mxArray* a) { return mxGetJc_700(a); }
#endif

HOSTAPI void* mxMalloc(size_t bytes)
{
    char text[64];
    std::snprintf(text, sizeof text, "mxMalloc %llu", (unsigned long long)bytes);
    mxhost_tracef(text);
    void* b = std::malloc(bytes ? bytes : 1);
    if (g_incall)
        g_blocks[b] = bytes;
    return b;
}

HOSTAPI void mxFree(void* b)
{
    auto live = g_blocks.find(b);
    if (live == g_blocks.end()) {
        mxhost_tracef("mxFree ?");
        if (b)
            mxhost_fault("mxFree of a block that is not live");
        return;
    }
    char text[64];
    std::snprintf(text, sizeof text, "mxFree %llu", (unsigned long long)live->second);
    mxhost_tracef(text);
    g_blocks.erase(live);
    std::free(b);
}

}  // extern "C"
