// dilfilt through the stand-in host: unreadable inputs refused, output sizes, host calls.
#include <cstdint>
#include <cstring>
#include <random>
#include <gtest/gtest.h>
#include "tests/support/filterentry.hpp"
#include "tests/support/filters_reference.hpp"
#include "tests/support/hostcall.hpp"

namespace {

class DilfiltEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("dilfilt");
};

TEST_F(DilfiltEntry, UnreadableInputsAreRefused)
{
    expect_unreadable_inputs_refused(entry, "DILFILT");
    const char* small = "DILFILT requires that the steps L(1,1) and L(2,2) be at least 1.";
    for (double s : {0.0, 0.9, -2.0}) {
        hostresult r = hostcall(entry, 1, {dmatrix(4, 4), dmatrix(2, 2), drow({s, 0, 0, s})});
        EXPECT_EQ(r.message, small) << s;
        EXPECT_EQ(r.faults, "") << s;
    }
    // L21 and L12 have no effect, even NaN.
    hostresult off = hostcall(entry, 1, {dmatrix(4, 4), dmatrix(2, 2), drow({1, std::nan(""), std::nan(""), 1})});
    EXPECT_FALSE(off.failed) << off.message;
}

TEST_F(DilfiltEntry, OutputSizesNeverGoBelowZero)
{
    struct { const char* label; size_t m, n, p, q; double s11, s22; size_t my, ny; } cases[] = {
        {"s = 2, 2 x 2 filter, 6 x 5 image", 6, 5, 2, 2, 2, 2, 3, 2},
        {"0 x 0 filter", 3, 4, 0, 0, 2, 2, 4, 5},
        {"filter taller than the image", 3, 8, 2, 1, 2, 2, 0, 7},
        {"empty image", 0, 5, 1, 1, 1, 1, 0, 5},
        {"different steps", 9, 7, 2, 2, 3, 4, 2, 2},
        {"steps of 2^30", 16, 16, 4, 4, 1073741824.0, 1073741824.0, 0, 0},
    };
    for (const auto& c : cases) {
        hostresult r = hostcall(entry, 1, {dmatrix(c.m, c.n), dmatrix(c.p, c.q), drow({c.s11, 0, 0, c.s22})});
        ASSERT_FALSE(r.failed) << c.label << ": " << r.message;
        EXPECT_EQ(rowsof(r.out[0]), c.my) << c.label;
        EXPECT_EQ(colsof(r.out[0]), c.ny) << c.label;
        EXPECT_EQ(r.faults, "") << c.label;     // the host saw no negative count
        releaseall();
    }
}

TEST_F(DilfiltEntry, MatchesTheFormulaAndTheHostCallOrder)
{
    std::mt19937 g(3);
    const int64_t m = 9, n = 8, p = 3, q = 2;
    std::vector<double> x = uniform_block(g, m * n), h = uniform_block(g, p * q);
    const int64_t my = m - p * 2 + 1, ny = n - q * 2 + 1;
    std::vector<double> want(static_cast<size_t>(my * ny));
    ref_dilfilt(x.data(), m, n, h.data(), p, q, 2, 2, want.data());
    hostresult r = hostcall(entry, 0, {named(dmatrix(m, n, x), "X"), named(dmatrix(p, q, h), "H"),
                                       named(drow({2.9, 5, 7, 2.9}), "L")});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_TRUE(same_blocks(valuesof(r.out[0]).data(), want.data(), my, ny));
    EXPECT_EQ(r.trace, filter_trace("mxCreateDoubleMatrix 4 5"));
}

#if defined(MIXFILT_PLATFORM_GLNXA64)
TEST_F(DilfiltEntry, RequiredApiVersionWritesTwoWords)
{
    typedef void (*apifn)(uint32_t*, uint32_t*);
    apifn api = reinterpret_cast<apifn>(loadsymbol("dilfilt", "mexfilerequiredapiversion"));
    ASSERT_NE(api, nullptr);
    uint32_t words[4] = {7, 7, 7, 7};
    api(&words[1], &words[2]);
    EXPECT_EQ(words[0], 7u);
    EXPECT_EQ(words[1], 131467u);
    EXPECT_EQ(words[2], 0x07300000u);
    EXPECT_EQ(words[3], 7u);
}
#endif

#if defined(MIXFILT_PLATFORM_MAC)
TEST_F(DilfiltEntry, MexVersionNamesTheInterface)
{
    typedef const char* (*versionfn)(void);
    versionfn version = reinterpret_cast<versionfn>(loadsymbol("dilfilt", "mexVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version(), "MATLAB R13 native");
}
#endif

}  // namespace
