// Fuzz target: one module's entry, driven through the stand-in host with inputs decoded
// from the fuzzer's bytes. Built once per module (MIXFILT_FUZZ_<MODULE>).
//
// Every call must end in one of two ways: a returned result, with no fault the host can
// see, in output slot 1 (and 2 for cscslice's two outputs) and equal bit for bit to a direct
// evaluation of the module's formula; or exactly one message, with everything the call
// made released by the host. The sanitizers catch any read or write outside an array.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>
#include "host/hostapi.h"
#include "kernels/fparith.hpp"
#include "tests/support/filters_reference.hpp"

extern "C" void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[]);

namespace {

struct bytes {
    const uint8_t* p;
    size_t n;
    uint8_t next() { return n ? (--n, *p++) : 0; }
};

const double specials[] = {
    0.0, -0.0, 1.0, 2.0, 3.0, 4.0, 0.9, 0.89, 2.9, 5.89, 5.9, -1.0, -0.5, 0.5, 0.99, 1.99,
    NAN, INFINITY, -INFINITY, 1e300, -1e300, 4.9e-324, 2.2250738585072014e-308, 2147483648.0,
    -2147483649.0, 9007199254740992.0, 1073741824.0, 1.5, 1.2, 7.0, 0.01, 1e-300,
};

double value(bytes& b)
{
    uint8_t k = b.next();
    if (k < 192)
        return specials[k % (sizeof specials / sizeof specials[0])];
    int16_t raw = static_cast<int16_t>(b.next() | (b.next() << 8));
    return raw / 64.0;
}

const int classes[] = {mxhost_double, mxhost_double, mxhost_double, mxhost_double, mxhost_double,
                       mxhost_single, mxhost_int8, mxhost_uint8, mxhost_int16, mxhost_uint16,
                       mxhost_int32, mxhost_uint32, mxhost_int64, mxhost_uint64, mxhost_logical,
                       mxhost_char, mxhost_cell};

std::vector<mxArray*> g_made;

mxArray* makearray(bytes& b)
{
    uint8_t shape = b.next();
    int classid = classes[shape % (sizeof classes / sizeof classes[0])];
    bool complex = (shape & 0x40) && classid != mxhost_logical && classid != mxhost_char && classid != mxhost_cell;
    bool sparse = (shape & 0x80) && (classid == mxhost_double || classid == mxhost_logical);
    int ndims = sparse ? 2 : 2 + b.next() % 3;
    std::vector<size_t> dims(static_cast<size_t>(ndims));
    size_t count = 1;
    for (size_t& d : dims) {
        uint8_t k = b.next();
        d = k < 200 ? k % 6 : k % 13;
        count *= d;
    }
    mxArray* a;
    if (sparse) {
        size_t m = dims[0], n = dims[1];
        std::vector<size_t> jc(n + 1, 0), ir;
        std::vector<double> pr;
        for (size_t c = 0; c < n; ++c) {
            uint8_t rows = b.next();
            for (size_t r = 0; r < m && r < 8; ++r)
                if (rows & (1u << r)) {
                    ir.push_back(r);
                    pr.push_back(value(b));
                }
            jc[c + 1] = ir.size();
        }
        a = mxhost_create_sparse(classid, complex, m, n, jc.data(), ir.empty() ? nullptr : ir.data(),
                                 pr.empty() ? nullptr : pr.data());
    } else {
        a = mxhost_create(classid, complex, ndims, dims.data());
        if (classid == mxhost_double)
            for (size_t k = 0; k < count; ++k)
                static_cast<double*>(mxhost_data(a))[k] = value(b);
    }
    g_made.push_back(a);
    return a;
}

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what);
    std::abort();
}

[[maybe_unused]] size_t rows(const mxArray* a) { return mxhost_dims(a)[0]; }
[[maybe_unused]] size_t cols(const mxArray* a)
{
    size_t n = 1;
    for (size_t d = 1; d < mxhost_ndims(a); ++d)
        n *= mxhost_dims(a)[d];
    return n;
}
[[maybe_unused]] const double* data(const mxArray* a) { return static_cast<const double*>(mxhost_data(const_cast<mxArray*>(a))); }

[[maybe_unused]] void expectsame(const double* got, const std::vector<double>& want)
{
    if (!samebits(got, want.data(), want.size()))
        fail("result differs from the direct evaluation");
}

