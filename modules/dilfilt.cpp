// dilfilt: the valid region of X convolved with H dilated by the step on L's diagonal.
#include "gateway/filterinputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/dilfilt.hpp"

static const char name[] = "DILFILT";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_X = 0, IN_H, IN_L };
    enum { OUT_Y = 0 };
    (void)nlhs;

    // Check that the inputs can be read.
    checkfilterinputs(nrhs, prhs, name);

    // Read the sizes and blocks; form the steps and the output size.
    int64_t m = static_cast<int64_t>(mxGetM(prhs[IN_X]));
    int64_t n = static_cast<int64_t>(mxGetN(prhs[IN_X]));
    int64_t p = static_cast<int64_t>(mxGetM(prhs[IN_H]));
    int64_t q = static_cast<int64_t>(mxGetN(prhs[IN_H]));
    const double* h = mxGetPr(prhs[IN_H]);
    const double* x = mxGetPr(prhs[IN_X]);
    const double* lambda = mxGetPr(prhs[IN_L]);
    dilfilt_plan plan;
    checklatstatus(dilfilt_setup(lambda, m, n, p, q, &plan), name);

    // Create the result: never below 0 rows or columns.
    plhs[OUT_Y] = mxCreateDoubleMatrix(static_cast<hostsize>(plan.my), static_cast<hostsize>(plan.ny), mxREAL);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    dilfilt(x, m, n, h, p, q, &plan, y);
}
