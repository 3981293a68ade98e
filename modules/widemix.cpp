// widemix: Y = X' * A(ROWS, :), or Y = X' * A(ROWS, COLS) with four inputs.
#include "gateway/inputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/widemix.hpp"

static const char msg_nargin[] = "Invalid number of input arguments.";
static const char msg_nargout[] = "Too many output arguments.";
static const char msg_a[] = "WIDEMIX requires that A be a double matrix.";
static const char msg_rows[] = "WIDEMIX requires that ROWS be an index vector of type double.";
static const char msg_x[] = "WIDEMIX requires that X be a double vector.";
static const char msg_length[] = "The length of X does not match the number of rows in ROWS.";
static const char msg_cols[] = "WIDEMIX requires that COLS be an index vector of type double.";
static const char msg_sparse[] = "WIDEMIX requires full (not sparse) inputs.";
static const char msg_badrow[] = "Row index in ROWS is out of range.";
static const char msg_badcol[] = "Column index in COLS is out of range.";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_X = 0, IN_A, IN_ROWS, IN_COLS };
    enum { OUT_Y = 0 };

    // Check the arguments.
    if (nrhs != 3 && nrhs != 4)
        mexErrMsgTxt(msg_nargin);
    if (nlhs > 1)
        mexErrMsgTxt(msg_nargout);
    const mxArray* a = prhs[IN_A];
    size_t m, n;
    if (!isdoublematrix(a, &m, &n))
        mexErrMsgTxt(msg_a);
    const mxArray* rows = prhs[IN_ROWS];
    const mxArray* x = prhs[IN_X];
    size_t rm, rn, xm, xn, cm = 0, cn = 0;
    if (!isdoublevector(rows, &rm, &rn))
        mexErrMsgTxt(msg_rows);
    if (!isdoublevector(x, &xm, &xn))
        mexErrMsgTxt(msg_x);
    if (!coefficientsmatch(rm, rn, xm, xn))
        mexErrMsgTxt(msg_length);
    size_t r = vectorlength(rm, rn);
    bool withcols = nrhs == 4;
    const mxArray* cols = withcols ? prhs[IN_COLS] : nullptr;
    const double* colsdata = nullptr;
    if (withcols) {
        if (!isdoublevector(cols, &cm, &cn))
            mexErrMsgTxt(msg_cols);
    }
    requirefull(x, msg_sparse);
    requirefull(a, msg_sparse);
    requirefull(rows, msg_sparse);
    if (withcols) {
        requirefull(cols, msg_sparse);
        colsdata = mxGetPr(cols);
    }
    size_t l = vectorlength(cm, cn);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(1, static_cast<hostsize>(withcols ? l : n), mxREAL);
    const double* adata = mxGetPr(a);
    const double* rowsdata = mxGetPr(rows);
    const double* xdata = mxGetPr(x);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job: every index converted and checked, rows first, before any arithmetic.
    hostsize* rowtable = static_cast<hostsize*>(mxMalloc(r * sizeof(hostsize)));
    if (!mixtable<hostsize>(rowsdata, static_cast<hostsize>(r), static_cast<hostsize>(m), rowtable))
        mexErrMsgTxt(msg_badrow);
    if (withcols) {
        hostsize* coltable = static_cast<hostsize*>(mxMalloc(l * sizeof(hostsize)));
        if (!mixtable<hostsize>(colsdata, static_cast<hostsize>(l), static_cast<hostsize>(n), coltable))
            mexErrMsgTxt(msg_badcol);
        widemix_rowscols<hostsize>(adata, static_cast<hostsize>(m), rowtable, static_cast<hostsize>(r),
                                   coltable, static_cast<hostsize>(l), xdata, y);
        mxFree(coltable);
    } else {
        widemix_rows<hostsize>(adata, static_cast<hostsize>(m), static_cast<hostsize>(n), rowtable,
                               static_cast<hostsize>(r), xdata, y);
    }
    mxFree(rowtable);
}
