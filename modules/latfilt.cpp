// latfilt: Y = X filtered periodically with H upsampled by the sampling matrix L.
#include "gateway/filterinputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/latfilt.hpp"

static const char name[] = "LATFILT";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { OUT_Y = 0 };
    (void)nlhs;

    // Check and read the inputs; form the steps and the centring terms.
    filterblocks in;
    readfilterinputs(nrhs, prhs, name, &in);
    const filtercounts32 c = counts32(in, name);
    latfilt_plan plan;
    checklatstatus(latfilt_setup(in.lambda, c.p, c.q, &plan), name);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(c.m, c.n, mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    latfilt(in.x, c.m, c.n, in.h, c.p, c.q, &plan, y);
}
