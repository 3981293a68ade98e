// Tests of the dilfilt kernel: the valid region of a convolution with a dilated filter.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "kernels/dilfilt.hpp"
#include "tests/support/filters_reference.hpp"

namespace {

const double nan_ = std::numeric_limits<double>::quiet_NaN();
const double inf_ = std::numeric_limits<double>::infinity();
const int64_t two62 = int64_t(1) << 62;

// Setup, then the kernel on guarded copies of X and H; Y starts as -1 everywhere so that
// an element left unwritten shows. Checks that nothing outside Y was written.
std::vector<double> run_dilfilt(const std::vector<double>& x, int64_t m, int64_t n,
                                const std::vector<double>& h, int64_t p, int64_t q,
                                const double l[4], dilfilt_plan* plan)
{
    EXPECT_EQ(dilfilt_setup(l, m, n, p, q, plan), lat_ok);
    guarded_block gx = guarded_copy(x), gh = guarded_copy(h);
    const size_t count = static_cast<size_t>(plan->my * plan->ny);
    guarded_block gy = guarded_copy(std::vector<double>(count, -1.0));
    dilfilt(gx.data(), m, n, gh.data(), p, q, plan, gy.data());
    EXPECT_TRUE(guards_intact(gy)) << "written outside Y";
    return std::vector<double>(gy.data(), gy.data() + count);
}

TEST(dilfilt_setup, sizes_the_valid_region_and_changes_nothing_on_failure)
{
    struct row {
        const char* label;
        double l[4];
        int64_t m, n, p, q;
        latstatus status;
        dilfilt_plan want;
    };
    const int64_t big_count = two62 - 2 * int64_t(2147483647) + 1;
    const row rows[] = {
        {"s = 1", {1, 0, 0, 1}, 5, 6, 2, 3, lat_ok, {1, 1, 4, 4}},
        {"s = 2, 2 x 2 filter, 6 x 5 image", {2, 0, 0, 2}, 6, 5, 2, 2, lat_ok, {2, 2, 3, 2}},
        {"2.9 truncates to 2", {2.9, 0, 0, 2.9}, 6, 5, 2, 2, lat_ok, {2, 2, 3, 2}},
        {"off-diagonals 5 and 7 ignored", {2, 5, 7, 2}, 6, 5, 2, 2, lat_ok, {2, 2, 3, 2}},
        {"NaN off-diagonals ignored", {2, nan_, nan_, 2}, 6, 5, 2, 2, lat_ok, {2, 2, 3, 2}},
        {"S22 sizes the rows, S11 the columns", {3, 0, 0, 2}, 7, 10, 2, 2, lat_ok, {3, 2, 4, 5}},
        {"dilated filter equal to the image", {2, 0, 0, 2}, 6, 4, 3, 2, lat_ok, {2, 2, 1, 1}},
        {"one row too many", {2, 0, 0, 2}, 5, 4, 3, 2, lat_ok, {2, 2, 0, 1}},
        {"0 x 0 filter: M + 1 by N + 1", {2, 0, 0, 2}, 4, 3, 0, 0, lat_ok, {2, 2, 5, 4}},
        {"0-row filter", {2, 0, 0, 2}, 4, 5, 0, 2, lat_ok, {2, 2, 5, 2}},
        {"0-column filter", {2, 0, 0, 2}, 4, 5, 2, 0, lat_ok, {2, 2, 1, 6}},
        {"image with 0 rows", {1, 0, 0, 1}, 0, 4, 1, 1, lat_ok, {1, 1, 0, 4}},
        {"steps of 2^30 and a 4 x 4 filter", {1073741824.0, 0, 0, 1073741824.0}, 5, 5, 4, 4, lat_ok,
         {1073741824, 1073741824, 0, 0}},
        {"counts near 2^62", {2147483647.0, 0, 0, 2147483647.0}, two62, two62, two62, 2, lat_ok,
         {2147483647, 2147483647, 0, big_count}},
        {"extents whose products wrap in 64 bits", {9, 0, 0, 5}, two62, two62, two62, two62 / 2, lat_ok,
         {9, 5, 0, 0}},
        {"NaN L11", {nan_, 0, 0, 2}, 6, 5, 2, 2, lat_badstep, {}},
        {"-Inf L22", {2, 0, 0, -inf_}, 6, 5, 2, 2, lat_badstep, {}},
        {"1e300 L11", {1e300, 0, 0, 2}, 6, 5, 2, 2, lat_badstep, {}},
        {"2^31 L22", {2, 0, 0, 2147483648.0}, 6, 5, 2, 2, lat_badstep, {}},
        {"NaN L22 after a step of 0", {0, 0, 0, nan_}, 6, 5, 2, 2, lat_badstep, {}},
        {"step 0", {0, 0, 0, 2}, 6, 5, 2, 2, lat_smallstep, {}},
        {"-0.5 truncates to 0", {2, 0, 0, -0.5}, 6, 5, 2, 2, lat_smallstep, {}},
        {"0.99 truncates to 0", {0.99, 0, 0, 2}, 6, 5, 2, 2, lat_smallstep, {}},
        {"negative step", {2, 0, 0, -3}, 6, 5, 2, 2, lat_smallstep, {}},
        {"-2^31", {-2147483648.0, 0, 0, 2}, 6, 5, 2, 2, lat_smallstep, {}},
    };
    for (const row& r : rows) {
        dilfilt_plan plan = {-5, -5, -5, -5};
        EXPECT_EQ(dilfilt_setup(r.l, r.m, r.n, r.p, r.q, &plan), r.status) << r.label;
        const dilfilt_plan want = r.status == lat_ok ? r.want : dilfilt_plan{-5, -5, -5, -5};
        EXPECT_EQ(plan.s11, want.s11) << r.label;
        EXPECT_EQ(plan.s22, want.s22) << r.label;
        EXPECT_EQ(plan.my, want.my) << r.label;
        EXPECT_EQ(plan.ny, want.ny) << r.label;
    }
}

// Taps in reverse storage order, H[P-1, Q-1] first, at X[i + sr*(P - p) - 1, j + sc*(Q - q) - 1].
std::vector<tap_term> dilated_terms(int64_t p, int64_t q, int64_t sr, int64_t sc)
{
    std::vector<tap_term> t;
    for (int64_t b = q - 1; b >= 0; --b)
        for (int64_t a = p - 1; a >= 0; --a)
            t.push_back({sr * (p - a) - 1, sc * (q - b) - 1, a + b * p});
    return t;
}

TEST(dilfilt, worked_cases_read_the_stated_samples_in_the_stated_order)
{
    struct row {
        const char* label;
        double l[4];
        int64_t p, q, m, n, my, ny;
        std::vector<tap_term> terms;
    };
    const row rows[] = {
        {"s = 1: the plain valid convolution", {1, 0, 0, 1}, 2, 3, 5, 6, 4, 4,
         {{0, 0, 5}, {1, 0, 4}, {0, 1, 3}, {1, 1, 2}, {0, 2, 1}, {1, 2, 0}}},
        {"1 x 1 filter, s = 3: X less two rows and columns", {3, 0, 0, 3}, 1, 1, 5, 6, 3, 4, {{2, 2, 0}}},
        {"dilated filter equal to the image: 1 x 1", {2, 0, 0, 2}, 3, 2, 6, 4, 1, 1, dilated_terms(3, 2, 2, 2)},
        {"s = 2, 2 x 2 filter, 6 x 5 image", {2, 0, 0, 2}, 2, 2, 6, 5, 3, 2,
         {{1, 1, 3}, {3, 1, 2}, {1, 3, 1}, {3, 3, 0}}},
        {"S11 = 3, S22 = 2: every read inside X", {3, 0, 0, 2}, 2, 2, 7, 10, 4, 5, dilated_terms(2, 2, 2, 3)},
        {"S11 = 1, S22 = 4", {1, 0, 0, 4}, 2, 3, 9, 4, 2, 2, dilated_terms(2, 3, 4, 1)},
    };
    std::mt19937 g(53);
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        const std::vector<double> x = uniform_block(g, r.m * r.n);
        const std::vector<double> h = uniform_block(g, r.p * r.q);
        dilfilt_plan plan;
        const std::vector<double> y = run_dilfilt(x, r.m, r.n, h, r.p, r.q, r.l, &plan);
        ASSERT_EQ(plan.my, r.my);
        ASSERT_EQ(plan.ny, r.ny);
        std::vector<double> want(y.size());
        ref_terms(x.data(), r.m, r.n, h.data(), r.terms, r.my, r.ny, want.data());
        EXPECT_TRUE(same_blocks(y.data(), want.data(), r.my, r.ny));
    }
}

