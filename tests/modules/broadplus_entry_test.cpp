// broadplus through the stand-in host: argument checks in order, V's accepted shapes, results.
#include <cmath>
#include <functional>
#include <limits>
#include <gtest/gtest.h>
#include "tests/support/hostcall.hpp"

namespace {

const double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

class BroadplusEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("broadplus");
};

struct shapecase {
    const char* label;
    std::vector<size_t> x;      // dims of X
    std::vector<size_t> v;      // dims of V
    const char* message;        // nullptr when accepted
};

TEST_F(BroadplusEntry, ShapesOfVAgainstTheColumnCount)
{
    const char* agree = "Error in BROADPLUS: dimensions of V and X must agree.";
    const char* badv = "BROADPLUS requires that V be a double vector.";
    const shapecase cases[] = {
        {"row V", {3, 4}, {1, 4}, nullptr},
        {"column V", {3, 4}, {4, 1}, nullptr},
        {"V of the row count", {3, 4}, {3, 1}, agree},
        {"V too long", {3, 4}, {1, 5}, agree},
        {"1 x 1 V, one column", {3, 1}, {1, 1}, nullptr},
        {"1 x 1 V, three columns", {1, 3}, {1, 1}, agree},
        {"1 x 3 V, one column", {3, 1}, {1, 3}, agree},
        {"1 x 0 V, no columns", {3, 0}, {1, 0}, nullptr},
        {"0 x 1 V, no columns", {3, 0}, {0, 1}, nullptr},
        {"1 x 0 V, 0 x 0 X", {0, 0}, {1, 0}, nullptr},
        {"0 x 0 V, 0 x 0 X", {0, 0}, {0, 0}, badv},
        {"1 x 1 V, no columns", {3, 0}, {1, 1}, agree},
        {"V a matrix", {2, 2}, {2, 2}, badv},
        {"0 rows, V given", {0, 3}, {1, 3}, nullptr},
        {"V of three dimensions, row count 1", {2, 6}, {1, 3, 2}, nullptr},
    };
    for (const shapecase& c : cases) {
        size_t count = 1;
        for (size_t d : c.x)
            count *= d;
        std::vector<double> xv(count);
        for (size_t k = 0; k < count; ++k)
            xv[k] = static_cast<double>(k);
        size_t vcount = 1;
        for (size_t d : c.v)
            vcount *= d;
        std::vector<double> vv(vcount);
        for (size_t k = 0; k < vcount; ++k)
            vv[k] = 100.0 * static_cast<double>(k + 1);
        hostresult r = hostcall(entry, 1, {darray(c.x, xv), darray(c.v, vv)});
        if (c.message) {
            EXPECT_TRUE(r.failed) << c.label;
            EXPECT_EQ(r.message, c.message) << c.label;
        } else {
            ASSERT_FALSE(r.failed) << c.label << ": " << r.message;
            EXPECT_EQ(rowsof(r.out[0]), c.x[0]) << c.label;
            EXPECT_EQ(colsof(r.out[0]), c.x[1]) << c.label;
            std::vector<double> y = valuesof(r.out[0]);
            for (size_t k = 0; k < y.size(); ++k)
                EXPECT_EQ(y[k], xv[k] + vv[k / c.x[0]]) << c.label << " element " << k;
        }
        EXPECT_EQ(r.faults, "") << c.label;
        releaseall();
    }
}

