// Test-side access to the stand-in host.
#include "hostcall.hpp"

#include <cstring>
#include <stdexcept>
#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

std::vector<mxArray*> g_made;

mxArray* keep(mxArray* a)
{
    g_made.push_back(a);
    return a;
}

}  // namespace

void* loadsymbol(const std::string& module, const char* symbol)
{
    std::string path = std::string(MIXFILT_MODULE_DIR) + "/" + module + MIXFILT_MODULE_EXT;
#if defined(_WIN32)
    std::string dos = "Z:" + path;
    for (char& c : dos)
        if (c == '/')
            c = '\\';
    HMODULE h = LoadLibraryA(dos.c_str());
    if (!h)
        throw std::runtime_error("cannot load " + dos);
    FARPROC f = GetProcAddress(h, symbol);
    void* p;
    std::memcpy(&p, &f, sizeof p);
    return p;
#else
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h)
        throw std::runtime_error(std::string("cannot load ") + dlerror());
    return dlsym(h, symbol);
#endif
}

mexentry loadentry(const std::string& module)
{
    void* f = loadsymbol(module, "mexFunction");
    if (!f)
        throw std::runtime_error("no mexFunction in " + module);
    mexentry entry;
    std::memcpy(&entry, &f, sizeof entry);
    return entry;
}

hostresult hostcall(mexentry entry, int nlhs, const std::vector<mxArray*>& inputs)
{
    hostresult r;
    std::vector<const mxArray*> in(inputs.begin(), inputs.end());
    r.out.assign(static_cast<size_t>(nlhs > 1 ? nlhs : 1), nullptr);
    r.failed = mexhost_call(entry, nlhs, static_cast<int>(in.size()), in.empty() ? nullptr : in.data(),
                            r.out.data()) != 0;
    r.message = mexhost_message();
    r.messages = mexhost_messages();
    r.faults = mxhost_faults();
    r.printed = mexhost_printed();
    for (int k = 0; k < mxhost_trace_count(); ++k)
        r.trace.push_back(mxhost_trace_entry(k));
    for (mxArray* a : r.out)
        if (a)
            keep(a);
    return r;
}

mxArray* darray(const std::vector<size_t>& dims, const std::vector<double>& values)
{
    mxArray* a = keep(mxhost_create(mxhost_double, 0, static_cast<int>(dims.size()), dims.data()));
    if (!values.empty())
        std::memcpy(mxhost_data(a), values.data(), values.size() * sizeof(double));
    return a;
}

mxArray* dmatrix(size_t m, size_t n, const std::vector<double>& values)
{
    return darray({m, n}, values);
}

mxArray* drow(const std::vector<double>& values) { return dmatrix(1, values.size(), values); }
mxArray* dcol(const std::vector<double>& values) { return dmatrix(values.size(), 1, values); }
mxArray* dscalar(double v) { return dmatrix(1, 1, {v}); }

mxArray* classarray(int classid, const std::vector<size_t>& dims)
{
    return keep(mxhost_create(classid, 0, static_cast<int>(dims.size()), dims.data()));
}

mxArray* complexmatrix(size_t m, size_t n, const std::vector<double>& values)
{
    size_t dims[2] = {m, n};
    mxArray* a = keep(mxhost_create(mxhost_double, 1, 2, dims));
    if (!values.empty())
        std::memcpy(mxhost_data(a), values.data(), values.size() * sizeof(double));
    return a;
}

mxArray* sparsematrix(size_t m, size_t n, const std::vector<triplet>& entries, int classid, bool complex)
{
    // Entries are given column by column, rows ascending within a column.
    std::vector<size_t> jc(n + 1, 0), ir;
    std::vector<double> pr;
    for (const triplet& t : entries)
        ++jc[t.col + 1];
    for (size_t c = 0; c < n; ++c)
        jc[c + 1] += jc[c];
    for (const triplet& t : entries) {
        ir.push_back(t.row);
        pr.push_back(t.value);
    }
    return keep(mxhost_create_sparse(classid, complex ? 1 : 0, m, n, jc.data(), ir.data(), pr.data()));
}

mxArray* named(mxArray* a, const char* name)
{
    mxhost_name(a, name);
    return a;
}

void releaseall()
{
    for (mxArray* a : g_made)
        mxhost_destroy(a);
    g_made.clear();
}

size_t rowsof(const mxArray* a) { return mxhost_dims(a)[0]; }

size_t colsof(const mxArray* a)
{
    size_t n = 1;
    for (size_t d = 1; d < mxhost_ndims(a); ++d)
        n *= mxhost_dims(a)[d];
    return n;
}

std::vector<double> valuesof(mxArray* a)
{
    const double* p = static_cast<const double*>(mxhost_data(a));
    return std::vector<double>(p, p + rowsof(a) * colsof(a));
}
