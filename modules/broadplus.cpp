// broadplus: Y(r, c) = X(r, c) + V(c).
#include "gateway/inputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/broadplus.hpp"

static const char msg_nargin[] = "Two input arguments required.";
static const char msg_nargout[] = "Too many output arguments.";
static const char msg_x[] = "BROADPLUS requires that X be a double matrix.";
static const char msg_v[] = "BROADPLUS requires that V be a double vector.";
static const char msg_agree[] = "Error in BROADPLUS: dimensions of V and X must agree.";
static const char msg_sparse[] = "BROADPLUS requires full (not sparse) inputs.";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_X = 0, IN_V };
    enum { OUT_Y = 0 };

    // Check the arguments.
    if (nrhs != 2)
        mexErrMsgTxt(msg_nargin);
    if (nlhs > 1)
        mexErrMsgTxt(msg_nargout);
    const mxArray* x = prhs[IN_X];
    const mxArray* v = prhs[IN_V];
    size_t m, n;
    if (!isdoublematrix(x, &m, &n))
        mexErrMsgTxt(msg_x);
    size_t mv = mxGetM(v);
    size_t nv = mxGetN(v);
    if (!mxIsDouble(v) || mxIsComplex(v) || (mv != 1 && nv != 1))
        mexErrMsgTxt(msg_v);
    if ((mv == 1 && nv != n) || (nv == 1 && mv != n))
        mexErrMsgTxt(msg_agree);
    requirefull(x, msg_sparse);
    requirefull(v, msg_sparse);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(static_cast<hostsize>(m), static_cast<hostsize>(n), mxREAL);
    const double* xdata = mxGetPr(x);
    const double* vdata = mxGetPr(v);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    broadplus<hostsize>(xdata, static_cast<hostsize>(m), static_cast<hostsize>(n), vdata, y);
}
