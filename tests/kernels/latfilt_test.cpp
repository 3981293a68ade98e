// Tests of the latfilt kernel and of the sampling-matrix rules it shares: steps, centring, start.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "kernels/latfilt.hpp"
#include "tests/support/filters_reference.hpp"

namespace {

const double nan_ = std::numeric_limits<double>::quiet_NaN();
const double inf_ = std::numeric_limits<double>::infinity();
const int32_t imax = std::numeric_limits<int32_t>::max();
const int32_t imin = std::numeric_limits<int32_t>::min();

// Setup, then the kernel on guarded copies of X and H; Y starts as -1 everywhere so that
// an element left unwritten shows. Checks that nothing outside Y was written.
std::vector<double> run_latfilt(const std::vector<double>& x, int32_t m, int32_t n,
                                const std::vector<double>& h, int32_t p, int32_t q,
                                const double l[4])
{
    latfilt_plan plan;
    EXPECT_EQ(latfilt_setup(l, p, q, &plan), lat_ok);
    guarded_block gx = guarded_copy(x), gh = guarded_copy(h);
    guarded_block gy = guarded_copy(std::vector<double>(static_cast<size_t>(m) * n, -1.0));
    latfilt(gx.data(), m, n, gh.data(), p, q, &plan, gy.data());
    EXPECT_TRUE(guards_intact(gy)) << "written outside Y";
    return std::vector<double>(gy.data(), gy.data() + static_cast<size_t>(m) * n);
}

void expect_matches_reference(const std::vector<double>& x, int32_t m, int32_t n,
                              const std::vector<double>& h, int32_t p, int32_t q, const double l[4])
{
    SCOPED_TRACE(testing::Message() << "M " << m << ", N " << n << ", P " << p << ", Q " << q
                                    << ", L " << l[0] << " " << l[1] << " " << l[2] << " " << l[3]);
    const std::vector<double> y = run_latfilt(x, m, n, h, p, q, l);
    std::vector<double> want(static_cast<size_t>(m) * n);
    ref_latfilt(x.data(), m, n, h.data(), p, q, l, want.data());
    EXPECT_TRUE(same_blocks(y.data(), want.data(), m, n));
}

TEST(latstep, truncates_toward_zero_and_refuses_what_int32_cannot_hold)
{
    struct row { double v; bool ok; int32_t want; };
    const row rows[] = {
        {2.9, true, 2},                 {-2.9, true, -2},
        {-0.5, true, 0},                {-0.0, true, 0},
        {2147483647.9, true, imax},     {-2147483648.9, true, imin},
        {2147483648.0, false, 0},       {-2147483649.0, false, 0},
        {1e300, false, 0},              {-1e300, false, 0},
        {inf_, false, 0},               {-inf_, false, 0},
        {nan_, false, 0},
    };
    for (const row& r : rows) {
        int32_t out = 12345;
        EXPECT_EQ(latstep(r.v, &out), r.ok) << r.v;
        EXPECT_EQ(out, r.ok ? r.want : 12345) << r.v;
    }
}

TEST(latcentre, follows_the_rule_in_double_and_refuses_terms_that_do_not_fit)
{
    // (L - 1) * 3 for L = 0x1.0000019555555p+26 lies just below 201326608 and rounds up to
    // it; adding -201326608 leaves 0 after the rounded product, a small negative after a
    // fused one, and the term truncates to 3 or to 2.
#if defined(MIXFILT_FLAVOUR_FUSED)
    const int32_t near_edge = 2;
#else
    const int32_t near_edge = 3;
#endif
    const double a = 0x1.0000019555555p+26, k = -201326608.0;
    struct row { const char* label; double l[4]; int32_t p, q; latstatus status; int32_t ucol, urow; };
    const row rows[] = {
        {"identity, 3 x 3", {1, 0, 0, 1}, 3, 3, lat_ok, 2, 2},
        {"identity, 4 x 4", {1, 0, 0, 1}, 4, 4, lat_ok, 3, 3},
        {"identity, 0 x 0", {1, 0, 0, 1}, 0, 0, lat_ok, -1, -1},
        {"L 1, 1, -1, 1 with 4 x 1", {1, 1, -1, 1}, 4, 1, lat_ok, -3, 3},
        {"L 1.5 with 1 x 5: not the steps' 4", {1.5, 0, 0, 1}, 1, 5, lat_ok, 6, 0},
        // 1.2 - 1 times 5 is 1 - 2^-52: +6 rounds to 7 in double but not in extended.
        {"L 1.2 with 1 x 6: double, not extended", {1.2, 0, 0, 1}, 1, 6, lat_ok, 6, 0},
        {"L 2, 0, 0, 3 with 2 x 2", {2, 0, 0, 3}, 2, 2, lat_ok, 2, 3},
        {"L12 moves the start column", {1, 0, 2, 1}, 3, 3, lat_ok, 6, 2},
        {"L 1, 0, -2, 1 with 3 x 1", {1, 0, -2, 1}, 3, 1, lat_ok, -4, 2},
        {"L11 0 with 1 x 3", {0, 0, 0, 1}, 1, 3, lat_ok, 0, 0},
        {"1 x 1 filter, huge finite entries", {1e300, -1e300, 1e300, -1e300}, 1, 1, lat_ok, 0, 0},
        {"rounding of the product (L11 - 1) * (Q - 1)", {a, 0, k, 1}, 2, 4, lat_ok, near_edge, 1},
        {"rounding of the product (L22 - 1) * (P - 1)", {1, k, 0, a}, 4, 2, lat_ok, 1, near_edge},
        {"largest Ucol", {2147483647.0, 0, 0, 1}, 1, 2, lat_ok, imax, 0},
        {"smallest Ucol", {1, 0, -2147483648.0, 1}, 2, 1, lat_ok, imin, 1},
        {"Ucol one past the top", {2147483648.0, 0, 0, 1}, 1, 2, lat_badcentre, 0, 0},
        {"Ucol one below the bottom", {1, 0, -2147483649.0, 1}, 2, 1, lat_badcentre, 0, 0},
        {"Ucol 3 * 2^30", {1073741824.0, 0, 0, 1}, 1, 4, lat_badcentre, 0, 0},
        {"Urow -3 * 2^30", {1, 0, 0, -1073741822.0}, 4, 1, lat_badcentre, 0, 0},
        {"NaN times zero", {1, 0, nan_, 1}, 1, 1, lat_badcentre, 0, 0},
        {"infinity times zero", {1, inf_, 0, 1}, 1, 1, lat_badcentre, 0, 0},
    };
    for (const row& r : rows) {
        int32_t ucol = 77, urow = 77;
        EXPECT_EQ(latcentre(r.l, r.p, r.q, &ucol, &urow), r.status) << r.label;
        EXPECT_EQ(ucol, r.status == lat_ok ? r.ucol : 77) << r.label;
        EXPECT_EQ(urow, r.status == lat_ok ? r.urow : 77) << r.label;
    }
}

TEST(latstart, halves_toward_zero_then_reduces_into_the_image)
{
    struct row { int32_t ucol, urow, m, n, c0, r0; };
    const row rows[] = {
        {3, 3, 2, 2, 1, 1},             // 3 halves to 1, not 2
        {-3, 3, 4, 5, 4, 1},            // -3 halves to -1, not -2
        {-4, 2, 3, 5, 3, 1},
        {6, 0, 1, 7, 3, 0},
        {-1, -1, 1, 1, 0, 0},
        {imin, imax, 7, 3, 2, 0},       // -2^30 mod 3, (2^30 - 1) mod 7
    };
    for (const row& r : rows) {
        int32_t c0 = -9, r0 = -9;
        latstart(r.ucol, r.urow, r.m, r.n, &c0, &r0);
        EXPECT_EQ(c0, r.c0) << r.ucol << " mod " << r.n;
        EXPECT_EQ(r0, r.r0) << r.urow << " mod " << r.m;
    }
}

TEST(latreduce, gives_the_least_non_negative_remainder_without_overflow)
{
    struct row { int32_t v, n, want; };
    const row rows[] = {
        {7, 3, 1}, {-7, 3, 2}, {5, 1, 0}, {0, 4, 0},
        {-1, imax, imax - 1}, {imin, imax, imax - 1}, {imax, imax, 0}, {imin, 1, 0},
    };
    for (const row& r : rows)
        EXPECT_EQ(latreduce(r.v, r.n), r.want) << r.v << " mod " << r.n;
}

TEST(latfilt_setup, converts_all_four_entries_and_changes_nothing_on_failure)
{
    struct row { const char* label; double l[4]; int32_t p, q; latstatus status; latfilt_plan want; };
    const row rows[] = {
        {"identity, 3 x 3", {1, 0, 0, 1}, 3, 3, lat_ok, {1, 0, 0, 1, 2, 2}},
        {"truncation toward zero", {2.9, -2.9, -0.5, 3.5}, 1, 1, lat_ok, {2, -2, 0, 3, 0, 0}},
        {"int32 extremes", {2147483647.0, -2147483648.0, -2147483648.0, 2147483647.0}, 2, 2, lat_ok,
         {imax, imin, imin, imax, -1, -1}},
        {"NaN L11", {nan_, 0, 0, 1}, 1, 1, lat_badstep, {}},
        {"NaN L21", {1, nan_, 0, 1}, 1, 1, lat_badstep, {}},
        {"NaN L12", {1, 0, nan_, 1}, 1, 1, lat_badstep, {}},
        {"NaN L22", {1, 0, 0, nan_}, 1, 1, lat_badstep, {}},
        {"+Inf L11", {inf_, 0, 0, 1}, 1, 1, lat_badstep, {}},
        {"-Inf L22", {1, 0, 0, -inf_}, 1, 1, lat_badstep, {}},
        {"1e300 L21", {1, 1e300, 0, 1}, 1, 1, lat_badstep, {}},
        {"2^31 L12", {1, 0, 2147483648.0, 1}, 1, 1, lat_badstep, {}},
        {"-2^31 - 1 L12", {1, 0, -2147483649.0, 1}, 1, 1, lat_badstep, {}},
        {"centring term too large", {1073741824.0, 0, 0, 1}, 1, 4, lat_badcentre, {}},
    };
    for (const row& r : rows) {
        latfilt_plan plan = {-5, -5, -5, -5, -5, -5};
        EXPECT_EQ(latfilt_setup(r.l, r.p, r.q, &plan), r.status) << r.label;
        const latfilt_plan want = r.status == lat_ok ? r.want : latfilt_plan{-5, -5, -5, -5, -5, -5};
        EXPECT_EQ(plan.s11, want.s11) << r.label;
        EXPECT_EQ(plan.s21, want.s21) << r.label;
        EXPECT_EQ(plan.s12, want.s12) << r.label;
        EXPECT_EQ(plan.s22, want.s22) << r.label;
        EXPECT_EQ(plan.ucol, want.ucol) << r.label;
        EXPECT_EQ(plan.urow, want.urow) << r.label;
    }
}

// Taps in storage order over a P x Q filter that lands at (dr - p, dc - q): the identity's walk.
std::vector<tap_term> identity_terms(int64_t p, int64_t q, int64_t dr, int64_t dc)
{
    std::vector<tap_term> t;
    for (int64_t b = 0; b < q; ++b)
        for (int64_t a = 0; a < p; ++a)
            t.push_back({dr - a, dc - b, a + b * p});
    return t;
}

TEST(latfilt, worked_cases_read_the_stated_samples_in_the_stated_order)
{
    struct row { const char* label; double l[4]; int32_t p, q, m, n; std::vector<tap_term> terms; };
    const row rows[] = {
        {"identity, 3 x 3: tap (1, 1) over the sample", {1, 0, 0, 1}, 3, 3, 4, 5, identity_terms(3, 3, 1, 1)},
        {"identity, 3 x 3 on a 2 x 2 image", {1, 0, 0, 1}, 3, 3, 2, 2, identity_terms(3, 3, 1, 1)},
        {"identity, 4 x 4: r0 = c0 = 1", {1, 0, 0, 1}, 4, 4, 5, 6, identity_terms(4, 4, 1, 1)},
        {"identity, 4 x 4 wrapping a 2 x 3 image", {1, 0, 0, 1}, 4, 4, 2, 3, identity_terms(4, 4, 1, 1)},
        {"identity, 1 x 2", {1, 0, 0, 1}, 1, 2, 3, 4, {{0, 0, 0}, {0, -1, 1}}},
        {"identity, 2 x 1", {1, 0, 0, 1}, 2, 1, 3, 4, {{0, 0, 0}, {-1, 0, 1}}},
        {"L 2, 0, 0, 1 with 1 x 3", {2, 0, 0, 1}, 1, 3, 3, 5, {{0, 2, 0}, {0, 0, 1}, {0, -2, 2}}},
        {"L 2, 0, 0, 1 with 1 x 3, two columns", {2, 0, 0, 1}, 1, 3, 3, 2, {{0, 2, 0}, {0, 0, 1}, {0, -2, 2}}},
        {"L 1, 1, -1, 1 with 1 x 2", {1, 1, -1, 1}, 1, 2, 3, 4, {{0, 0, 0}, {-1, -1, 1}}},
        {"L 1, 1, -1, 1 with 2 x 1", {1, 1, -1, 1}, 2, 1, 3, 4, {{0, 0, 0}, {-1, 1, 1}}},
        {"L 1, 1, -1, 1 with 4 x 1: c0 = N - 1, r0 = 1", {1, 1, -1, 1}, 4, 1, 4, 5,
         {{1, -1, 0}, {0, 0, 1}, {-1, 1, 2}, {-2, 2, 3}}},
        {"L 1.5 with 1 x 5: c0 = 3", {1.5, 0, 0, 1}, 1, 5, 2, 7, identity_terms(1, 5, 0, 3)},
        {"identity with 1 x 5: c0 = 2", {1, 0, 0, 1}, 1, 5, 2, 7, identity_terms(1, 5, 0, 2)},
        {"L 1.2 with 1 x 6: c0 = 3", {1.2, 0, 0, 1}, 1, 6, 2, 8, identity_terms(1, 6, 0, 3)},
        {"1 x 1 filter, steps beyond the limits", {3.7, -5, 9, 2.5}, 1, 1, 3, 4, {{0, 0, 0}}},
        {"2 x 3 filter on a 1 x 1 image: storage order", {1, 0, 0, 1}, 2, 3, 1, 1,
         {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}, {0, 0, 4}, {0, 0, 5}}},
    };
    std::mt19937 g(31);
    for (const row& r : rows) {
        SCOPED_TRACE(r.label);
        const std::vector<double> x = uniform_block(g, int64_t(r.m) * r.n);
        const std::vector<double> h = uniform_block(g, int64_t(r.p) * r.q);
        const std::vector<double> y = run_latfilt(x, r.m, r.n, h, r.p, r.q, r.l);
        std::vector<double> want(y.size());
        ref_terms(x.data(), r.m, r.n, h.data(), r.terms, r.m, r.n, want.data());
        EXPECT_TRUE(same_blocks(y.data(), want.data(), r.m, r.n));
    }
}

