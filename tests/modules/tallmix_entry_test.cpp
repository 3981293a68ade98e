// tallmix through the stand-in host: argument checks in order, messages, results, host calls.
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include "tests/support/hostcall.hpp"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

class TallmixEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("tallmix");

    // A 3 x 5 matrix whose element (r, c) is 10 * (c + 1) + (r + 1).
    mxArray* a35()
    {
        std::vector<double> v;
        for (int c = 0; c < 5; ++c)
            for (int r = 0; r < 3; ++r)
                v.push_back(10.0 * (c + 1) + (r + 1));
        return dmatrix(3, 5, v);
    }
};

struct errorcase {
    const char* label;
    int nlhs;
    std::function<std::vector<mxArray*>(mxArray* a)> inputs;
    const char* message;
};

TEST_F(TallmixEntry, EachMisuseGetsItsMessageInCheckOrder)
{
    const char* nargin = "Invalid number of arguments.";
    const char* nargout = "Too many output arguments.";
    const char* badA = "TALLMIX requires that A be a double matrix.";
    const char* badrows = "TALLMIX requires that ROWS be an index vector of type double.";
    const char* badcols = "TALLMIX requires that COLS be an index vector of type double.";
    const char* badx = "TALLMIX requires that X be a double vector.";
    const char* length = "The length of X does not match the number of columns in COLS.";
    const char* rowrange = "Row index in ROWS is out of range.";
    const char* colrange = "Column index in COLS is out of range.";
    const char* sparse = "TALLMIX requires full (not sparse) inputs.";
    const errorcase cases[] = {
        {"no inputs", 1, [](mxArray*) { return std::vector<mxArray*>{}; }, nargin},
        {"two inputs", 1, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1})}; }, nargin},
        {"five inputs, two outputs", 2,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), drow({1}), drow({1}), drow({1})}; }, nargin},
        {"two outputs", 2, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), drow({1})}; }, nargout},
        {"single A", 1,
         [](mxArray*) { return std::vector<mxArray*>{classarray(mxhost_single, {3, 5}), drow({1}), drow({1})}; }, badA},
        {"complex A", 1, [](mxArray*) { return std::vector<mxArray*>{complexmatrix(3, 5), drow({1}), drow({1})}; }, badA},
        {"3-D A", 1, [](mxArray*) { return std::vector<mxArray*>{darray({3, 5, 2}), drow({1}), drow({1})}; }, badA},
        {"char A and bad count of outputs", 2,
         [](mxArray*) { return std::vector<mxArray*>{classarray(mxhost_char, {1, 3}), drow({1}), drow({1})}; }, nargout},
        {"COLS a matrix", 1, [](mxArray* a) { return std::vector<mxArray*>{a, dmatrix(2, 2), drow({1})}; }, badcols},
        {"COLS int32", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, classarray(mxhost_int32, {1, 2}), drow({1, 1})}; }, badcols},
        {"COLS complex", 1, [](mxArray* a) { return std::vector<mxArray*>{a, complexmatrix(1, 1), drow({1})}; }, badcols},
        {"X logical", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), classarray(mxhost_logical, {1, 1})}; }, badx},
        {"X a matrix", 1, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 2}), dmatrix(2, 2)}; }, badx},
        {"X too short", 1, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 2, 3}), drow({1, 2})}; }, length},
        {"X too long", 1, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 2}), dcol({1, 2, 3})}; }, length},
        {"X 1 x 1 against two columns", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 2}), dscalar(1)}; }, length},
        {"X empty against one column", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), dmatrix(1, 0)}; }, length},
        {"ROWS a matrix before a bad COLS", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, dmatrix(2, 2), dmatrix(2, 2), drow({1})}; }, badrows},
        {"four inputs, COLS bad", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), dmatrix(2, 2), drow({1})}; }, badcols},
        {"four inputs, X bad", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), drow({1}), dmatrix(2, 2)}; }, badx},
        {"four inputs, length", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), drow({1, 2}), drow({1, 2, 3})}; }, length},
        {"bad ROWS and bad COLS elements", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 9}), drow({0}), drow({1})}; }, rowrange},
        {"COLS element 0", 1, [](mxArray* a) { return std::vector<mxArray*>{a, drow({1, 0}), drow({1, 1})}; }, colrange},
        {"sparse A", 1,
         [](mxArray*) { return std::vector<mxArray*>{sparsematrix(3, 5, {{0, 0, 1.0}}), drow({1}), drow({1})}; }, sparse},
        {"sparse X", 1,
         [](mxArray* a) { return std::vector<mxArray*>{a, drow({1}), sparsematrix(1, 1, {{0, 0, 1.0}})}; }, sparse},
    };
    for (const errorcase& c : cases) {
        hostresult r = hostcall(entry, c.nlhs, c.inputs(a35()));
        EXPECT_TRUE(r.failed) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
        EXPECT_EQ(r.messages, 1) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;
        EXPECT_EQ(r.out[0], nullptr) << c.label;
    }
}

