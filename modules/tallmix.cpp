// tallmix: Y = A(:, COLS) * X, or Y = A(ROWS, COLS) * X with four inputs.
#include "gateway/inputs.hpp"
#include "gateway/mexhost.hpp"
#include "kernels/tallmix.hpp"

static const char msg_nargin[] = "Invalid number of arguments.";
static const char msg_nargout[] = "Too many output arguments.";
static const char msg_a[] = "TALLMIX requires that A be a double matrix.";
static const char msg_rows[] = "TALLMIX requires that ROWS be an index vector of type double.";
static const char msg_cols[] = "TALLMIX requires that COLS be an index vector of type double.";
static const char msg_x[] = "TALLMIX requires that X be a double vector.";
static const char msg_length[] = "The length of X does not match the number of columns in COLS.";
static const char msg_sparse[] = "TALLMIX requires full (not sparse) inputs.";
static const char msg_badrow[] = "Row index in ROWS is out of range.";
static const char msg_badcol[] = "Column index in COLS is out of range.";

void mexFunction(int nlhs, mxArray* plhs[], int nrhs, const mxArray* prhs[])
{
    enum { IN_A = 0 };
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

    bool withrows = nrhs == 4;
    const mxArray* rows = withrows ? prhs[1] : nullptr;
    const mxArray* cols = prhs[withrows ? 2 : 1];
    const mxArray* x = prhs[withrows ? 3 : 2];
    size_t rm = 0, rn = 0, cm, cn, xm, xn;
    const double* rowsdata = nullptr;
    if (withrows) {
        if (!isdoublevector(rows, &rm, &rn))
            mexErrMsgTxt(msg_rows);
        rowsdata = mxGetPr(rows);
    }
    if (!isdoublevector(cols, &cm, &cn))
        mexErrMsgTxt(msg_cols);
    if (!isdoublevector(x, &xm, &xn))
        mexErrMsgTxt(msg_x);
    if (!coefficientsmatch(cm, cn, xm, xn))
        mexErrMsgTxt(msg_length);
    size_t l = vectorlength(cm, cn);
    size_t r = vectorlength(rm, rn);
    requirefull(a, msg_sparse);
    if (withrows)
        requirefull(rows, msg_sparse);
    requirefull(cols, msg_sparse);
    requirefull(x, msg_sparse);

    // Create the result.
    plhs[OUT_Y] = mxCreateDoubleMatrix(static_cast<hostsize>(withrows ? r : m), 1, mxREAL);
    const double* colsdata = mxGetPr(cols);
    const double* xdata = mxGetPr(x);
    const double* adata = mxGetPr(a);
    double* y = mxGetPr(plhs[OUT_Y]);

    // Do the job.
    mixstatus status;
    if (withrows) {
        hostsize* rowtable = static_cast<hostsize*>(mxMalloc(r * sizeof(hostsize)));
        status = tallmix_rowscols<hostsize>(adata, static_cast<hostsize>(m), static_cast<hostsize>(n),
                                            rowsdata, static_cast<hostsize>(r), rowtable, colsdata,
                                            static_cast<hostsize>(l), xdata, y);
        if (status == mix_ok)
            mxFree(rowtable);
    } else {
        status = tallmix_cols<hostsize>(adata, static_cast<hostsize>(m), static_cast<hostsize>(n),
                                        colsdata, static_cast<hostsize>(l), xdata, y);
    }
    if (status == mix_badrow)
        mexErrMsgTxt(msg_badrow);
    if (status == mix_badcol)
        mexErrMsgTxt(msg_badcol);
}
