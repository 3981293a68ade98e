// widemix kernels on plain arrays: the order of terms within each element, and the flavours.
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include "kernels/fparith.hpp"
#include "kernels/widemix.hpp"
#include "tests/support/x87.hpp"

namespace {

TEST(Widemix, TermsInRowsOrderAndTablesReadInPlace)
{
    const double big = 9007199254740992.0;      // 2^53
    const double a[] = {big, 1, -big, 5, 6, 7}; // 3 x 2
    const int32_t forward[] = {0, 1, 2}, backward[] = {2, 1, 0};
    const double x[] = {1, 1, 1};
    double y1[2] = {0, 0}, y2[2] = {0, 0};
    widemix_rows<int32_t>(a, 3, 2, forward, 3, x, y1);
    widemix_rows<int32_t>(a, 3, 2, backward, 3, x, y2);
    EXPECT_EQ(y1[0], 0.0);
    EXPECT_EQ(y2[0], 1.0);
    EXPECT_EQ(y1[1], 18.0);
    const int32_t cols[] = {1, 1, 0};
    double y3[3] = {0, 0, 0};
    widemix_rowscols<int32_t>(a, 3, backward, 3, cols, 3, x, y3);
    EXPECT_EQ(y3[0], 18.0);
    EXPECT_EQ(y3[2], 1.0);
}

// A(1:2, 1) = [-1; 1 + 2^-30], X = [1, 1 - 2^-30]: the exact sum is -2^-60.
TEST(WidemixFlavour, TellsTheFlavoursApart)
{
    const double e = std::ldexp(1.0, -30);
    const double a[] = {-1.0, 1.0 + e};
    const double x[] = {1.0, 1.0 - e};
    const uint64_t rows[] = {0, 1};
    double y[1] = {0};
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short before = x87_getcw();
    x87_setcw(x87_windows_cw());
#endif
    widemix_rows<uint64_t>(a, 2, 1, rows, 2, x, y);
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short after = x87_getcw();
    x87_setcw(before);
    EXPECT_EQ(after, x87_windows_cw()) << "the caller's control word was not restored";
#endif
#if defined(MIXFILT_FLAVOUR_DOUBLE)
    EXPECT_EQ(y[0], 0.0);
#else
    EXPECT_EQ(y[0], -std::ldexp(1.0, -60));
#endif
}

}  // namespace
