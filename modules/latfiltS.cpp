// latfiltS: Y = X filtered periodically with H upsampled by the diagonal of L.
#include "gateway/filterinputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/latfiltS.hpp"

static const char name[] = "LATFILTS";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_X = 0, IN_H, IN_L };
    enum { OUT_Y = 0 };
    (void)nlhs;

    // Check that the inputs can be read.
    checkfilterinputs(nrhs, prhs, name);

    // Read the sizes and blocks; form the steps and the centring terms.
    size_t m = mxGetM(prhs[IN_X]);
    size_t n = mxGetN(prhs[IN_X]);
    size_t p = mxGetM(prhs[IN_H]);
    size_t q = mxGetN(prhs[IN_H]);
    const double* h = mxGetPr(prhs[IN_H]);
    const double* x = mxGetPr(prhs[IN_X]);
    const double* lambda = mxGetPr(prhs[IN_L]);
    checkcount32(m, n, name, "X");
    checkcount32(p, q, name, "H");
    latfiltS_plan plan;
    checklatstatus(latfiltS_setup(lambda, static_cast<int32_t>(p), static_cast<int32_t>(q), &plan), name);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(static_cast<hostsize>(m), static_cast<hostsize>(n), mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);
#if defined(MIXFILT_BANNER)
    mexPrintf("mixfilt");                   // once a call: seven characters, no line end
#endif

    // Do the job.
    latfiltS(x, static_cast<int32_t>(m), static_cast<int32_t>(n), h, static_cast<int32_t>(p),
             static_cast<int32_t>(q), &plan, y);
}
