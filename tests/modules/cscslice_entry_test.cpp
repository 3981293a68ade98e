// cscslice through the stand-in host: checks in order, messages, the row number's rounding,
// both results, the slots filled for each output count, host calls.
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include "tests/support/hostcall.hpp"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

const char* const nargin = "GETCSCSLICE requires two input arguments.";
const char* const nargout = "Too many output arguments.";
const char* const badA = "GETCSCSLICE requires that A be a double matrix.";
const char* const fullA = "GETCSCSLICE requires that A be sparse.";
const char* const badJ = "GETCSCSLICE requires that J be a double scalar.";
const char* const negative = "Invalid row index.";
const char* const range = "Row index is out of range.";

class CscsliceEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("cscslice");

    // 3 x 4, stored: (1, 2) = 5, (3, 2) = -1, (1, 4) = 7, (2, 1) = 2 (1-based).
    static mxArray* a34() { return sparsematrix(3, 4, {{1, 0, 2}, {0, 1, 5}, {2, 1, -1}, {0, 3, 7}}); }
};

struct errorcase {
    const char* label;
    int nlhs;
    std::function<std::vector<mxArray*>()> inputs;
    const char* message;
};

TEST_F(CscsliceEntry, EachMisuseGetsItsMessageInCheckOrder)
{
    using in = std::vector<mxArray*>;
    const errorcase cases[] = {
        {"no inputs", 2, [] { return in{}; }, nargin},
        {"one input", 2, [] { return in{a34()}; }, nargin},
        {"one input, three outputs", 3, [] { return in{a34()}; }, nargin},
        {"three inputs", 1, [] { return in{a34(), dscalar(1), dscalar(1)}; }, nargin},
        {"three inputs, three outputs", 3, [] { return in{a34(), dscalar(1), dscalar(1)}; }, nargin},
        {"three outputs", 3, [] { return in{a34(), dscalar(1)}; }, nargout},
        {"three outputs and a full A", 3, [] { return in{dmatrix(3, 4), dscalar(1)}; }, nargout},
        {"full double A", 2, [] { return in{dmatrix(3, 4), dscalar(1)}; }, fullA},
        {"full 1 x 1 A", 2, [] { return in{dscalar(1), dscalar(1)}; }, fullA},
        {"sparse logical A", 2, [] { return in{sparsematrix(3, 4, {{0, 0, 1}}, mxhost_logical), dscalar(1)}; }, badA},
        {"complex sparse A", 2,
         [] { return in{sparsematrix(3, 4, {{0, 0, 1}}, mxhost_double, true), dscalar(1)}; }, badA},
        {"full complex A", 2, [] { return in{complexmatrix(3, 4), dscalar(1)}; }, badA},
        {"single A", 1, [] { return in{classarray(mxhost_single, {3, 4}), dscalar(1)}; }, badA},
        {"3-D A", 1, [] { return in{darray({3, 4, 2}), dscalar(1)}; }, badA},
        {"J 1 x 2", 2, [] { return in{a34(), drow({1, 2})}; }, badJ},
        {"J 1 x 0", 2, [] { return in{a34(), dmatrix(1, 0)}; }, badJ},
        {"J complex", 2, [] { return in{a34(), complexmatrix(1, 1, {1})}; }, badJ},
        {"J int32", 2, [] { return in{a34(), classarray(mxhost_int32, {1, 1})}; }, badJ},
        {"J char", 2, [] { return in{a34(), classarray(mxhost_char, {1, 1})}; }, badJ},
        {"full A and char J", 2, [] { return in{dmatrix(3, 4), classarray(mxhost_char, {1, 1})}; }, fullA},
        {"logical A and J 1 x 2", 2,
         [] { return in{sparsematrix(3, 4, {}, mxhost_logical), drow({1, 2})}; }, badA},
        {"J negative", 0, [] { return in{a34(), dscalar(-1)}; }, negative},
        {"J beyond M", 0, [] { return in{a34(), dscalar(4)}; }, range},
    };
    for (const errorcase& c : cases) {
        hostresult r = hostcall(entry, c.nlhs, c.inputs());
        EXPECT_TRUE(r.failed) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
        EXPECT_EQ(r.messages, 1) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;      // nothing left behind, no slot past the last
        for (mxArray* slot : r.out)
            EXPECT_EQ(slot, nullptr) << c.label;
        releaseall();
    }
}