TEST(dilfilt, matches_the_formula_for_any_steps_and_sizes)
{
    std::mt19937 g(4242);
    for (int trial = 0; trial < 400; ++trial) {
        const int64_t m = uniform_int(g, 0, 9), n = uniform_int(g, 0, 9);
        const int64_t p = uniform_int(g, 0, 4), q = uniform_int(g, 0, 4);
        const double l[4] = {uniform_int(g, 1, 4) + 0.5 * (uniform_pm1(g) + 1), uniform_pm1(g),
                             uniform_pm1(g), static_cast<double>(uniform_int(g, 1, 4))};
        const std::vector<double> x = uniform_block(g, m * n);
        const std::vector<double> h = uniform_block(g, p * q);
        SCOPED_TRACE(testing::Message() << "M " << m << ", N " << n << ", P " << p << ", Q " << q
                                        << ", L11 " << l[0] << ", L22 " << l[3]);
        dilfilt_plan plan;
        const std::vector<double> y = run_dilfilt(x, m, n, h, p, q, l, &plan);
        const int64_t s11 = static_cast<int64_t>(l[0]), s22 = static_cast<int64_t>(l[3]);
        ASSERT_EQ(plan.my, ref_validcount(m, p, s22));
        ASSERT_EQ(plan.ny, ref_validcount(n, q, s11));
        std::vector<double> want(y.size());
        ref_dilfilt(x.data(), m, n, h.data(), p, q, s11, s22, want.data());
        EXPECT_TRUE(same_blocks(y.data(), want.data(), plan.my, plan.ny));
    }
}

