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
    const filtercounts32 c = counts32(in, name);
    latfiltS_plan plan;
    checklatstatus(latfiltS_setup(in.lambda, c.p, c.q, &plan), name);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(c.m, c.n, mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);
#if defined(MIXFILT_BANNER)
    mexPrintf("mixfilt");                   // once a call: seven characters, no line end
#endif

    // Do the job.
    latfiltS(in.x, c.m, c.n, in.h, c.p, c.q, &plan, y);
}