TEST_F(BroadplusEntry, EachMisuseGetsItsMessageInCheckOrder)
{
    using v = std::vector<mxArray*>;
    struct { const char* label; int nlhs; std::function<v()> inputs; const char* message; } cases[] = {
        {"one input", 1, [] { return v{dmatrix(2, 2)}; }, "Two input arguments required."},
        {"three valid inputs", 1, [] { return v{dmatrix(2, 2), drow({1, 2}), drow({1, 2})}; },
         "Two input arguments required."},
        {"three inputs, two outputs", 2, [] { return v{dmatrix(2, 2), drow({1, 2}), drow({1})}; },
         "Two input arguments required."},
        {"two outputs", 2, [] { return v{dmatrix(2, 2), drow({1, 2})}; }, "Too many output arguments."},
        {"single X", 1, [] { return v{classarray(mxhost_single, {2, 2}), drow({1, 2})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"uint16 X", 1, [] { return v{classarray(mxhost_uint16, {2, 2}), drow({1, 2})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"logical X", 1, [] { return v{classarray(mxhost_logical, {2, 2}), drow({1, 2})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"char X", 1, [] { return v{classarray(mxhost_char, {2, 2}), drow({1, 2})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"complex X", 1, [] { return v{complexmatrix(2, 2), drow({1, 2})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"3-D X", 1, [] { return v{darray({2, 2, 2}), drow({1, 2, 3, 4})}; },
         "BROADPLUS requires that X be a double matrix."},
        {"int32 V", 1, [] { return v{dmatrix(2, 2), classarray(mxhost_int32, {1, 2})}; },
         "BROADPLUS requires that V be a double vector."},
        {"complex V", 1, [] { return v{dmatrix(2, 2), complexmatrix(1, 2)}; },
         "BROADPLUS requires that V be a double vector."},
        {"sparse X", 1, [] { return v{sparsematrix(2, 2, {{0, 0, 1.0}}), drow({1, 2})}; },
         "BROADPLUS requires full (not sparse) inputs."},
        {"sparse V", 1, [] { return v{dmatrix(2, 2), sparsematrix(1, 2, {{0, 1, 1.0}})}; },
         "BROADPLUS requires full (not sparse) inputs."},
    };
    for (const auto& c : cases) {
        hostresult r = hostcall(entry, c.nlhs, c.inputs());
        EXPECT_TRUE(r.failed) << c.label;
        EXPECT_EQ(r.message, c.message) << c.label;
        EXPECT_EQ(r.messages, 1) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;
        releaseall();
    }
}

TEST_F(BroadplusEntry, ValuesPassThroughTheAddition)
{
    hostresult r = hostcall(entry, 0, {dmatrix(2, 3, {1, 2, nan, 4, inf, -0.0}), drow({10, 20, -inf})});
    ASSERT_FALSE(r.failed) << r.message;
    ASSERT_NE(r.out[0], nullptr);      // slot 1 also when no output is requested
    std::vector<double> y = valuesof(r.out[0]);
    EXPECT_EQ(y[0], 11.0);
    EXPECT_EQ(y[1], 12.0);
    EXPECT_TRUE(std::isnan(y[2]));
    EXPECT_EQ(y[3], 24.0);
    EXPECT_TRUE(std::isnan(y[4]));     // Inf + -Inf
    EXPECT_EQ(y[5], -inf);
    EXPECT_EQ(r.faults, "");
}

TEST_F(BroadplusEntry, HostCallsFollowTheFixedOrder)
{
    mxArray* x = named(dmatrix(2, 3), "X");
    mxArray* v = named(dcol({1, 2, 3}), "V");
    hostresult r = hostcall(entry, 1, {x, v});
    const std::vector<std::string> expect = {
        "mxGetM X", "mxGetN X", "mxIsDouble X", "mxIsComplex X", "mxGetNumberOfDimensions X",
        "mxGetM V", "mxGetN V", "mxIsDouble V", "mxIsComplex V", "mxIsSparse X", "mxIsSparse V",
        "mxCreateDoubleMatrix 2 3", "mxGetPr X", "mxGetPr V", "mxGetPr new1"};
    EXPECT_EQ(r.trace, expect);
    hostresult bad = hostcall(entry, 1, {named(classarray(mxhost_single, {2, 2}), "S"), v});
    EXPECT_EQ(bad.trace, (std::vector<std::string>{"mxGetM S", "mxGetN S", "mxIsDouble S", "mexErrMsgTxt"}));
}

}  // namespace
