// latfiltS through the stand-in host: unreadable inputs refused, results, host calls.
#include <cmath>
#include <random>
#include <gtest/gtest.h>
#include "tests/support/filterentry.hpp"
#include "tests/support/filters_reference.hpp"
#include "tests/support/hostcall.hpp"

namespace {

#if defined(MIXFILT_PLATFORM_MAC)
const char* const banner = "mixfilt";       // the PowerPC build's fixed text
#else
const char* const banner = "";
#endif

class LatfiltSEntry : public ::testing::Test {
protected:
    void TearDown() override { releaseall(); }
    mexentry entry = loadentry("latfiltS");
};

TEST_F(LatfiltSEntry, UnreadableInputsAreRefused)
{
    expect_unreadable_inputs_refused(entry, "LATFILTS");
    // Off-diagonal entries are no steps: only the centring terms they enter are judged.
    hostresult huge = hostcall(entry, 1, {dmatrix(2, 2), dmatrix(1, 1), drow({1, 1e300, 1e300, 1})});
    EXPECT_FALSE(huge.failed) << huge.message;      // a 1 x 1 filter multiplies them by 0
    hostresult bad = hostcall(entry, 1, {dmatrix(2, 2), dmatrix(2, 2), drow({1, 1e300, 0, 1})});
    EXPECT_EQ(bad.message, "LATFILTS cannot centre the filter: a centring term from L and the filter size is not "
                           "finite or leaves the 32-bit integer range.");
    EXPECT_EQ(bad.printed, "");
}

TEST_F(LatfiltSEntry, MatchesTheFormulaAndTheHostCallOrder)
{
    std::mt19937 g(11);
    const int64_t m = 6, n = 5, p = 3, q = 4;
    std::vector<double> x = uniform_block(g, m * n), h = uniform_block(g, p * q);
    const double l[4] = {2, 1, -2, 3};
    std::vector<double> want(static_cast<size_t>(m * n));
    ref_latfiltS(x.data(), m, n, h.data(), p, q, l, want.data());
    hostresult r = hostcall(entry, 0, {named(dmatrix(m, n, x), "X"), named(dmatrix(p, q, h), "H"),
                                       named(dcol({2, 1, -2, 3}), "L")});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_TRUE(same_blocks(valuesof(r.out[0]).data(), want.data(), m, n));
    std::vector<std::string> trace = filter_trace("mxCreateDoubleMatrix 6 5");
    if (*banner)
        trace.push_back("mexPrintf");       // after Y is created, before any sample
    EXPECT_EQ(r.trace, trace);
    EXPECT_EQ(r.printed, banner);
    EXPECT_EQ(r.faults, "");
}

TEST_F(LatfiltSEntry, EmptyImageStillPrintsOnce)
{
    hostresult r = hostcall(entry, 1, {dmatrix(0, 4), dmatrix(2, 2, {1, 2, 3, 4}), drow({1, 0, 0, 1})});
    ASSERT_FALSE(r.failed) << r.message;
    EXPECT_EQ(rowsof(r.out[0]), 0u);
    EXPECT_EQ(colsof(r.out[0]), 4u);
    EXPECT_EQ(r.printed, banner);
}

#if defined(MIXFILT_PLATFORM_MAC)
TEST_F(LatfiltSEntry, MexVersionNamesTheInterface)
{
    typedef const char* (*versionfn)(void);
    versionfn version = reinterpret_cast<versionfn>(loadsymbol("latfiltS", "mexVersion"));
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version(), version());
    EXPECT_STREQ(version(), "MATLAB R13 native");
}
#endif

}  // namespace
