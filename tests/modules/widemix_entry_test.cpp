// widemix through the stand-in host: argument checks in order, messages, results, host calls.
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include "tests/support/hostcall.hpp"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

class WidemixEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("widemix");

    // A 5 x 3 matrix whose element (r, c) is 10 * (r + 1) + (c + 1).
    mxArray* a53()
    {
        std::vector<double> v;
        for (int c = 0; c < 3; ++c)
            for (int r = 0; r < 5; ++r)
                v.push_back(10.0 * (r + 1) + (c + 1));
        return dmatrix(5, 3, v);
    }
};

struct errorcase {
    const char* label;
    int nlhs;
    std::function<std::vector<mxArray*>(mxArray* a)> inputs;   // X, A, ROWS [, COLS]
    const char* message;
};

TEST_F(WidemixEntry, EachMisuseGetsItsMessageInCheckOrder)
{
    const char* nargin = "Invalid number of input arguments.";
    const char* nargout = "Too many output arguments.";
    const char* badA = "WIDEMIX requires that A be a double matrix.";
    const char* badrows = "WIDEMIX requires that ROWS be an index vector of type double.";
    const char* badx = "WIDEMIX requires that X be a double vector.";
    const char* length = "The length of X does not match the number of rows in ROWS.";
    const char* badcols = "WIDEMIX requires that COLS be an index vector of type double.";
    const char* rowrange = "Row index in ROWS is out of range.";
    const char* colrange = "Column index in COLS is out of range.";
    const char* sparse = "WIDEMIX requires full (not sparse) inputs.";
    using v = std::vector<mxArray*>;
    const errorcase cases[] = {
        {"two inputs", 1, [](mxArray* a) { return v{drow({1}), a}; }, nargin},
        {"five inputs, two outputs", 2, [](mxArray* a) { return v{drow({1}), a, drow({1}), drow({1}), drow({1})}; }, nargin},
        {"two outputs", 2, [](mxArray* a) { return v{drow({1}), a, drow({1})}; }, nargout},
        {"int8 A", 1, [](mxArray*) { return v{drow({1}), classarray(mxhost_int8, {5, 3}), drow({1})}; }, badA},
        {"complex A", 1, [](mxArray*) { return v{drow({1}), complexmatrix(5, 3), drow({1})}; }, badA},
        {"3-D A", 1, [](mxArray*) { return v{drow({1}), darray({5, 3, 2}), drow({1})}; }, badA},
        {"bad A before bad ROWS", 1, [](mxArray*) { return v{drow({1}), complexmatrix(5, 3), dmatrix(2, 2)}; }, badA},
        {"ROWS a matrix before a bad X", 1, [](mxArray* a) { return v{dmatrix(2, 2), a, dmatrix(2, 2)}; }, badrows},
        {"ROWS char", 1, [](mxArray* a) { return v{drow({1}), a, classarray(mxhost_char, {1, 1})}; }, badrows},
        {"X a matrix", 1, [](mxArray* a) { return v{dmatrix(2, 2), a, drow({1, 2})}; }, badx},
        {"X single", 1, [](mxArray* a) { return v{classarray(mxhost_single, {1, 2}), a, drow({1, 2})}; }, badx},
        {"X too short", 1, [](mxArray* a) { return v{drow({1, 2}), a, drow({1, 2, 3})}; }, length},
        {"X too long", 1, [](mxArray* a) { return v{dcol({1, 2, 3}), a, drow({1, 2})}; }, length},
        {"X empty against one row", 1, [](mxArray* a) { return v{dmatrix(0, 1), a, drow({1})}; }, length},
        {"X too short and COLS a matrix", 1, [](mxArray* a) { return v{drow({1}), a, drow({1, 2}), dmatrix(2, 2)}; }, length},
        {"COLS a matrix", 1, [](mxArray* a) { return v{drow({1}), a, drow({1}), dmatrix(2, 2)}; }, badcols},
        {"COLS complex", 1, [](mxArray* a) { return v{drow({1}), a, drow({1}), complexmatrix(1, 1)}; }, badcols},
        {"bad ROWS and bad COLS elements", 1, [](mxArray* a) { return v{drow({1, 1}), a, drow({1, 6}), drow({0})}; }, rowrange},
        {"COLS element 4", 1, [](mxArray* a) { return v{drow({1}), a, drow({1}), drow({1, 4})}; }, colrange},
        {"sparse X", 1, [](mxArray* a) { return v{sparsematrix(1, 1, {{0, 0, 1.0}}), a, drow({1})}; }, sparse},
        {"sparse A", 1, [](mxArray*) { return v{drow({1}), sparsematrix(5, 3, {}), drow({1})}; }, sparse},
    };
    for (const errorcase& c : cases) {
        hostresult r = hostcall(entry, c.nlhs, c.inputs(a53()));
        EXPECT_TRUE(r.failed) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
        EXPECT_EQ(r.messages, 1) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;
        EXPECT_EQ(r.out[0], nullptr) << c.label;
        releaseall();
    }
}