struct indexcase {
    double v;
    int column;     // 1-based, 0 when rejected
};

TEST_F(TallmixEntry, IndexRoundingSelectsOrRejects)
{
    // With N = 5: k - 0.1 up to, not including, k + 0.9 selects column k.
    const indexcase cases[] = {
        {0.9, 1}, {0.89, 0}, {2.89, 2}, {2.9, 3}, {2.95, 3}, {5.89, 5}, {5.9, 0}, {1.0, 1},
        {0.0, 0}, {-1.0, 0}, {-0.5, 0}, {nan, 0}, {inf, 0}, {-inf, 0}, {1e300, 0},
        {4294967297.0, 0}, {18446744073709551616.0, 0},
    };
    for (const indexcase& c : cases) {
        hostresult r = hostcall(entry, 1, {a35(), drow({c.v}), drow({1})});
        if (c.column == 0) {
            EXPECT_TRUE(r.failed) << c.v;
            EXPECT_EQ(r.message, "Column index in COLS is out of range.") << c.v;
        } else {
            ASSERT_FALSE(r.failed) << c.v << ": " << r.message;
            std::vector<double> y = valuesof(r.out[0]);
            ASSERT_EQ(y.size(), 3u);
            EXPECT_EQ(y[0], 10.0 * c.column + 1) << c.v;
        }
        releaseall();
    }
}

TEST_F(TallmixEntry, RowIndexRoundingUsesTheRowCount)
{
    // With M = 3: 3.89 selects row 3, 3.9 is rejected.
    hostresult ok = hostcall(entry, 1, {a35(), drow({0.9, 3.89, 2.9}), drow({2}), drow({1})});
    ASSERT_FALSE(ok.failed) << ok.message;
    EXPECT_EQ(valuesof(ok.out[0]), (std::vector<double>{21, 23, 23}));
    hostresult bad = hostcall(entry, 1, {a35(), drow({3.9}), drow({2}), drow({1})});
    EXPECT_EQ(bad.message, "Row index in ROWS is out of range.");
}

