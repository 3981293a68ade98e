// cscslice kernel on plain arrays: the row number's conversion, count and fill, and the
// bound on what fill writes.
#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>
#include <gtest/gtest.h>
#include "kernels/cscslice.hpp"
#include "tests/support/x87.hpp"

namespace {

const double nan = std::numeric_limits<double>::quiet_NaN();
const double inf = std::numeric_limits<double>::infinity();
const double guard = 1234.5;        // fills the elements past those that fill may write
const int guards = 4;

template <typename Index>
class Cscslice : public ::testing::Test {};
using IndexTypes = ::testing::Types<int32_t, uint64_t>;
TYPED_TEST_SUITE(Cscslice, IndexTypes);

struct rowcase {
    double x;
    long long row;      // 0-based; -1 out of range, -2 negative
};

// Runs the conversion as a 32-bit Windows thread would, at 53-bit x87 precision.
template <typename Index>
rowstatus convert(double x, Index m, Index* r)
{
#if defined(__i386__)
    unsigned short before = x87_getcw();
    x87_setcw(x87_windows_cw());
    rowstatus status = cscslice_row<Index>(x, m, r);
    x87_setcw(before);
    return status;
#else
    return cscslice_row<Index>(x, m, r);
#endif
}

TYPED_TEST(Cscslice, RowNumberIsBiasedByOneHundredthAfterASignTest)
{
    const rowcase cases[] = {   // M = 3
        {1, 0}, {3, 2}, {0.99, 0}, {1.5, 0}, {1.98, 0}, {1.99, 1}, {2.995, 2}, {3.5, 2},
        {0, -1}, {0.5, -1}, {-0.0, -1}, {nan, -1}, {inf, -1}, {1e300, -1}, {4, -1},
        {2147483648.0, -1}, {4294967297.0, -1}, {18446744073709551616.0, -1},
        {-0.001, -2}, {-1, -2}, {-inf, -2}, {-1e300, -2},
    };
    for (const rowcase& c : cases) {
        TypeParam r = 99;
        rowstatus status = convert<TypeParam>(c.x, 3, &r);
        rowstatus expect = c.row >= 0 ? row_ok : c.row == -1 ? row_outofrange : row_negative;
        EXPECT_EQ(status, expect) << "x = " << c.x;
        if (status == row_ok && expect == row_ok) {
            EXPECT_EQ(static_cast<long long>(r), c.row) << "x = " << c.x;
        }
    }
    // No rows: nothing is accepted.
    for (double x : {0.99, 1.0, 1.5}) {
        TypeParam r = 99;
        EXPECT_EQ(convert<TypeParam>(x, 0, &r), row_outofrange) << "x = " << x;
    }
}

TYPED_TEST(Cscslice, RowNumberAtTheLargestRowCountOfTheIndexType)
{
    // M + 1 is formed in double precision, not in the index type, where it would overflow.
    const TypeParam m = std::numeric_limits<int32_t>::max();
    TypeParam r = 0;
    EXPECT_EQ(convert<TypeParam>(2147483647.0, m, &r), row_ok);
    EXPECT_EQ(static_cast<long long>(r), 2147483646LL);
    EXPECT_EQ(convert<TypeParam>(2147483647.995, m, &r), row_outofrange);
    EXPECT_EQ(convert<TypeParam>(1.0, m, &r), row_ok);
    EXPECT_EQ(static_cast<long long>(r), 0LL);
}

// The 3 x 4 example: (1, 2) = 5, (3, 2) = -1, (1, 4) = 7, (2, 1) = 2, 1-based.
template <typename Index>
struct example {
    Index jc[5] = {0, 1, 3, 3, 4};
    Index ir[4] = {1, 0, 2, 0};
    double pr[4] = {2, 5, -1, 7};
};

// Runs fill for row r with k elements wanted, into outputs with guard elements after them.
template <typename Index>
void fillguarded(Index n, const Index* jc, const Index* ir, const double* pr, Index r, Index k, bool withcols,
                 std::vector<double>& vals, std::vector<double>& cols)
{
    vals.assign(static_cast<size_t>(k) + guards, guard);
    cols.assign(static_cast<size_t>(k) + guards, guard);
    cscslice_fill<Index>(n, jc, ir, pr, r, k, vals.data(), withcols ? cols.data() : nullptr);
}

TYPED_TEST(Cscslice, CountAndFillTheExampleRows)
{
    const example<TypeParam> a;
    const struct {
        std::vector<double> vals, cols;
    } rows[] = {{{5, 7}, {2, 4}}, {{2}, {1}}, {{-1}, {2}}};
    for (TypeParam r = 0; r < 3; ++r) {
        const auto& want = rows[r];
        TypeParam k = cscslice_count<TypeParam>(a.ir, 4, r);
        ASSERT_EQ(static_cast<size_t>(k), want.vals.size()) << "row " << r;
        std::vector<double> vals, cols;
        fillguarded<TypeParam>(4, a.jc, a.ir, a.pr, r, k, true, vals, cols);
        std::vector<double> wantvals = want.vals, wantcols = want.cols;
        wantvals.resize(wantvals.size() + guards, guard);
        wantcols.resize(wantcols.size() + guards, guard);
        EXPECT_EQ(vals, wantvals) << "row " << r;
        EXPECT_EQ(cols, wantcols) << "row " << r;
    }
    // No columns: nothing stored, nothing counted, nothing written.
    const TypeParam jc0[1] = {0};
    EXPECT_EQ(cscslice_count<TypeParam>(a.ir, 0, 0), TypeParam(0));
    std::vector<double> vals, cols;
    fillguarded<TypeParam>(0, jc0, a.ir, a.pr, 0, 0, true, vals, cols);
    EXPECT_EQ(vals, std::vector<double>(guards, guard));
    EXPECT_EQ(cols, std::vector<double>(guards, guard));
}

TYPED_TEST(Cscslice, WithoutColumnsOnlyValuesAreWritten)
{
    const example<TypeParam> a;
    std::vector<double> vals, cols;
    fillguarded<TypeParam>(4, a.jc, a.ir, a.pr, 0, 2, false, vals, cols);
    EXPECT_EQ(vals, (std::vector<double>{5, 7, guard, guard, guard, guard}));
    EXPECT_EQ(cols, std::vector<double>(2 + guards, guard));
}

TYPED_TEST(Cscslice, FillNeverWritesMoreThanKElements)
{
    // Row indices out of order within columns: column 1 holds rows 3, 1; column 2 rows 1, 1;
    // column 3 rows 2, 1, 1; column 4 row 1 (1-based). Row 1 is stored six times.
    const TypeParam jc[5] = {0, 2, 4, 7, 8};
    const TypeParam ir[8] = {2, 0, 0, 0, 1, 0, 0, 0};
    const double pr[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    TypeParam k = cscslice_count<TypeParam>(ir, 8, 0);
    EXPECT_EQ(k, TypeParam(6));
    // Only the first entry at or past the row is examined, one per column at most.
    std::vector<double> vals, cols;
    fillguarded<TypeParam>(4, jc, ir, pr, 0, k, true, vals, cols);
    EXPECT_EQ(vals, (std::vector<double>{3, 8, guard, guard, guard, guard, guard, guard, guard, guard}));
    EXPECT_EQ(cols, (std::vector<double>{2, 4, guard, guard, guard, guard, guard, guard, guard, guard}));
    // A k below what the columns hold caps the writes.
    for (TypeParam cap : {TypeParam(0), TypeParam(1)}) {
        fillguarded<TypeParam>(4, jc, ir, pr, 0, cap, true, vals, cols);
        EXPECT_EQ(vals.size() - std::count(vals.begin(), vals.end(), guard), static_cast<size_t>(cap));
        EXPECT_EQ(cols.size() - std::count(cols.begin(), cols.end(), guard), static_cast<size_t>(cap));
    }
}

}  // namespace
