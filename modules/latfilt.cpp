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
    checkcount32(in.m, in.n, name, "X");
    checkcount32(in.p, in.q, name, "H");
    const int32_t m = static_cast<int32_t>(in.m), n = static_cast<int32_t>(in.n);
    const int32_t p = static_cast<int32_t>(in.p), q = static_cast<int32_t>(in.q);
    latfilt_plan plan;
    checklatstatus(latfilt_setup(in.lambda, p, q, &plan), name);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(m, n, mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    latfilt(in.x, m, n, in.h, p, q, &plan, y);
}
