// Every vector level that this processor runs gives the scalar loop's bits, for sizes that
// leave partial registers or fill blocks of them, special values and a column rejected
// inside a pass.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <sstream>
#include <utility>
#include <vector>
#include <gtest/gtest.h>
#include "kernels/broadplus.hpp"
#include "kernels/cscslice.hpp"
#include "kernels/dilfilt.hpp"
#include "kernels/latfilt.hpp"
#include "kernels/latfiltS.hpp"
#include "kernels/tallmix.hpp"
#include "kernels/widemix.hpp"
#include "tests/support/samebits.hpp"

namespace {

const veclevel levels[] = {vec_sse2, vec_avx2, vec_avx512};
// Partial registers, and one or more whole blocks of registers with a rest (blocks of up
// to 8 registers of 8).
const int64_t sizes[] = {1, 3, 7, 8, 9, 17, 40, 67, 131};

// Output column counts and filter column counts of the filters: chains of one column and
// of several, several cycles of columns, filters wider than the image.
const std::pair<int32_t, int32_t> widths[] = {{3, 2}, {8, 9}, {13, 3}};

// Values whose products round, with an occasional zero, infinity or NaN.
std::vector<double> block(std::mt19937& g, int64_t count)
{
    std::vector<double> v(static_cast<size_t>(count));
    for (double& e : v) {
        uint32_t k = g();
        e = static_cast<double>(g()) / 4294967296.0 - 0.5;
        if (k % 97 == 0)
            e = std::numeric_limits<double>::infinity();
        else if (k % 89 == 0)
            e = std::numeric_limits<double>::quiet_NaN();
        else if (k % 13 == 0)
            e = 0.0;
    }
    return v;
}

std::vector<double> indices(std::mt19937& g, int64_t count, int64_t bound)
{
    std::vector<double> v(static_cast<size_t>(count));
    for (double& e : v)
        e = static_cast<double>(1 + g() % static_cast<uint32_t>(bound));
    return v;
}

TEST(VectorLevels, TallmixMatchesTheScalarLoop)
{
    std::mt19937 g(1);
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int64_t m : sizes)
            for (int64_t l : {1, 3, 4, 5, 9}) {
                const int64_t n = 6;
                std::vector<double> a = block(g, m * n), x = block(g, l), cols = indices(g, l, n);
                std::vector<double> rows = indices(g, m + 2, m);
                if (l > 2)
                    cols[static_cast<size_t>(l - 2)] = 7;     // rejected inside a pass
                std::vector<double> want(static_cast<size_t>(m), 0.0), got = want;
                EXPECT_EQ(tallmix_cols_at<int64_t>(vec_scalar, a.data(), m, n, cols.data(), l, x.data(), want.data()),
                          tallmix_cols_at<int64_t>(level, a.data(), m, n, cols.data(), l, x.data(), got.data()));
                EXPECT_TRUE(samebits(got, want)) << "level " << level << ", " << m << " rows, " << l << " columns";
                std::vector<int64_t> table(rows.size());
                std::vector<double> wantr(rows.size(), 0.0), gotr = wantr;
                const int64_t r = static_cast<int64_t>(rows.size());
                EXPECT_EQ(tallmix_rowscols_at<int64_t>(vec_scalar, a.data(), m, n, rows.data(), r, table.data(),
                                                       cols.data(), l, x.data(), wantr.data()),
                          tallmix_rowscols_at<int64_t>(level, a.data(), m, n, rows.data(), r, table.data(),
                                                       cols.data(), l, x.data(), gotr.data()));
                EXPECT_TRUE(samebits(gotr, wantr)) << "level " << level << " with ROWS, " << m << " rows";
            }
    }
}

TEST(VectorLevels, WidemixMatchesTheScalarLoop)
{
    std::mt19937 g(2);
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int64_t n : sizes)
            for (int64_t r : {1, 2, 5}) {
                const int64_t m = 4;
                std::vector<double> a = block(g, m * n), x = block(g, r);
                std::vector<int64_t> rowtable(static_cast<size_t>(r)), coltable(static_cast<size_t>(n + 3));
                for (int64_t& e : rowtable)
                    e = g() % m;
                for (int64_t& e : coltable)
                    e = g() % n;
                std::vector<double> want(static_cast<size_t>(n), 0.0), got = want;
                widemix_rows_at<int64_t>(vec_scalar, a.data(), m, n, rowtable.data(), r, x.data(), want.data());
                widemix_rows_at<int64_t>(level, a.data(), m, n, rowtable.data(), r, x.data(), got.data());
                EXPECT_TRUE(samebits(got, want)) << "level " << level << ", " << n << " columns";
                const int64_t l = static_cast<int64_t>(coltable.size());
                std::vector<double> wantc(static_cast<size_t>(l), 0.0), gotc = wantc;
                widemix_rowscols_at<int64_t>(vec_scalar, a.data(), m, rowtable.data(), r, coltable.data(), l,
                                             x.data(), wantc.data());
                widemix_rowscols_at<int64_t>(level, a.data(), m, rowtable.data(), r, coltable.data(), l,
                                             x.data(), gotc.data());
                EXPECT_TRUE(samebits(gotc, wantc)) << "level " << level << " with COLS, " << l << " columns";
            }
    }
}