TEST_F(WidemixEntry, IndexRoundingSelectsOrRejects)
{
    // With M = 5: k - 0.1 up to, not including, k + 0.9 selects row k.
    struct { double v; int row; } cases[] = {
        {0.9, 1}, {0.89, 0}, {2.89, 2}, {2.9, 3}, {2.95, 3}, {5.89, 5}, {5.9, 0},
        {0.0, 0}, {-1.0, 0}, {-0.5, 0}, {nan, 0}, {inf, 0}, {-inf, 0}, {1e300, 0},
    };
    for (const auto& c : cases) {
        hostresult r = hostcall(entry, 1, {drow({1}), a53(), drow({c.v})});
        if (c.row == 0) {
            EXPECT_EQ(r.message, "Row index in ROWS is out of range.") << c.v;
        } else {
            ASSERT_FALSE(r.failed) << c.v << ": " << r.message;
            EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{10.0 * c.row + 1, 10.0 * c.row + 2, 10.0 * c.row + 3}))
                << c.v;
        }
        releaseall();
    }
    // The same rule for COLS, against N = 3.
    hostresult cols = hostcall(entry, 1, {drow({1}), a53(), drow({2}), drow({0.9, 3.89, 2.9})});
    ASSERT_FALSE(cols.failed) << cols.message;
    EXPECT_EQ(valuesof(cols.out[0]), (std::vector<double>{21, 23, 23}));
    hostresult bad = hostcall(entry, 1, {drow({1}), a53(), drow({2}), drow({3.9})});
    EXPECT_EQ(bad.message, "Column index in COLS is out of range.");
}

TEST_F(WidemixEntry, ResultsForBothCallForms)
{
    mxArray* a = a53();
    for (bool rowsrow : {true, false})
        for (bool xrow : {true, false}) {
            hostresult r = hostcall(entry, 1, {xrow ? drow({1, -2}) : dcol({1, -2}), a,
                                               rowsrow ? drow({2, 5}) : dcol({2, 5})});
            ASSERT_FALSE(r.failed) << r.message;
            EXPECT_EQ(rowsof(r.out[0]), 1u);
            EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{21 - 102, 22 - 104, 23 - 106}));
        }
    hostresult twice = hostcall(entry, 1, {drow({1, 1}), a, drow({2, 2})});
    EXPECT_EQ(valuesof(twice.out[0]), (std::vector<double>{42, 44, 46}));
    hostresult cols = hostcall(entry, 1, {drow({2}), a, drow({4}), drow({3, 1, 3, 2})});
    ASSERT_FALSE(cols.failed) << cols.message;
    EXPECT_EQ(valuesof(cols.out[0]), (std::vector<double>{86, 82, 86, 84}));
    // ROWS of length 1 accepts any X vector and uses its first element.
    hostresult one = hostcall(entry, 1, {drow({5, 6, 7}), a, drow({3})});
    EXPECT_EQ(valuesof(one.out[0]), (std::vector<double>{155, 160, 165}));
    // No output requested: slot 1 is filled all the same.
    hostresult none = hostcall(entry, 0, {drow({1}), a, drow({1})});
    ASSERT_NE(none.out[0], nullptr);
    EXPECT_EQ(valuesof(none.out[0]), (std::vector<double>{11, 12, 13}));
    EXPECT_EQ(none.faults, "");
}