TEST_F(TallmixEntry, ResultsForBothCallForms)
{
    mxArray* a = a35();
    // COLS and X as rows or columns give the same column Y.
    for (bool colsrow : {true, false})
        for (bool xrow : {true, false}) {
            mxArray* cols = colsrow ? drow({2, 5}) : dcol({2, 5});
            mxArray* x = xrow ? drow({1, -2}) : dcol({1, -2});
            hostresult r = hostcall(entry, 1, {a, cols, x});
            ASSERT_FALSE(r.failed) << r.message;
            EXPECT_EQ(rowsof(r.out[0]), 3u);
            EXPECT_EQ(colsof(r.out[0]), 1u);
            EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{21 - 102, 22 - 104, 23 - 106}));
        }
    // A repeated index counts as often as it occurs; ROWS picks and orders rows.
    hostresult twice = hostcall(entry, 1, {a, drow({2, 2}), drow({1, 1})});
    EXPECT_EQ(valuesof(twice.out[0]), (std::vector<double>{42, 44, 46}));
    hostresult rows = hostcall(entry, 1, {a, drow({3, 1, 3, 2}), drow({4}), drow({2})});
    ASSERT_FALSE(rows.failed) << rows.message;
    EXPECT_EQ(valuesof(rows.out[0]), (std::vector<double>{86, 82, 86, 84}));
    // COLS of length 1 accepts any X vector and uses its first element.
    hostresult one = hostcall(entry, 1, {a, drow({3}), dcol({5, 6, 7})});
    ASSERT_FALSE(one.failed) << one.message;
    EXPECT_EQ(valuesof(one.out[0]), (std::vector<double>{155, 160, 165}));
}

TEST_F(TallmixEntry, OutputSlotOneIsFilledWhenNoOutputIsRequested)
{
    hostresult r = hostcall(entry, 0, {a35(), drow({1}), drow({1})});
    ASSERT_FALSE(r.failed);
    ASSERT_NE(r.out[0], nullptr);
    EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{11, 12, 13}));
    EXPECT_EQ(r.faults, "");
}

TEST_F(TallmixEntry, EmptyShapes)
{
    // A with 0 rows: a 0 x 1 Y, after every COLS element has been checked against N.
    hostresult zero = hostcall(entry, 1, {dmatrix(0, 4), drow({1, 4}), drow({1, 1})});
    ASSERT_FALSE(zero.failed) << zero.message;
    EXPECT_EQ(rowsof(zero.out[0]), 0u);
    EXPECT_EQ(colsof(zero.out[0]), 1u);
    hostresult late = hostcall(entry, 1, {dmatrix(0, 4), drow({1, 5}), drow({1, 1})});
    EXPECT_EQ(late.message, "Column index in COLS is out of range.");
    // A with 0 columns rejects every column.
    hostresult nocols = hostcall(entry, 1, {dmatrix(3, 0), drow({1}), drow({1})});
    EXPECT_EQ(nocols.message, "Column index in COLS is out of range.");
    // Empty index vectors select nothing: Y is zero (M rows) or empty (no ROWS).
    hostresult nosel = hostcall(entry, 1, {a35(), dmatrix(1, 0), dmatrix(0, 1)});
    ASSERT_FALSE(nosel.failed) << nosel.message;
    EXPECT_EQ(valuesof(nosel.out[0]), (std::vector<double>{0, 0, 0}));
    hostresult emptycols = hostcall(entry, 1, {a35(), dmatrix(0, 1), drow({7})});
    ASSERT_FALSE(emptycols.failed) << emptycols.message;
    EXPECT_EQ(valuesof(emptycols.out[0]), (std::vector<double>{0, 0, 0}));
    hostresult norows = hostcall(entry, 1, {a35(), dmatrix(0, 1), drow({2}), drow({1})});
    ASSERT_FALSE(norows.failed) << norows.message;
    EXPECT_EQ(rowsof(norows.out[0]), 0u);
    EXPECT_EQ(norows.faults, "");
}

TEST_F(TallmixEntry, ArithmeticKeepsTheOrderOfCols)
{
    const double big = 9007199254740992.0;   // 2^53
    mxArray* a = drow({big, 1, -big});
    hostresult forward = hostcall(entry, 1, {a, drow({1, 2, 3}), drow({1, 1, 1})});
    hostresult backward = hostcall(entry, 1, {a, drow({3, 2, 1}), drow({1, 1, 1})});
    EXPECT_EQ(valuesof(forward.out[0])[0], 0.0);    // 2^53 + 1 is rounded when Y(1) is stored
    EXPECT_EQ(valuesof(backward.out[0])[0], 1.0);
    // Every term is added: -0.0 terms give +0.0, and 0 * Inf gives NaN.
    hostresult negzero = hostcall(entry, 1, {drow({-0.0, -0.0}), drow({1, 2}), drow({1, 1})});
    EXPECT_TRUE(samebits(valuesof(negzero.out[0])[0], 0.0));
    hostresult zeroinf = hostcall(entry, 1, {dmatrix(2, 2, {1, 2, inf, nan}), drow({1, 2}), drow({1, 0})});
    std::vector<double> y = valuesof(zeroinf.out[0]);
    EXPECT_TRUE(std::isnan(y[0]));
    EXPECT_TRUE(std::isnan(y[1]));
}