TEST(VectorLevels, BroadplusMatchesTheScalarWalk)
{
    std::mt19937 g(3);
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int64_t m : sizes)
            for (int64_t n : {1, 2, 3}) {
                std::vector<double> x = block(g, m * n), v = block(g, n);
                std::vector<double> want(static_cast<size_t>(m * n) + 1, -7.0), got = want;
                broadplus_at<uint64_t>(vec_scalar, x.data(), m, n, v.data(), want.data());
                broadplus_at<uint64_t>(level, x.data(), m, n, v.data(), got.data());
                EXPECT_TRUE(samebits(got, want)) << "level " << level << ", " << m << " x " << n;
                EXPECT_EQ(got.back(), -7.0) << "written past Y";
            }
    }
}

// A result of 8 MiB or more is stored past the caches, from each column's first register
// boundary of Y: odd column lengths, and Y one element off the allocation's alignment.
TEST(VectorLevels, BroadplusStreamsLargeResultsWithTheSameBits)
{
    std::mt19937 g(6);
    const int64_t m = 1027, n = 1025;
    const size_t total = static_cast<size_t>(m * n);
    std::vector<double> x = block(g, m * n), v = block(g, n), want(total);
    broadplus_at<uint64_t>(vec_scalar, x.data(), m, n, v.data(), want.data());
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (size_t offset : {0, 1}) {
            std::vector<double> got(total + 2, -7.0);
            broadplus_at<uint64_t>(level, x.data(), m, n, v.data(), got.data() + offset);
            EXPECT_TRUE(samebits(std::vector<double>(got.begin() + offset, got.begin() + offset + total), want))
                << "level " << level << ", Y offset " << offset;
            EXPECT_EQ(got[offset + total], -7.0) << "written past Y";
            if (offset == 1) {
                EXPECT_EQ(got[0], -7.0) << "written before Y";
            }
        }
    }
}

TEST(VectorLevels, TheBestLevelIsOneTheProcessorRuns)
{
    EXPECT_TRUE(veclevel_has(veclevel_best()));
#if defined(__x86_64__) && defined(MIXFILT_FLAVOUR_DOUBLE)
    EXPECT_NE(veclevel_best(), vec_scalar);
#else
    EXPECT_EQ(veclevel_best(), vec_scalar);
#endif
}

}  // namespace

namespace {

TEST(VectorLevels, DilfiltMatchesTheScalarLoop)
{
    std::mt19937 g(4);
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int64_t my : sizes)
            for (int64_t s : {1, 2, 3})
                for (auto [ny, q] : widths) {        // chains of one column and of several
                    const int64_t p = 3;
                    const int64_t m = my + p * s - 1, n = ny + q * s - 1;
                    std::vector<double> x = block(g, m * n), h = block(g, p * q);
                    const double lambda[4] = {static_cast<double>(s), 0, 0, static_cast<double>(s)};
                    dilfilt_plan plan;
                    ASSERT_EQ(dilfilt_setup(lambda, m, n, p, q, &plan), lat_ok);
                    std::vector<double> want(static_cast<size_t>(my * ny) + 1, -7.0), got = want;
                    dilfilt_at(vec_scalar, x.data(), m, n, h.data(), p, q, &plan, want.data());
                    dilfilt_at(level, x.data(), m, n, h.data(), p, q, &plan, got.data());
                    EXPECT_TRUE(samebits(got, want))
                        << "level " << level << ", " << my << " x " << ny << ", " << q << " filter columns, step " << s;
                    EXPECT_EQ(got.back(), -7.0) << "written past Y";
                }
    }
}

}  // namespace

