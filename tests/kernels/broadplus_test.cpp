// broadplus kernel on plain arrays: the column walk and the rounding of each sum.
#include <cmath>
#include <cstdint>
#include <vector>
#include <gtest/gtest.h>
#include "kernels/broadplus.hpp"
#include "kernels/fparith.hpp"
#include "tests/support/x87.hpp"

namespace {

TEST(Broadplus, WalksColumnsWithoutReadingPastV)
{
    for (int32_t m : {1, 2, 3, 7})
        for (int32_t n : {1, 2, 5}) {
            std::vector<double> x(static_cast<size_t>(m * n)), v(static_cast<size_t>(n)), y(x.size() + 1, -1.0);
            for (size_t k = 0; k < x.size(); ++k)
                x[k] = static_cast<double>(k);
            for (size_t c = 0; c < v.size(); ++c)
                v[c] = 1000.0 * static_cast<double>(c + 1);
            broadplus<int32_t>(x.data(), m, n, v.data(), y.data());
            for (int32_t c = 0; c < n; ++c)
                for (int32_t r = 0; r < m; ++r)
                    EXPECT_EQ(y[static_cast<size_t>(r + c * m)], x[static_cast<size_t>(r + c * m)] + v[static_cast<size_t>(c)]);
            EXPECT_EQ(y.back(), -1.0) << "written past Y";
        }
    // Empty X: V is not read.
    broadplus<uint64_t>(nullptr, 0, 4, nullptr, nullptr);
    broadplus<uint64_t>(nullptr, 4, 0, nullptr, nullptr);
}

// X = 1, V = 2^-53 + 2^-78: rounded once from extended it is 1, rounded once from the
// exact sum it is 1 + 2^-52.
TEST(BroadplusFlavour, RoundsEachSumOnce)
{
    const double x[] = {1.0};
    const double v[] = {std::ldexp(1.0, -53) + std::ldexp(1.0, -78)};
    double y[1];
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short before = x87_getcw();
    x87_setcw(x87_windows_cw());
#endif
    broadplus<int32_t>(x, 1, 1, v, y);
#if defined(MIXFILT_FLAVOUR_EXTENDED) && defined(MIXFILT_HAVE_X87)
    unsigned short after = x87_getcw();
    x87_setcw(before);
    EXPECT_EQ(after, x87_windows_cw()) << "the caller's control word was not restored";
    EXPECT_EQ(y[0], 1.0);
#else
    EXPECT_EQ(y[0], 1.0 + std::ldexp(1.0, -52));
#endif
}

}  // namespace
