// Tests of the latfiltS kernel: the diagonal steps place the taps, the off-diagonals only centre.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "kernels/latfilt.hpp"
#include "kernels/latfiltS.hpp"
#include "tests/support/filters_reference.hpp"

namespace {

const double nan_ = std::numeric_limits<double>::quiet_NaN();
const double inf_ = std::numeric_limits<double>::infinity();

// Setup, then the kernel on guarded copies of X and H; Y starts as -1 everywhere so that
// an element left unwritten shows. Checks that nothing outside Y was written.
std::vector<double> run_latfiltS(const std::vector<double>& x, int32_t m, int32_t n,
                                 const std::vector<double>& h, int32_t p, int32_t q,
                                 const double l[4])
{
    latfiltS_plan plan;
    EXPECT_EQ(latfiltS_setup(l, p, q, &plan), lat_ok);
    guarded_block gx = guarded_copy(x), gh = guarded_copy(h);
    guarded_block gy = guarded_copy(std::vector<double>(static_cast<size_t>(m) * n, -1.0));
    latfiltS(gx.data(), m, n, gh.data(), p, q, &plan, gy.data());
    EXPECT_TRUE(guards_intact(gy)) << "written outside Y";
    return std::vector<double>(gy.data(), gy.data() + static_cast<size_t>(m) * n);
}

TEST(latfiltS_setup, converts_the_diagonal_only_and_changes_nothing_on_failure)
{
    struct row { const char* label; double l[4]; int32_t p, q; latstatus status; latfiltS_plan want; };
    const row rows[] = {
        {"identity, 3 x 3", {1, 0, 0, 1}, 3, 3, lat_ok, {1, 1, 2, 2}},
        {"L 2, 0, 0, 3 with 2 x 2", {2.9, 0, 0, 3.2}, 2, 2, lat_ok, {2, 3, 2, 3}},
        {"L12 moves the start column", {1, 0, 2, 1}, 3, 3, lat_ok, {1, 1, 6, 2}},
        {"huge finite L12 times P - 1 = 0", {1, 0, 1e300, 1}, 1, 3, lat_ok, {1, 1, 2, 0}},
        {"huge finite L21 times Q - 1 = 0", {1, -1e300, 0, 1}, 3, 1, lat_ok, {1, 1, 0, 2}},
        {"L12 beyond int32, centring in range", {1, 0, 4294967296.0, 1}, 1, 2, lat_ok, {1, 1, 1, 0}},
        {"NaN L11", {nan_, 0, 0, 1}, 1, 1, lat_badstep, {}},
        {"+Inf L22", {1, 0, 0, inf_}, 1, 1, lat_badstep, {}},
        {"2^31 L11", {2147483648.0, 0, 0, 1}, 1, 1, lat_badstep, {}},
        {"-1e300 L22", {1, 0, 0, -1e300}, 1, 1, lat_badstep, {}},
        {"NaN L12 even times 0", {1, 0, nan_, 1}, 1, 3, lat_badcentre, {}},
        {"NaN L21", {1, nan_, 0, 1}, 3, 3, lat_badcentre, {}},
        {"infinite L12 times 0", {1, 0, inf_, 1}, 1, 3, lat_badcentre, {}},
        {"huge L12 times P - 1 = 1", {1, 0, 1e300, 1}, 2, 3, lat_badcentre, {}},
        {"L21 of 3e9 times Q - 1 = 1", {1, 3e9, 0, 1}, 3, 2, lat_badcentre, {}},
    };
    for (const row& r : rows) {
        latfiltS_plan plan = {-5, -5, -5, -5};
        EXPECT_EQ(latfiltS_setup(r.l, r.p, r.q, &plan), r.status) << r.label;
        const latfiltS_plan want = r.status == lat_ok ? r.want : latfiltS_plan{-5, -5, -5, -5};
        EXPECT_EQ(plan.s11, want.s11) << r.label;
        EXPECT_EQ(plan.s22, want.s22) << r.label;
        EXPECT_EQ(plan.ucol, want.ucol) << r.label;
        EXPECT_EQ(plan.urow, want.urow) << r.label;
    }
}

// Taps in storage order over a P x Q filter with row step sr and column step sc, the first
// tap at (dr, dc) from the output sample.
std::vector<tap_term> diagonal_terms(int64_t p, int64_t q, int64_t sr, int64_t sc, int64_t dr, int64_t dc)
{
    std::vector<tap_term> t;
    for (int64_t b = 0; b < q; ++b)
        for (int64_t a = 0; a < p; ++a)
            t.push_back({dr - sr * a, dc - sc * b, a + b * p});
    return t;
}

TEST(latfiltS, worked_cases_read_the_stated_samples_in_the_stated_order)
{
    struct row {
        const char* label;
        double l[4];
        int32_t p, q, m, n;
        std::vector<tap_term> terms;
        std::vector<double> h;                          // random when empty
    };
    const double b53 = 0x1p53;
    const row rows[] = {
        {"identity, 3 x 3: r0 = c0 = 1", {1, 0, 0, 1}, 3, 3, 4, 5, diagonal_terms(3, 3, 1, 1, 1, 1), {}},
        {"identity, 4 x 4: r0 = c0 = 1", {1, 0, 0, 1}, 4, 4, 5, 6, diagonal_terms(4, 4, 1, 1, 1, 1), {}},
        {"L 2, 0, 0, 3 with 2 x 2", {2, 0, 0, 3}, 2, 2, 5, 4,
         {{1, 1, 0}, {-2, 1, 1}, {1, -1, 2}, {-2, -1, 3}}, {}},
        {"L 1, 0, 2, 1 with 3 x 3: c0 = 3", {1, 0, 2, 1}, 3, 3, 4, 7, diagonal_terms(3, 3, 1, 1, 1, 3), {}},
        {"L 1, 0, -2, 1 with 3 x 1: c0 = N - 2", {1, 0, -2, 1}, 3, 1, 4, 5, diagonal_terms(3, 1, 1, 1, 1, -2), {}},
        {"L 0, 0, 0, 1 with 1 x 3: three taps on the sample, in order", {0, 0, 0, 1}, 1, 3, 3, 4,
         {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}}, {b53, 1.0, -b53}},
        {"L21 shifts the start row only", {1, 4, 0, 1}, 2, 2, 6, 3, diagonal_terms(2, 2, 1, 1, 2, 0), {}},
        {"1 x 1 filter, any off-diagonals", {3, 1e300, -1e300, 5}, 1, 1, 3, 4, {{0, 0, 0}}, {}},
        {"filter larger than the image wraps", {1, 0, 0, 1}, 5, 3, 2, 2, diagonal_terms(5, 3, 1, 1, 2, 1), {}},
    };
    std::mt19937 g(47);
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        const std::vector<double> x = uniform_block(g, int64_t(r.m) * r.n);
        const std::vector<double> h = r.h.empty() ? uniform_block(g, int64_t(r.p) * r.q) : r.h;
        const std::vector<double> y = run_latfiltS(x, r.m, r.n, h, r.p, r.q, r.l);
        std::vector<double> want(y.size());
        ref_terms(x.data(), r.m, r.n, h.data(), r.terms, r.m, r.n, want.data());
        EXPECT_TRUE(same_blocks(y.data(), want.data(), r.m, r.n));
    }
}

