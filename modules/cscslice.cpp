// cscslice: the values that a sparse matrix stores in row J, and their column numbers.
#include "gateway/mexhost.hpp"
#include "gateway/mexutils.hpp"
#include "kernels/cscslice.hpp"

static const char msg_nargin[] = "GETCSCSLICE requires two input arguments.";
static const char msg_nargout[] = "Too many output arguments.";
static const char msg_negative[] = "Invalid row index.";
static const char msg_range[] = "Row index is out of range.";
static const char function[] = "GETCSCSLICE";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_A = 0, IN_J };
    enum { OUT_VALUES = 0, OUT_COLUMNS };

    // Check the arguments.
    if (nrhs != 2)
        mexErrMsgTxt(msg_nargin);
    if (nlhs > 2)
        mexErrMsgTxt(msg_nargout);
    const mxArray* a = prhs[IN_A];
    const mxArray* j = prhs[IN_J];
    checkmatrix(a, function, "A");
    checksparse(a, function, "A");
    checkscalar(j, function, "J");
    hostsize m = static_cast<hostsize>(mxGetM(a));
    hostsize n = static_cast<hostsize>(mxGetN(a));
    double x = mxGetScalar(j);
    hostindex r;
    rowstatus status = cscslice_row<hostindex>(x, m, &r);
    if (status == row_negative)
        mexErrMsgTxt(msg_negative);
    if (status == row_outofrange)
        mexErrMsgTxt(msg_range);

    // Count, then create both results at their final size.
    const double* pr = mxGetPr(a);
    const hostindex* ir = mxGetIr(a);
    const hostindex* jc = mxGetJc(a);
    hostindex k = cscslice_count<hostindex>(ir, jc[n], r);
    plhs[OUT_VALUES] = mxCreateDoubleMatrix(1, static_cast<hostsize>(k), mxREAL);
    // The host provides a second slot only when two results are asked for.
    bool columns = nlhs == 2;
    if (columns)
        plhs[OUT_COLUMNS] = mxCreateDoubleMatrix(1, static_cast<hostsize>(k), mxREAL);
    double* vals = mxGetPr(plhs[OUT_VALUES]);
    double* cols = columns ? mxGetPr(plhs[OUT_COLUMNS]) : nullptr;

    // Fill.
    cscslice_fill<hostindex>(n, jc, ir, pr, r, k, vals, cols);
}