TEST(latfilt, matches_the_formula_for_any_steps)
{
    std::mt19937 g(20240611);
    const double fixed[][4] = {
        {2147483647.0, -2147483648.0, -2147483648.0, 2147483647.0},    // every step at an int32 end
        {-1, 0, 0, -1},                                                 // negative diagonal
        {0, 0, 0, 0},
    };
    for (int trial = 0; trial < 400; ++trial) {
        const int32_t m = static_cast<int32_t>(uniform_int(g, 1, 6));
        const int32_t n = static_cast<int32_t>(uniform_int(g, 1, 6));
        int32_t p = static_cast<int32_t>(uniform_int(g, 0, 9));
        int32_t q = static_cast<int32_t>(uniform_int(g, 0, 9));
        double l[4];
        if (trial < 3 * 10) {                           // the fixed matrices on ten sizes each
            for (int k = 0; k < 4; ++k)
                l[k] = fixed[trial / 10][k];
            if (trial < 10)
                p = q = 2;                              // keeps the extremes' centring in range
        } else {
            l[0] = draw_lattice_entry(g, n);
            l[1] = draw_lattice_entry(g, m);
            l[2] = draw_lattice_entry(g, n);
            l[3] = draw_lattice_entry(g, m);
        }
        const std::vector<double> x = uniform_block(g, int64_t(m) * n);
        const std::vector<double> h = uniform_block(g, int64_t(p) * q);
        expect_matches_reference(x, m, n, h, p, q, l);
    }
}