TEST(latfiltS, matches_the_formula_for_any_steps)
{
    std::mt19937 g(777);
    for (int trial = 0; trial < 400; ++trial) {
        const int32_t m = static_cast<int32_t>(uniform_int(g, 1, 6));
        const int32_t n = static_cast<int32_t>(uniform_int(g, 1, 6));
        const int32_t p = static_cast<int32_t>(uniform_int(g, 0, 9));
        const int32_t q = static_cast<int32_t>(uniform_int(g, 0, 9));
        const double l[4] = {draw_lattice_entry(g, n), draw_lattice_entry(g, m),
                             draw_lattice_entry(g, n), draw_lattice_entry(g, m)};
        const std::vector<double> x = uniform_block(g, int64_t(m) * n);
        const std::vector<double> h = uniform_block(g, int64_t(p) * q);
        SCOPED_TRACE(testing::Message() << "M " << m << ", N " << n << ", P " << p << ", Q " << q
                                        << ", L " << l[0] << " " << l[1] << " " << l[2] << " " << l[3]);
        const std::vector<double> y = run_latfiltS(x, m, n, h, p, q, l);
        std::vector<double> want(y.size());
        ref_latfiltS(x.data(), m, n, h.data(), p, q, l, want.data());
        EXPECT_TRUE(same_blocks(y.data(), want.data(), m, n));
    }
}