TEST_F(WidemixEntry, EmptyShapes)
{
    // A with 0 columns: a 1 x 0 Y, after every ROWS element has been checked against M.
    hostresult nocols = hostcall(entry, 1, {drow({1, 1}), dmatrix(4, 0), drow({1, 4})});
    ASSERT_FALSE(nocols.failed) << nocols.message;
    EXPECT_EQ(rowsof(nocols.out[0]), 1u);
    EXPECT_EQ(colsof(nocols.out[0]), 0u);
    hostresult late = hostcall(entry, 1, {drow({1, 1}), dmatrix(4, 0), drow({1, 5})});
    EXPECT_EQ(late.message, "Row index in ROWS is out of range.");
    hostresult norows = hostcall(entry, 1, {drow({1}), dmatrix(0, 3), drow({1})});
    EXPECT_EQ(norows.message, "Row index in ROWS is out of range.");
    // Empty index vectors select nothing.
    hostresult nosel = hostcall(entry, 1, {dmatrix(1, 0), a53(), dmatrix(0, 1)});
    ASSERT_FALSE(nosel.failed) << nosel.message;
    EXPECT_EQ(valuesof(nosel.out[0]), (std::vector<double>{0, 0, 0}));
    hostresult emptycols = hostcall(entry, 1, {drow({1}), a53(), drow({1}), dmatrix(1, 0)});
    ASSERT_FALSE(emptycols.failed) << emptycols.message;
    EXPECT_EQ(colsof(emptycols.out[0]), 0u);
    EXPECT_EQ(emptycols.faults, "");
}

TEST_F(WidemixEntry, ArithmeticKeepsTheOrderOfRows)
{
    const double big = 9007199254740992.0;   // 2^53
    mxArray* a = dcol({big, 1, -big});
    hostresult forward = hostcall(entry, 1, {drow({1, 1, 1}), a, drow({1, 2, 3})});
    hostresult backward = hostcall(entry, 1, {drow({1, 1, 1}), a, drow({3, 2, 1})});
    EXPECT_EQ(valuesof(forward.out[0])[0], 0.0);
    EXPECT_EQ(valuesof(backward.out[0])[0], 1.0);
    hostresult negzero = hostcall(entry, 1, {drow({1, 1}), dcol({-0.0, -0.0}), drow({1, 2})});
    EXPECT_TRUE(samebits(valuesof(negzero.out[0])[0], 0.0));
    hostresult zeroinf = hostcall(entry, 1, {drow({1, 0}), dmatrix(2, 2, {1, inf, 2, nan}), drow({1, 2})});
    std::vector<double> y = valuesof(zeroinf.out[0]);
    EXPECT_TRUE(std::isnan(y[0]));
    EXPECT_TRUE(std::isnan(y[1]));
}

TEST_F(WidemixEntry, HostCallsFollowTheFixedOrder)
{
    mxArray* x = named(drow({1, 1}), "X");
    mxArray* a = named(a53(), "A");
    mxArray* rows = named(drow({1, 2}), "ROWS");
    mxArray* cols = named(drow({3, 2, 1}), "COLS");
    hostresult r = hostcall(entry, 1, {x, a, rows, cols});
    const std::string rowtable = std::to_string(2 * tableentry), coltable = std::to_string(3 * tableentry);
    const std::vector<std::string> expect = {
        "mxGetM A", "mxGetN A", "mxIsDouble A", "mxIsComplex A", "mxGetNumberOfDimensions A",
        "mxGetM ROWS", "mxGetN ROWS", "mxIsDouble ROWS", "mxIsComplex ROWS",
        "mxGetM X", "mxGetN X", "mxIsDouble X", "mxIsComplex X",
        "mxGetM COLS", "mxGetN COLS", "mxIsDouble COLS", "mxIsComplex COLS",
        "mxIsSparse X", "mxIsSparse A", "mxIsSparse ROWS", "mxIsSparse COLS", "mxGetPr COLS",
        "mxCreateDoubleMatrix 1 3", "mxGetPr A", "mxGetPr ROWS", "mxGetPr X", "mxGetPr new1",
        "mxMalloc " + rowtable, "mxMalloc " + coltable, "mxFree " + coltable, "mxFree " + rowtable};
    EXPECT_EQ(r.trace, expect);
    EXPECT_EQ(r.faults, "");
    // A rejected row: the column table is never obtained, and the host frees what is held.
    hostresult bad = hostcall(entry, 1, {x, a, named(drow({1, 7}), "BAD"), cols});
    ASSERT_GE(bad.trace.size(), 2u);
    EXPECT_EQ(bad.trace[bad.trace.size() - 2], "mxMalloc " + rowtable);
    EXPECT_EQ(bad.trace.back(), "mexErrMsgTxt");
    EXPECT_EQ(bad.faults, "");
}

}  // namespace