TEST(latfilt, empty_image_reads_and_writes_nothing)
{
    const double l[4] = {1, 0, 0, 1};
    const double h[4] = {1, 2, 3, 4};
    latfilt_plan plan;
    ASSERT_EQ(latfilt_setup(l, 2, 2, &plan), lat_ok);
    latfilt(nullptr, 0, 3, h, 2, 2, &plan, nullptr);    // no offsets either: no remainder by 0
    latfilt(nullptr, 3, 0, h, 2, 2, &plan, nullptr);
    latfilt(nullptr, 0, 0, h, 2, 2, &plan, nullptr);
}

TEST(latfilt, empty_filter_gives_positive_zeros)
{
    const double l[4] = {1, 0, 0, 1};
    const int32_t sizes[][2] = {{0, 0}, {0, 3}, {3, 0}};
    std::mt19937 g(5);
    const std::vector<double> x = uniform_block(g, 12);
    for (const auto& s : sizes) {
        latfilt_plan plan;
        ASSERT_EQ(latfilt_setup(l, s[0], s[1], &plan), lat_ok);
        std::vector<double> y(12, -1.0);
        latfilt(x.data(), 3, 4, nullptr, s[0], s[1], &plan, y.data());
        const std::vector<double> zeros(12, 0.0);
        EXPECT_TRUE(same_blocks(y.data(), zeros.data(), 3, 4)) << s[0] << " x " << s[1];
    }
}

