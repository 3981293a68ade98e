// latfilt through the stand-in host: unreadable inputs refused, results, host calls.
#include <cstring>
#include <random>
#include <gtest/gtest.h>
#include "tests/support/filterentry.hpp"
#include "tests/support/filters_reference.hpp"
#include "tests/support/hostcall.hpp"

namespace {

class LatfiltEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("latfilt");
};

TEST_F(LatfiltEntry, UnreadableInputsAreRefused)
{
    expect_unreadable_inputs_refused(entry, "LATFILT");
    // All four entries of L are steps here.
    hostresult r = hostcall(entry, 1, {dmatrix(2, 2), dmatrix(1, 1), drow({1, std::nan(""), 0, 1})});
    EXPECT_EQ(r.message, "LATFILT requires that the steps in L be finite and within the 32-bit integer range.");
}

TEST_F(LatfiltEntry, MatchesTheFormulaAndTheHostCallOrder)
{
    std::mt19937 g(7);
    const int64_t m = 5, n = 4, p = 3, q = 2;
    std::vector<double> x = uniform_block(g, m * n), h = uniform_block(g, p * q);
    const double l[4] = {1, -1, 1, 1};
    std::vector<double> want(static_cast<size_t>(m * n));
    ref_latfilt(x.data(), m, n, h.data(), p, q, l, want.data());
    // L as a 3 x 3 matrix: only its first four elements are read; a fourth input is ignored.
    mxArray* big = dmatrix(3, 3, {1, -1, 1, 1, 99, 99, 99, 99, 99});
    hostresult r = hostcall(entry, 0, {named(dmatrix(m, n, x), "X"), named(dmatrix(p, q, h), "H"), named(big, "L"),
                                       dscalar(5)});
    ASSERT_FALSE(r.failed) << r.message;
    ASSERT_NE(r.out[0], nullptr);
    EXPECT_EQ(rowsof(r.out[0]), 5u);
    EXPECT_EQ(colsof(r.out[0]), 4u);
    EXPECT_TRUE(same_blocks(valuesof(r.out[0]).data(), want.data(), m, n));
    EXPECT_EQ(r.trace, filter_trace("mxCreateDoubleMatrix 5 4"));
    EXPECT_EQ(r.faults, "");
}

TEST_F(LatfiltEntry, EmptyImagesAndComplexInputs)
{
    hostresult empty = hostcall(entry, 1, {dmatrix(3, 0), dmatrix(2, 2, {1, 2, 3, 4}), drow({1, 0, 0, 1})});
    ASSERT_FALSE(empty.failed) << empty.message;
    EXPECT_EQ(rowsof(empty.out[0]), 3u);
    EXPECT_EQ(colsof(empty.out[0]), 0u);
    // A complex image is read through its real part.
    hostresult cplx = hostcall(entry, 1, {complexmatrix(1, 2, {3, 4}), dscalar(2), drow({1, 0, 0, 1})});
    ASSERT_FALSE(cplx.failed) << cplx.message;
    EXPECT_EQ(valuesof(cplx.out[0]), (std::vector<double>{6, 8}));
}

#if defined(MIXFILT_PLATFORM_MAC)
TEST_F(LatfiltEntry, MexVersionNamesTheInterface)
{
    typedef const char* (*versionfn)(void);
    versionfn version = reinterpret_cast<versionfn>(loadsymbol("latfilt", "mexVersion"));
    ASSERT_NE(version, nullptr);
    const char* first = version();
    EXPECT_EQ(first, version());
    EXPECT_STREQ(first, "MATLAB R13 native");
    EXPECT_EQ(loadsymbol("latfilt", "_version"), nullptr);
}
#endif

}  // namespace
