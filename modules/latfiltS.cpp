// latfiltS: Y = X filtered periodically with H upsampled by the diagonal of L.
#include "gateway/filterinputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/latfiltS.hpp"

static const char name[] = "LATFILTS";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { OUT_Y = 0 };
    (void)nlhs;

    // Check and read the inputs; form the steps and the centring terms.
    filterblocks in;
    readfilterinputs(nrhs, prhs, name, &in);
    checkcount32(in.m, in.n, name, "X");
    checkcount32(in.p, in.q, name, "H");
    const int32_t m = static_cast<int32_t>(in.m), n = static_cast<int32_t>(in.n);
    const int32_t p = static_cast<int32_t>(in.p), q = static_cast<int32_t>(in.q);
    latfiltS_plan plan;
    checklatstatus(latfiltS_setup(in.lambda, p, q, &plan), name);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(m, n, mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);
#if defined(MIXFILT_BANNER)
    mexPrintf("mixfilt");                   // once a call: seven characters, no line end
#endif

    // Do the job.
    latfiltS(in.x, m, n, in.h, p, q, &plan, y);
}