TEST(latfiltS, equals_latfilt_when_the_off_diagonals_are_zero)
{
    std::mt19937 g(99);
    for (int trial = 0; trial < 100; ++trial) {
        const int32_t m = static_cast<int32_t>(uniform_int(g, 1, 6));
        const int32_t n = static_cast<int32_t>(uniform_int(g, 1, 6));
        const int32_t p = static_cast<int32_t>(uniform_int(g, 0, 9));
        const int32_t q = static_cast<int32_t>(uniform_int(g, 0, 9));
        const double l[4] = {draw_lattice_entry(g, n), 0, 0, draw_lattice_entry(g, m)};
        const std::vector<double> x = uniform_block(g, int64_t(m) * n);
        const std::vector<double> h = uniform_block(g, int64_t(p) * q);
        latfilt_plan plan;
        ASSERT_EQ(latfilt_setup(l, p, q, &plan), lat_ok);
        std::vector<double> want(x.size());
        latfilt(x.data(), m, n, h.data(), p, q, &plan, want.data());
        const std::vector<double> y = run_latfiltS(x, m, n, h, p, q, l);
        EXPECT_TRUE(same_blocks(y.data(), want.data(), m, n)) << "L11 " << l[0] << ", L22 " << l[3];
    }
}

TEST(latfiltS, empty_image_reads_and_writes_nothing)
{
    const double l[4] = {1, 0, 0, 1};
    const double h[4] = {1, 2, 3, 4};
    latfiltS_plan plan;
    ASSERT_EQ(latfiltS_setup(l, 2, 2, &plan), lat_ok);
    latfiltS(nullptr, 0, 3, h, 2, 2, &plan, nullptr);   // no offsets either: no remainder by 0
    latfiltS(nullptr, 3, 0, h, 2, 2, &plan, nullptr);
    latfiltS(nullptr, 0, 0, h, 2, 2, &plan, nullptr);
}

TEST(latfiltS, empty_filter_gives_positive_zeros)
{
    const double l[4] = {1, 0, 0, 1};
    const int32_t sizes[][2] = {{0, 0}, {0, 3}, {3, 0}};
    std::mt19937 g(5);
    const std::vector<double> x = uniform_block(g, 12);
    for (const auto& s : sizes) {
        latfiltS_plan plan;
        ASSERT_EQ(latfiltS_setup(l, s[0], s[1], &plan), lat_ok);
        std::vector<double> y(12, -1.0);
        latfiltS(x.data(), 3, 4, nullptr, s[0], s[1], &plan, y.data());
        const std::vector<double> zeros(12, 0.0);
        EXPECT_TRUE(same_blocks(y.data(), zeros.data(), 3, 4)) << s[0] << " x " << s[1];
    }
}

TEST(latfiltS, nan_reaches_exactly_the_samples_that_read_it)
{
    const double l[4] = {2, 0, 0, 3};                   // 2 x 2 filter: rows i+1, i-2; columns j+1, j-1
    std::mt19937 g(8);
    std::vector<double> x = uniform_block(g, 6 * 5);
    std::vector<double> h = uniform_block(g, 2 * 2);
    x[0 + 2 * 6] = nan_;                                // X[0, 2]
    std::vector<double> y = run_latfiltS(x, 6, 5, h, 2, 2, l);
    for (int32_t j = 0; j < 5; ++j)
        for (int32_t i = 0; i < 6; ++i)                 // rows 5 and 2, columns 1 and 3
            EXPECT_EQ(std::isnan(y[i + j * 6]), (i == 5 || i == 2) && (j == 1 || j == 3)) << i << ", " << j;

    x[0 + 2 * 6] = 0.5;
    h[3] = nan_;
    y = run_latfiltS(x, 6, 5, h, 2, 2, l);
    for (double v : y)
        EXPECT_TRUE(std::isnan(v));
}

TEST(latfiltS, rounding_follows_the_flavour)
{
    const double l[4] = {1, 0, 0, 1};
    const double one = 1.0, big[3] = {0x1p53, 1.0, -0x1p53};
    const double x2[2] = {1.0, 1.0 - 0x1p-30}, tiny[2] = {-1.0, 1.0 + 0x1p-30};
    latfiltS_plan pbig, ptiny;
    ASSERT_EQ(latfiltS_setup(l, 1, 3, &pbig), lat_ok);
    ASSERT_EQ(latfiltS_setup(l, 1, 2, &ptiny), lat_ok);
    double ybig = -1, ytiny[2] = {-1, -1};
    EXPECT_TRUE(run_at_host_precision([&] {
        latfiltS(&one, 1, 1, big, 1, 3, &pbig, &ybig);
        latfiltS(x2, 1, 2, tiny, 1, 2, &ptiny, ytiny);
    })) << "x87 control word not handed back";
    EXPECT_EQ(ybig, probe_big_expected());
    EXPECT_EQ(ytiny[0], probe_tiny_expected());         // Y[0, 0] = X[0, 0] * -1 + X[0, 1] * (1 + 2^-30)
}

}  // namespace