TEST(dilfilt, empty_output_reads_and_writes_nothing)
{
    struct row { const char* label; double l[4]; int64_t m, n, p, q; };
    const row rows[] = {
        {"image with 0 rows", {1, 0, 0, 1}, 0, 4, 1, 1},
        {"image with 0 columns", {1, 0, 0, 1}, 4, 0, 1, 1},
        {"dilated filter taller than the image", {2, 0, 0, 2}, 5, 9, 3, 2},
        {"steps of 2^30 and a 4 x 4 filter", {1073741824.0, 0, 0, 1073741824.0}, 5, 5, 4, 4},
    };
    for (const row& r : rows) {
        dilfilt_plan plan;
        ASSERT_EQ(dilfilt_setup(r.l, r.m, r.n, r.p, r.q, &plan), lat_ok) << r.label;
        ASSERT_EQ(plan.my * plan.ny, 0) << r.label;
        dilfilt(nullptr, r.m, r.n, nullptr, r.p, r.q, &plan, nullptr);
    }
}

TEST(dilfilt, empty_filter_gives_positive_zeros)
{
    const double l[4] = {2, 0, 0, 2};
    const int64_t sizes[][2] = {{0, 0}, {0, 2}, {2, 0}};
    std::mt19937 g(5);
    const std::vector<double> x = uniform_block(g, 4 * 5);
    for (const auto& s : sizes) {
        dilfilt_plan plan;
        ASSERT_EQ(dilfilt_setup(l, 4, 5, s[0], s[1], &plan), lat_ok);
        std::vector<double> y(static_cast<size_t>(plan.my * plan.ny), -1.0);
        dilfilt(x.data(), 4, 5, nullptr, s[0], s[1], &plan, y.data());
        const std::vector<double> zeros(y.size(), 0.0);
        EXPECT_TRUE(same_blocks(y.data(), zeros.data(), plan.my, plan.ny)) << s[0] << " x " << s[1];
    }
}

TEST(dilfilt, nan_reaches_exactly_the_samples_that_read_it)
{
    const double l[4] = {2, 0, 0, 2};                   // rows i+1, i+3; columns j+1, j+3
    std::mt19937 g(8);
    std::vector<double> x = uniform_block(g, 6 * 5);
    std::vector<double> h = uniform_block(g, 2 * 2);
    x[3 + 3 * 6] = nan_;                                // X[3, 3]
    dilfilt_plan plan;
    std::vector<double> y = run_dilfilt(x, 6, 5, h, 2, 2, l, &plan);
    for (int64_t j = 0; j < 2; ++j)
        for (int64_t i = 0; i < 3; ++i)
            EXPECT_EQ(std::isnan(y[i + j * 3]), (i == 0 || i == 2) && j == 0) << i << ", " << j;

    x[3 + 3 * 6] = 0.5;
    h[0] = nan_;
    y = run_dilfilt(x, 6, 5, h, 2, 2, l, &plan);
    for (double v : y)
        EXPECT_TRUE(std::isnan(v));
}

TEST(dilfilt, rounding_follows_the_flavour)
{
    const double l[4] = {1, 0, 0, 1};
    // Taps go H[0, Q-1] first: these give 2^53, 1, -2^53 and -1, (1 + 2^-30) * (1 - 2^-30).
    const double ones[3] = {1.0, 1.0, 1.0}, big[3] = {-0x1p53, 1.0, 0x1p53};
    const double x2[2] = {1.0, 1.0 - 0x1p-30}, tiny[2] = {1.0 + 0x1p-30, -1.0};
    dilfilt_plan pbig, ptiny;
    ASSERT_EQ(dilfilt_setup(l, 1, 3, 1, 3, &pbig), lat_ok);
    ASSERT_EQ(dilfilt_setup(l, 1, 2, 1, 2, &ptiny), lat_ok);
    double ybig = -1, ytiny = -1;
    EXPECT_TRUE(run_at_host_precision([&] {
        dilfilt(ones, 1, 3, big, 1, 3, &pbig, &ybig);
        dilfilt(x2, 1, 2, tiny, 1, 2, &ptiny, &ytiny);
    })) << "x87 control word not handed back";
    EXPECT_EQ(ybig, probe_big_expected());
    EXPECT_EQ(ytiny, probe_tiny_expected());
}

}  // namespace
