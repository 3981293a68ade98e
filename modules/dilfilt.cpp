// dilfilt: the valid region of X convolved with H dilated by the step on L's diagonal.
#include "gateway/filterinputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/dilfilt.hpp"

static const char name[] = "DILFILT";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { OUT_Y = 0 };
    (void)nlhs;

    // Check and read the inputs; form the steps and the output size.
    filterblocks in;
    readfilterinputs(nrhs, prhs, name, &in);
    const int64_t m = static_cast<int64_t>(in.m), n = static_cast<int64_t>(in.n);
    const int64_t p = static_cast<int64_t>(in.p), q = static_cast<int64_t>(in.q);
    dilfilt_plan plan;
    checklatstatus(dilfilt_setup(in.lambda, m, n, p, q, &plan), name);

    // Create the result: never below 0 rows or columns.
    plhs[OUT_Y] = mxCreateDoubleMatrix(static_cast<hostsize>(plan.my), static_cast<hostsize>(plan.ny), mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    dilfilt(in.x, m, n, in.h, p, q, &plan, y);
}