struct rowcase {
    double j;
    int row;            // 1-based; 0 for "Row index is out of range.", -1 for "Invalid row index."
};

TEST_F(CscsliceEntry, RowNumberIsBiasedByOneHundredthAfterASignTest)
{
    const std::vector<double> values[] = {{}, {5, 7}, {2}, {-1}};
    const std::vector<double> columns[] = {{}, {2, 4}, {1}, {2}};
    // M = 3: from k - 0.01 up to, not including, k + 0.99 selects row k.
    const rowcase cases[] = {
        {1, 1}, {2, 2}, {3, 3}, {0.99, 1}, {1.5, 1}, {1.98, 1}, {1.99, 2}, {2.995, 3},
        {0, 0}, {0.5, 0}, {-0.0, 0}, {nan, 0}, {inf, 0}, {1e300, 0}, {4, 0},
        {4294967297.0, 0}, {18446744073709551616.0, 0},
        {-0.001, -1}, {-1, -1}, {-inf, -1}, {-1e300, -1},
    };
    for (const rowcase& c : cases) {
        hostresult r = hostcall(entry, 2, {a34(), dscalar(c.j)});
        if (c.row <= 0) {
            EXPECT_TRUE(r.failed) << "J = " << c.j;
            EXPECT_EQ(r.message, c.row == 0 ? range : negative) << "J = " << c.j;
        } else {
            ASSERT_FALSE(r.failed) << "J = " << c.j << ": " << r.message;
            EXPECT_EQ(valuesof(r.out[0]), values[c.row]) << "J = " << c.j;
            EXPECT_EQ(valuesof(r.out[1]), columns[c.row]) << "J = " << c.j;
            EXPECT_EQ(rowsof(r.out[0]), 1u);
            EXPECT_EQ(rowsof(r.out[1]), 1u);
        }
        EXPECT_EQ(r.faults, "") << "J = " << c.j;
        releaseall();
    }
}

TEST_F(CscsliceEntry, EmptyRowsAndEmptyShapes)
{
    struct emptycase {
        const char* label;
        mxArray* (*a)();
        double j;
        const char* message;    // nullptr: two 1 x 0 results
    };
    const emptycase cases[] = {
        {"a row that stores nothing", [] { return sparsematrix(4, 2, {{0, 0, 1}, {3, 1, 2}}); }, 2, nullptr},
        {"a matrix that stores nothing", [] { return sparsematrix(2, 3, {}); }, 2, nullptr},
        {"0 columns, first row", [] { return sparsematrix(3, 0, {}); }, 1, nullptr},
        {"0 columns, last row", [] { return sparsematrix(3, 0, {}); }, 3, nullptr},
        {"0 columns, row M + 1", [] { return sparsematrix(3, 0, {}); }, 4, range},
        {"0 rows, J = 1", [] { return sparsematrix(0, 3, {}); }, 1, range},
        {"0 rows, J = 0", [] { return sparsematrix(0, 3, {}); }, 0, range},
        {"0 rows, J = 0.99", [] { return sparsematrix(0, 3, {}); }, 0.99, range},
        {"0 rows, J = -1", [] { return sparsematrix(0, 3, {}); }, -1, negative},
        {"0 x 0", [] { return sparsematrix(0, 0, {}); }, 1, range},
    };
    for (const emptycase& c : cases) {
        hostresult r = hostcall(entry, 2, {c.a(), dscalar(c.j)});
        EXPECT_EQ(r.faults, "") << c.label;
        if (c.message) {
            EXPECT_EQ(r.message, c.message) << c.label;
        } else {
            ASSERT_FALSE(r.failed) << c.label << ": " << r.message;
            for (mxArray* out : r.out) {
                EXPECT_EQ(rowsof(out), 1u) << c.label;
                EXPECT_EQ(colsof(out), 0u) << c.label;
            }
        }
        releaseall();
    }
}

