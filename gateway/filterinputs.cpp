// The inputs of the filtering modules, and their messages.
#include <cstdint>
#include <cstdio>
#include "filterinputs.hpp"

enum { messagesize = 160 };

// Forms the message and ends the call (the host's error call does not return).
static void fail(const char* form, const char* name, const char* argument = "")
{
    char message[messagesize];
    std::snprintf(message, sizeof message, form, name, argument);
    mexErrMsgTxt(message);
}

void checkfilterinputs(int nrhs, const mxArray* prhs[], const char* name)
{
    if (nrhs < 3)
        fail("%s requires three inputs: X, H and L.", name);
    const char* arguments[2] = {"X", "H"};
    for (int k = 0; k < 2; ++k)
        if (!mxIsDouble(prhs[k]) || mxIsSparse(prhs[k]))
            fail("%s requires that %s be a full double matrix.", name, arguments[k]);
    const mxArray* l = prhs[2];
    if (!mxIsDouble(l) || mxIsSparse(l) || mxGetM(l) * mxGetN(l) < 4)
        fail("%s requires that L be a full double array of at least four elements.", name);
}

void readfilterinputs(int nrhs, const mxArray* prhs[], const char* name, filterblocks* in)
{
    enum { IN_X = 0, IN_H, IN_L };
    checkfilterinputs(nrhs, prhs, name);
    in->m = mxGetM(prhs[IN_X]);
    in->n = mxGetN(prhs[IN_X]);
    in->p = mxGetM(prhs[IN_H]);
    in->q = mxGetN(prhs[IN_H]);
    in->h = mxGetPr(prhs[IN_H]);
    in->x = mxGetPr(prhs[IN_X]);
    in->lambda = mxGetPr(prhs[IN_L]);
}

// Ends the call unless an m x n array has fewer than 2^31 elements, the most that a
// 32-bit count can address.
static void checkcount32(size_t m, size_t n, const char* name, const char* argument)
{
    if (n != 0 && m > static_cast<size_t>(INT32_MAX) / n)
        fail("%s requires that %s have fewer than 2^31 elements.", name, argument);
}

filtercounts32 counts32(const filterblocks& in, const char* name)
{
    checkcount32(in.m, in.n, name, "X");
    checkcount32(in.p, in.q, name, "H");
    filtercounts32 c;
    c.m = static_cast<int32_t>(in.m);
    c.n = static_cast<int32_t>(in.n);
    c.p = static_cast<int32_t>(in.p);
    c.q = static_cast<int32_t>(in.q);
    return c;
}

void checklatstatus(latstatus status, const char* name)
{
    const char* form = nullptr;
    switch (status) {
    case lat_ok:
        return;
    case lat_badstep:
        form = "%s requires that the steps in L be finite and within the 32-bit integer range.";
        break;
    case lat_badcentre:
        form = "%s cannot centre the filter: a centring term from L and the filter size is not finite "
               "or leaves the 32-bit integer range.";
        break;
    case lat_smallstep:
        form = "%s requires that the steps L(1,1) and L(2,2) be at least 1.";
        break;
    }
    fail(form, name);
}
