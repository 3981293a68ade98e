// tallmix kernel on plain arrays: index conversion, order of terms, flavours.
#include <cmath>
#include <cstdint>
#include <limits>
#include <gtest/gtest.h>
#include "kernels/fparith.hpp"
#include "kernels/tallmix.hpp"
#include "tests/support/x87.hpp"

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();

template <typename Index>
class MixIndex : public ::testing::Test {};
using IndexTypes = ::testing::Types<int32_t, uint64_t>;
TYPED_TEST_SUITE(MixIndex, IndexTypes);

TYPED_TEST(MixIndex, BiasOfOneTenthThenTruncation)
{
    struct { double v; long long index; } cases[] = {   // bound 5; -1 when rejected
        {0.9, 0}, {0.89, -1}, {2.89, 1}, {2.9, 2}, {2.95, 2}, {5.89, 4}, {5.9, -1},
        {0.0, -1}, {-1.0, -1}, {-0.5, -1}, {-0.0, -1}, {nan, -1}, {inf, -1}, {-inf, -1},
        {1e300, -1}, {2147483648.0, -1}, {18446744073709551616.0, -1},
    };
    for (const auto& c : cases) {
        TypeParam out = 99;
        bool ok = mixindex<TypeParam>(c.v, 5, &out);
        EXPECT_EQ(ok, c.index >= 0) << c.v;
        if (ok) {
            EXPECT_EQ(static_cast<long long>(out), c.index) << c.v;
        }
    }
}

TYPED_TEST(MixIndex, TallmixStopsAtTheFirstBadColumnAfterAddingTheTermsBefore)
{
    const double a[] = {1, 2, 3, 4};            // 2 x 2
    const double cols[] = {2, 1, 3, 1};
    const double x[] = {1, 10, 100, 1000};
    double y[2] = {0, 0};
    EXPECT_EQ((tallmix_cols<TypeParam>(a, 2, 2, cols, 4, x, y)), mix_badcol);
    EXPECT_EQ(y[0], 13.0);
    EXPECT_EQ(y[1], 24.0);
}

TYPED_TEST(MixIndex, RowsAreAllCheckedBeforeAnyColumn)
{
    const double a[] = {1, 2, 3, 4};
    const double rows[] = {1, 3};
    const double cols[] = {0};
    const double x[] = {1};
    TypeParam table[2];
    double y[2] = {0, 0};
    EXPECT_EQ((tallmix_rowscols<TypeParam>(a, 2, 2, rows, 2, table, cols, 1, x, y)), mix_badrow);
    EXPECT_EQ(y[0], 0.0);
}

// A(1, 1:2) = [-1, 1 + 2^-30], X = [1, 1 - 2^-30]: the exact sum is -2^-60.
TEST(TallmixFlavour, TellsTheFlavoursApart)
{
    const double e = std::ldexp(1.0, -30);
    const double a[] = {-1.0, 1.0 + e};
    const double cols[] = {1, 2};
    const double x[] = {1.0, 1.0 - e};
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short host = x87_windows_cw();     // a Windows thread's 53-bit precision
    unsigned short before = x87_getcw();
    x87_setcw(host);
#endif
    double y[1] = {0};
    mixstatus status = tallmix_cols<uint64_t>(a, 1, 2, cols, 2, x, y);
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short after = x87_getcw();
    x87_setcw(before);
    EXPECT_EQ(after, host) << "the caller's control word was not restored";
#endif
    EXPECT_EQ(status, mix_ok);
#if defined(MIXFILT_FLAVOUR_DOUBLE)
    const double expect = 0.0;                  // the product rounds to 1
#else
    const double expect = -std::ldexp(1.0, -60);
#endif
    EXPECT_EQ(y[0], expect);
}

TEST(TallmixFlavour, EachStoredTermIsRoundedToDouble)
{
    // 2^53, 1, -2^53 in COLS order: Y(1) is rounded after every term, so 0 in every flavour.
    const double big = 9007199254740992.0;
    const double a[] = {big, 1, -big};
    const double forward[] = {1, 2, 3}, backward[] = {3, 2, 1};
    const double x[] = {1, 1, 1};
    double y1[1] = {0}, y2[1] = {0};
    EXPECT_EQ((tallmix_cols<int32_t>(a, 1, 3, forward, 3, x, y1)), mix_ok);
    EXPECT_EQ((tallmix_cols<int32_t>(a, 1, 3, backward, 3, x, y2)), mix_ok);
    EXPECT_EQ(y1[0], 0.0);
    EXPECT_EQ(y2[0], 1.0);
}

}  // namespace