TEST_F(CscsliceEntry, StoredValuesComeBackExactly)
{
    // Row 1 stores 0, NaN, -0, -Inf and +Inf; row 2 stores one value, which is not returned for row 1.
    mxArray* a = sparsematrix(2, 6, {{0, 0, 0.0}, {0, 1, nan}, {1, 1, 3}, {0, 2, -0.0}, {0, 4, -inf}, {0, 5, inf}});
    hostresult r = hostcall(entry, 2, {a, dscalar(1)});
    ASSERT_FALSE(r.failed) << r.message;
    const double values[] = {0.0, nan, -0.0, -inf, inf};
    std::vector<double> got = valuesof(r.out[0]);
    ASSERT_EQ(got.size(), 5u);
    for (size_t i = 0; i < got.size(); ++i)
        EXPECT_TRUE(samebits(got[i], values[i])) << "element " << i << ": " << got[i];
    EXPECT_EQ(valuesof(r.out[1]), (std::vector<double>{1, 2, 3, 5, 6}));
}

TEST_F(CscsliceEntry, SparseJIsReadThroughTheScalarQuery)
{
    hostresult r = hostcall(entry, 2, {a34(), sparsematrix(1, 1, {{0, 0, 2.0}})});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{2}));
    EXPECT_EQ(valuesof(r.out[1]), (std::vector<double>{1}));
    // A sparse 1 x 1 that stores nothing holds 0.
    hostresult zero = hostcall(entry, 2, {a34(), sparsematrix(1, 1, {})});
    EXPECT_EQ(zero.message, range);
}

TEST_F(CscsliceEntry, ColumnNumbersAreFilledOnlyWhenTwoOutputsAreRequested)
{
    for (int nlhs : {0, 1, 2}) {
        mxArray* a = named(a34(), "A");
        mxArray* j = named(dscalar(1), "J");
        hostresult r = hostcall(entry, nlhs, {a, j});
        ASSERT_FALSE(r.failed) << "nlhs " << nlhs << ": " << r.message;
        EXPECT_EQ(r.faults, "") << "nlhs " << nlhs;     // no slot past those provided, nothing leaked
        ASSERT_EQ(r.out.size(), nlhs == 2 ? 2u : 1u);
        ASSERT_NE(r.out[0], nullptr) << "nlhs " << nlhs;
        EXPECT_EQ(valuesof(r.out[0]), (std::vector<double>{5, 7})) << "nlhs " << nlhs;
        std::vector<std::string> expect = {
            "mxIsDouble A", "mxIsComplex A", "mxGetNumberOfDimensions A", "mxIsSparse A",
            "mxIsDouble J", "mxIsComplex J", "mxGetNumberOfDimensions J", "mxGetM J", "mxGetN J",
            "mxGetM A", "mxGetN A", "mxGetScalar J", "mxGetPr A", "mxGetIr A", "mxGetJc A",
            "mxCreateDoubleMatrix 1 2"};
        if (nlhs == 2) {
            ASSERT_NE(r.out[1], nullptr);
            EXPECT_EQ(valuesof(r.out[1]), (std::vector<double>{2, 4}));
            expect.insert(expect.end(), {"mxCreateDoubleMatrix 1 2", "mxGetPr new1", "mxGetPr new2"});
        } else {
            expect.push_back("mxGetPr new1");
        }
        EXPECT_EQ(r.trace, expect) << "nlhs " << nlhs;
        releaseall();
    }
}

TEST_F(CscsliceEntry, ChecksStopBeforeAnyStorageIsRead)
{
    mxArray* a = named(a34(), "A");
    hostresult beyond = hostcall(entry, 2, {a, named(dscalar(4), "J")});
    EXPECT_EQ(beyond.trace, (std::vector<std::string>{
        "mxIsDouble A", "mxIsComplex A", "mxGetNumberOfDimensions A", "mxIsSparse A",
        "mxIsDouble J", "mxIsComplex J", "mxGetNumberOfDimensions J", "mxGetM J", "mxGetN J",
        "mxGetM A", "mxGetN A", "mxGetScalar J", "mexErrMsgTxt"}));
    // A full A is not asked about J; counts are tested before any query.
    hostresult full = hostcall(entry, 2, {named(dmatrix(3, 4), "F"), named(drow({1, 2}), "J")});
    EXPECT_EQ(full.trace, (std::vector<std::string>{
        "mxIsDouble F", "mxIsComplex F", "mxGetNumberOfDimensions F", "mxIsSparse F", "mexErrMsgTxt"}));
    hostresult count = hostcall(entry, 3, {a, named(dscalar(1), "J")});
    EXPECT_EQ(count.trace, (std::vector<std::string>{"mexErrMsgTxt"}));
}

}  // namespace