TEST_F(TallmixEntry, ColumnTermsBeforeABadIndexAreAddedAndYIsLeftToTheHost)
{
    hostresult r = hostcall(entry, 1, {a35(), drow({1, 2, 6}), drow({1, 1, 1})});
    EXPECT_TRUE(r.failed);
    EXPECT_EQ(r.message, "Column index in COLS is out of range.");
    EXPECT_EQ(r.faults, "");        // the host released Y
    // The row table is left to the host too.
    hostresult rows = hostcall(entry, 1, {a35(), drow({1, 2}), drow({7}), drow({1})});
    EXPECT_EQ(rows.message, "Column index in COLS is out of range.");
    EXPECT_EQ(rows.faults, "");
}

TEST_F(TallmixEntry, HostCallsFollowTheFixedOrder)
{
    mxArray* a = named(a35(), "A");
    mxArray* cols = named(drow({1, 2}), "COLS");
    mxArray* x = named(drow({1, 1}), "X");
    hostresult three = hostcall(entry, 1, {a, cols, x});
    const std::vector<std::string> expect3 = {
        "mxGetM A", "mxGetN A", "mxIsDouble A", "mxIsComplex A", "mxGetNumberOfDimensions A",
        "mxGetM COLS", "mxGetN COLS", "mxIsDouble COLS", "mxIsComplex COLS",
        "mxGetM X", "mxGetN X", "mxIsDouble X", "mxIsComplex X",
        "mxIsSparse A", "mxIsSparse COLS", "mxIsSparse X",
        "mxCreateDoubleMatrix 3 1", "mxGetPr COLS", "mxGetPr X", "mxGetPr A", "mxGetPr new1"};
    EXPECT_EQ(three.trace, expect3);

    mxArray* rows = named(drow({3, 1}), "ROWS");
    hostresult four = hostcall(entry, 1, {a, rows, cols, x});
    const std::string table = std::to_string(2 * tableentry);
    const std::vector<std::string> expect4 = {
        "mxGetM A", "mxGetN A", "mxIsDouble A", "mxIsComplex A", "mxGetNumberOfDimensions A",
        "mxGetM ROWS", "mxGetN ROWS", "mxIsDouble ROWS", "mxIsComplex ROWS", "mxGetPr ROWS",
        "mxGetM COLS", "mxGetN COLS", "mxIsDouble COLS", "mxIsComplex COLS",
        "mxGetM X", "mxGetN X", "mxIsDouble X", "mxIsComplex X",
        "mxIsSparse A", "mxIsSparse ROWS", "mxIsSparse COLS", "mxIsSparse X",
        "mxCreateDoubleMatrix 2 1", "mxGetPr COLS", "mxGetPr X", "mxGetPr A", "mxGetPr new1",
        "mxMalloc " + table, "mxFree " + table};
    EXPECT_EQ(four.trace, expect4);
    EXPECT_EQ(four.faults, "");

    // A non-double array is not asked whether it is complex, nor its dimensions.
    mxArray* s = named(classarray(mxhost_single, {3, 5}), "S");
    hostresult single = hostcall(entry, 1, {s, cols, x});
    EXPECT_EQ(single.trace, (std::vector<std::string>{"mxGetM S", "mxGetN S", "mxIsDouble S", "mexErrMsgTxt"}));
}

}  // namespace