TEST(latfilt, nan_reaches_exactly_the_samples_that_read_it)
{
    const double l[4] = {1, 0, 0, 1};
    std::mt19937 g(8);
    std::vector<double> x = uniform_block(g, 4 * 5);
    std::vector<double> h = uniform_block(g, 3 * 3);
    x[2 + 3 * 4] = nan_;                                // X[2, 3]
    std::vector<double> y = run_latfilt(x, 4, 5, h, 3, 3, l);
    for (int32_t j = 0; j < 5; ++j)
        for (int32_t i = 0; i < 4; ++i)                 // rows 1..3 and columns 2..4 read X[2, 3]
            EXPECT_EQ(std::isnan(y[i + j * 4]), i >= 1 && j >= 2) << i << ", " << j;

    x[2 + 3 * 4] = 0.5;
    h[4] = nan_;
    y = run_latfilt(x, 4, 5, h, 3, 3, l);
    for (double v : y)
        EXPECT_TRUE(std::isnan(v));
}

TEST(latfilt, rounding_follows_the_flavour)
{
    const double l[4] = {1, 0, 0, 1};
    const double one = 1.0, big[3] = {0x1p53, 1.0, -0x1p53};
    const double x2[2] = {1.0, 1.0 - 0x1p-30}, tiny[2] = {-1.0, 1.0 + 0x1p-30};
    latfilt_plan pbig, ptiny;
    ASSERT_EQ(latfilt_setup(l, 1, 3, &pbig), lat_ok);
    ASSERT_EQ(latfilt_setup(l, 1, 2, &ptiny), lat_ok);
    double ybig = -1, ytiny[2] = {-1, -1};
    EXPECT_TRUE(run_at_host_precision([&] {
        latfilt(&one, 1, 1, big, 1, 3, &pbig, &ybig);
        latfilt(x2, 1, 2, tiny, 1, 2, &ptiny, ytiny);
    })) << "x87 control word not handed back";
    EXPECT_EQ(ybig, probe_big_expected());
    EXPECT_EQ(ytiny[0], probe_tiny_expected());         // Y[0, 0] = X[0, 0] * -1 + X[0, 1] * (1 + 2^-30)
}

}  // namespace