namespace {

// With filters wider and taller than the image, and wraps at both ends.
TEST(VectorLevels, LatticeFiltersMatchTheScalarWalk)
{
    std::mt19937 g(5);
    const double lattices[][4] = {{1, 0, 0, 1}, {2, 0, 0, 3}, {1, 1, -2, 5}, {3, 0, 0, 20}, {-1, 0, 0, -2}, {1, -1, 1, 1}, {2, 7, -9, 1}};
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int64_t rows : sizes)
            for (const auto& lambda : lattices)
                for (int32_t p : {1, 4, 9})
                    for (auto [n, q] : widths) {
                        const int32_t m = static_cast<int32_t>(rows);
                        std::ostringstream where;
                        where << "level " << level << ", " << m << " x " << n << ", filter " << p << " x " << q
                              << ", L " << lambda[0] << " " << lambda[1] << " " << lambda[2] << " " << lambda[3];
                        std::vector<double> x = block(g, m * n), h = block(g, p * q);
                        latfiltS_plan plan;
                        ASSERT_EQ(latfiltS_setup(lambda, p, q, &plan), lat_ok);
                        std::vector<double> want(static_cast<size_t>(m * n) + 1, -7.0), got = want;
                        latfiltS_at(vec_scalar, x.data(), m, n, h.data(), p, q, &plan, want.data());
                        latfiltS_at(level, x.data(), m, n, h.data(), p, q, &plan, got.data());
                        EXPECT_TRUE(samebits(got, want)) << "latfiltS " << where.str();
                        EXPECT_EQ(got.back(), -7.0) << "written past Y";
                        latfilt_plan general;
                        ASSERT_EQ(latfilt_setup(lambda, p, q, &general), lat_ok);
                        std::vector<double> wantg(want.size(), -7.0), gotg = wantg;
                        latfilt_at(vec_scalar, x.data(), m, n, h.data(), p, q, &general, wantg.data());
                        latfilt_at(level, x.data(), m, n, h.data(), p, q, &general, gotg.data());
                        EXPECT_TRUE(samebits(gotg, wantg)) << "latfilt " << where.str();
                        EXPECT_EQ(gotg.back(), -7.0) << "written past Y";
                    }
    }
}

}  // namespace

namespace {

// Columns of up to 12 entries of rows 0 .. 5, some empty, some sorted, some not, with
// repeats: each row is stored in many columns, and not always first in its column.
template <typename Index>
struct randomcsc {
    std::vector<Index> jc{0}, ir;
    std::vector<double> pr;

    randomcsc(std::mt19937& g, Index n, uint32_t most)
    {
        for (Index c = 0; c < n; ++c) {
            const uint32_t count = g() % (most + 1);
            std::vector<Index> rows;
            for (uint32_t e = 0; e < count; ++e)
                rows.push_back(static_cast<Index>(g() % 6));
            if (g() % 2)
                std::sort(rows.begin(), rows.end());
            for (Index row : rows) {
                ir.push_back(row);
                pr.push_back(static_cast<double>(g() % 1000));
            }
            jc.push_back(static_cast<Index>(ir.size()));
        }
    }
};

// Every row of a random matrix, whole and cut to its first half, with and without the
// column numbers, at the level and in the scalar loops.
template <typename Index>
void expectsamerows(veclevel level, const randomcsc<Index>& a, Index n)
{
    const Index nnz = a.jc.back();
    for (Index r = 0; r < 7; ++r) {
        const Index k = cscslice_count_at<Index>(vec_scalar, a.ir.data(), nnz, r);
        ASSERT_EQ(cscslice_count_at<Index>(level, a.ir.data(), nnz, r), k)
            << "level " << level << ", " << n << " columns, row " << r;
        for (Index want : {k, k / 2}) {
            const size_t size = static_cast<size_t>(want) + 1;
            std::vector<double> vals(size, -7.0), cols(size, -7.0), vals0(size, -7.0), cols0(size, -7.0);
            cscslice_fill_at<Index>(vec_scalar, n, a.jc.data(), a.ir.data(), a.pr.data(), r, want, vals0.data(),
                                    cols0.data());
            cscslice_fill_at<Index>(level, n, a.jc.data(), a.ir.data(), a.pr.data(), r, want, vals.data(),
                                    cols.data());
            EXPECT_EQ(vals, vals0) << "level " << level << ", " << n << " columns, row " << r << ", " << want;
            EXPECT_EQ(cols, cols0) << "level " << level << ", " << n << " columns, row " << r << ", " << want;
            std::vector<double> only(size, -7.0);
            cscslice_fill_at<Index>(level, n, a.jc.data(), a.ir.data(), a.pr.data(), r, want, only.data(), nullptr);
            EXPECT_EQ(only, vals0) << "level " << level << " without column numbers";
        }
    }
}

TEST(VectorLevels, CscsliceMatchesTheScalarLoops)
{
    std::mt19937 g(7);
    for (veclevel level : levels) {
        if (!veclevel_has(level))
            continue;
        for (int32_t n : {0, 1, 5, 40, 3000})
            for (uint32_t most : {1u, 12u}) {
                expectsamerows<int32_t>(level, randomcsc<int32_t>(g, n, most), n);
                expectsamerows<uint64_t>(level, randomcsc<uint64_t>(g, static_cast<uint64_t>(n), most),
                                         static_cast<uint64_t>(n));
            }
    }
}

}  // namespace