// A direct evaluation of the successful call's result, where the inputs make one.
void checkresult(int nlhs, [[maybe_unused]] const std::vector<mxArray*>& in, mxArray** out)
{
    const mxArray* y = out[0];
    (void)nlhs;
#if defined(MIXFILT_FUZZ_TALLMIX)
    if (in.size() == 3) {
        const mxArray* a = in[0];
        size_t m = rows(a), l = rows(in[1]) * cols(in[1]);
        std::vector<double> want(m, 0.0);
        for (size_t i = 0; i < l; ++i) {
            size_t c = static_cast<size_t>(data(in[1])[i] + 0.1) - 1;
            for (size_t j = 0; j < m; ++j)
                want[j] = static_cast<double>(madd(want[j], data(a)[j + c * m], data(in[2])[i]));
        }
        if (rows(y) != m || cols(y) != 1)
            fail("result shape");
        expectsame(data(y), want);
    }
#elif defined(MIXFILT_FUZZ_WIDEMIX)
    if (in.size() == 3) {
        const mxArray* a = in[1];
        size_t m = rows(a), n = cols(a), r = rows(in[2]) * cols(in[2]);
        std::vector<double> want(n, 0.0);
        for (size_t j = 0; j < n; ++j)
            for (size_t k = 0; k < r; ++k) {
                size_t row = static_cast<size_t>(data(in[2])[k] + 0.1) - 1;
                want[j] = static_cast<double>(madd(want[j], data(a)[row + j * m], data(in[0])[k]));
            }
        if (rows(y) != 1 || cols(y) != n)
            fail("result shape");
        expectsame(data(y), want);
    }
#elif defined(MIXFILT_FUZZ_BROADPLUS)
    size_t m = rows(in[0]), n = cols(in[0]);
    std::vector<double> want(m * n);
    for (size_t c = 0; c < n; ++c)
        for (size_t r = 0; r < m; ++r)
            want[r + c * m] = data(in[0])[r + c * m] + data(in[1])[c];
    if (rows(y) != m || cols(y) != n)
        fail("result shape");
    expectsame(data(y), want);
#elif defined(MIXFILT_FUZZ_CSCSLICE)
    if (nlhs == 2 && (!out[1] || cols(out[1]) != cols(y)))
        fail("column numbers missing or of another length");
    if (nlhs < 2 && out[0] == nullptr)
        fail("values missing");
#elif defined(MIXFILT_FUZZ_LATFILT) || defined(MIXFILT_FUZZ_LATFILTS)
    size_t m = rows(in[0]), n = cols(in[0]), p = rows(in[1]), q = cols(in[1]);
    std::vector<double> want(m * n);
#if defined(MIXFILT_FUZZ_LATFILT)
    ref_latfilt(data(in[0]), m, n, data(in[1]), p, q, data(in[2]), want.data());
#else
    ref_latfiltS(data(in[0]), m, n, data(in[1]), p, q, data(in[2]), want.data());
#endif
    if (rows(y) != m || cols(y) != n)
        fail("result shape");
    expectsame(data(y), want);
#elif defined(MIXFILT_FUZZ_DILFILT)
    size_t m = rows(in[0]), n = cols(in[0]), p = rows(in[1]), q = cols(in[1]);
    const double* l = data(in[2]);
    int64_t s11 = static_cast<int64_t>(l[0]), s22 = static_cast<int64_t>(l[3]);
    int64_t my = ref_validcount(m, p, s22), ny = ref_validcount(n, q, s11);
    std::vector<double> want(static_cast<size_t>(my * ny));
    ref_dilfilt(data(in[0]), m, n, data(in[1]), p, q, s11, s22, want.data());
    if (static_cast<int64_t>(rows(y)) != my || static_cast<int64_t>(cols(y)) != ny)
        fail("result shape");
    expectsame(data(y), want);
#endif
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* p, size_t n)
{
    bytes b{p, n};
    uint8_t counts = b.next();
    int nrhs = counts % 6;
    int nlhs = (counts / 6) % 4;
    std::vector<mxArray*> in;
    for (int k = 0; k < nrhs; ++k)
        in.push_back(makearray(b));
    std::vector<const mxArray*> cin(in.begin(), in.end());
    mxArray* out[4] = {nullptr, nullptr, nullptr, nullptr};
    int failed = mexhost_call(mexFunction, nlhs, nrhs, cin.data(), out);
    if (*mxhost_faults())
        fail(mxhost_faults());
    if (failed) {
        if (mexhost_messages() != 1)
            fail("a failed call must report exactly one message");
        for (mxArray* o : out)
            if (o)
                fail("a failed call left an output");
    } else {
        if (!out[0])
            fail("output slot 1 empty after a successful call");
        checkresult(nlhs, in, out);
    }
    for (mxArray* o : out)
        if (o)
            mxhost_destroy(o);
    for (mxArray* a : g_made)
        mxhost_destroy(a);
    g_made.clear();
    if (mxhost_live_arrays() != 0)
        fail("arrays left alive");
    return 0;
}
