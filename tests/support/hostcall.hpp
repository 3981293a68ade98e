// Test-side access to the stand-in host: building inputs, loading a module, calling it.
#ifndef MIXFILT_TESTS_HOSTCALL_HPP
#define MIXFILT_TESTS_HOSTCALL_HPP

#include <string>
#include <vector>
#include "host/hostapi.h"
#include "tests/support/samebits.hpp"

// What one call left: the slots, the message, and what the host saw.
struct hostresult {
    bool failed = false;
    std::string message;
    int messages = 0;
    std::vector<mxArray*> out;          // exactly max(nlhs, 1) slots
    std::vector<std::string> trace;
    std::string faults;                 // "" when the host saw nothing wrong
    std::string printed;
};

// Bytes of an entry of the modules' index tables: the host's size type of this platform.
#if defined(MIXFILT_PLATFORM_I686)
const size_t tableentry = 4;
#else
const size_t tableentry = 8;
#endif

// The entry of a module of this tree's platform, loaded from its file.
mexentry loadentry(const std::string& module);
// Any exported symbol of such a module; null when it does not export one by that name.
void* loadsymbol(const std::string& module, const char* symbol);

// Calls the entry with nlhs requested outputs; the inputs keep the names given to them.
hostresult hostcall(mexentry entry, int nlhs, const std::vector<mxArray*>& inputs);

// Inputs. Values are given in storage (column-major) order. Every array made here or
// returned by a call is destroyed by releaseall().
mxArray* dmatrix(size_t m, size_t n, const std::vector<double>& values = {});
mxArray* drow(const std::vector<double>& values);
mxArray* dcol(const std::vector<double>& values);
mxArray* dscalar(double v);
mxArray* darray(const std::vector<size_t>& dims, const std::vector<double>& values = {});
mxArray* classarray(int classid, const std::vector<size_t>& dims);
mxArray* complexmatrix(size_t m, size_t n, const std::vector<double>& values = {});
struct triplet { size_t row, col; double value; };   // 0-based
mxArray* sparsematrix(size_t m, size_t n, const std::vector<triplet>& entries,
                      int classid = mxhost_double, bool complex = false);
mxArray* named(mxArray* a, const char* name);
void releaseall();

// Results.
size_t rowsof(const mxArray* a);
size_t colsof(const mxArray* a);
std::vector<double> valuesof(mxArray* a);

#endif
