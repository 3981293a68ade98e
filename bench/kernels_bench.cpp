// Timings of the kernels on fixed workloads, and the machine limits they are read against.
//
// Kernel counters: GB/s of the bytes a kernel must touch (64-byte lines where it gathers)
// or GFLOP/s of the true taps (one multiply and one add each). Limit counters: the
// single-thread read bandwidth of a 512 MiB array, a copy with streaming stores, and the
// peak of a multiply-then-add loop (never fused) on data in L1 at each vector width. Every
// kernel runs at each vector level that the processor has (level 0: the scalar loop).
#include <benchmark/benchmark.h>
#include <immintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "kernels/broadplus.hpp"
#include "kernels/cscslice.hpp"
#include "kernels/dilfilt.hpp"
#include "kernels/latfilt.hpp"
#include "kernels/latfiltS.hpp"
#include "kernels/tallmix.hpp"
#include "kernels/veclevel.hpp"
#include "kernels/vecops.hpp"
#include "kernels/widemix.hpp"

namespace {

typedef int64_t Index;              // the index type of the Octave builds

// Zero-filled, page-touched storage, so that no first-touch fault lands inside a timing.
std::vector<double> touched(size_t count, double value = 0.0)
{
    return std::vector<double>(count, value);
}

std::vector<double> randoms(size_t count, std::mt19937_64& rng)
{
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    std::vector<double> v(count);
    for (double& e : v)
        e = u(rng);
    return v;
}

// count distinct 1-based indices out of 1 .. bound, in random order, as doubles.
std::vector<double> pick(Index count, Index bound, std::mt19937_64& rng)
{
    std::vector<double> all(static_cast<size_t>(bound));
    for (Index i = 0; i < bound; ++i)
        all[static_cast<size_t>(i)] = static_cast<double>(i + 1);
    std::shuffle(all.begin(), all.end(), rng);
    all.resize(static_cast<size_t>(count));
    return all;
}

std::vector<Index> table(const std::vector<double>& v, Index bound)
{
    std::vector<Index> t(v.size());
    if (!mixtable<Index>(v.data(), static_cast<Index>(v.size()), bound, t.data()))
        std::abort();
    return t;
}

// The distinct 64-byte lines among the elements (row, column) of an M-row array at base.
double lines(const double* base, Index m, const std::vector<Index>& rows,
             const std::vector<Index>& cols)
{
    std::vector<uintptr_t> addr;
    addr.reserve(rows.size() * cols.size());
    for (Index c : cols)
        for (Index r : rows)
            addr.push_back(reinterpret_cast<uintptr_t>(base + c * m + r) / 64);
    std::sort(addr.begin(), addr.end());
    return 64.0 * static_cast<double>(std::unique(addr.begin(), addr.end()) - addr.begin());
}

std::vector<Index> iota(Index n)
{
    std::vector<Index> v(static_cast<size_t>(n));
    for (Index i = 0; i < n; ++i)
        v[static_cast<size_t>(i)] = i;
    return v;
}

// The vector level of the benchmark's argument; false (and the run skipped) when the
// processor or the build lacks it.
bool level(benchmark::State& state, veclevel* out)
{
    *out = static_cast<veclevel>(state.range(0));
    if (veclevel_has(*out))
        return true;
    state.SkipWithError("the processor or the build lacks this level");
    return false;
}

void rate(benchmark::State& state, const char* name, double perpass)
{
    state.counters[name] = benchmark::Counter(perpass * 1e-9 * static_cast<double>(state.iterations()),
                                              benchmark::Counter::kIsRate);
}

const Index MA = 4000, NA = 4000;   // the dense matrix of tallmix and widemix

const std::vector<double>& densea()
{
    static std::vector<double> a = [] {
        std::mt19937_64 rng(1);
        return randoms(static_cast<size_t>(MA * NA), rng);
    }();
    return a;
}

// ---- tallmix ----
void BM_tallmix_cols(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    const std::vector<double>& a = densea();
    std::mt19937_64 rng(2);
    const Index l = 1000;
    std::vector<double> cols = pick(l, NA, rng), x = randoms(l, rng), y = touched(MA);
    for (auto _ : state) {
        std::fill(y.begin(), y.end(), 0.0);
        if (tallmix_cols_at<Index>(lv, a.data(), MA, NA, cols.data(), l, x.data(), y.data()) != mix_ok)
            std::abort();
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", 8.0 * MA * l);
}

void BM_tallmix_rowscols(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    const std::vector<double>& a = densea();
    std::mt19937_64 rng(3);
    const Index l = 1000, r = 2000;
    std::vector<double> cols = pick(l, NA, rng), rows = pick(r, MA, rng), x = randoms(l, rng);
    std::vector<double> y = touched(r);
    std::vector<Index> rowtable(r);
    const double bytes = lines(a.data(), MA, table(rows, MA), table(cols, NA));
    for (auto _ : state) {
        std::fill(y.begin(), y.end(), 0.0);
        if (tallmix_rowscols_at<Index>(lv, a.data(), MA, NA, rows.data(), r, rowtable.data(),
                                       cols.data(), l, x.data(), y.data()) != mix_ok)
            std::abort();
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", bytes);
}

// ---- widemix ----
void BM_widemix_rows(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    const std::vector<double>& a = densea();
    std::mt19937_64 rng(4);
    const Index r = 1000;
    std::vector<double> rows = pick(r, MA, rng), x = randoms(r, rng), y = touched(NA);
    std::vector<Index> rowtable = table(rows, MA);
    const double bytes = lines(a.data(), MA, rowtable, iota(NA));
    for (auto _ : state) {
        std::fill(y.begin(), y.end(), 0.0);
        widemix_rows_at<Index>(lv, a.data(), MA, NA, rowtable.data(), r, x.data(), y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", bytes);
}

void BM_widemix_rowscols(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    const std::vector<double>& a = densea();
    std::mt19937_64 rng(5);
    const Index r = 1000, l = 1000;
    std::vector<double> rows = pick(r, MA, rng), cols = pick(l, NA, rng), x = randoms(r, rng);
    std::vector<double> y = touched(l);
    std::vector<Index> rowtable = table(rows, MA), coltable = table(cols, NA);
    const double bytes = lines(a.data(), MA, rowtable, coltable);
    for (auto _ : state) {
        std::fill(y.begin(), y.end(), 0.0);
        widemix_rowscols_at<Index>(lv, a.data(), MA, rowtable.data(), r, coltable.data(), l,
                                   x.data(), y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", bytes);
}

// ---- cscslice: 100000 x 100000, 10 entries in each column at distinct random rows ----
void BM_cscslice(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    const Index m = 100000, n = 100000, per = 10;
    std::mt19937_64 rng(6);
    std::uniform_int_distribution<Index> row(0, m - 1);
    std::vector<Index> jc(static_cast<size_t>(n + 1)), ir;
    ir.reserve(static_cast<size_t>(n * per));
    for (Index c = 0; c < n; ++c) {
        jc[static_cast<size_t>(c)] = static_cast<Index>(ir.size());
        std::vector<Index> col;
        while (static_cast<Index>(col.size()) < per) {
            Index r = row(rng);
            if (std::find(col.begin(), col.end(), r) == col.end())
                col.push_back(r);
        }
        std::sort(col.begin(), col.end());
        ir.insert(ir.end(), col.begin(), col.end());
    }
    const Index nnz = static_cast<Index>(ir.size());
    jc[static_cast<size_t>(n)] = nnz;
    std::vector<double> pr = randoms(static_cast<size_t>(nnz), rng);
    const Index r = m / 2;
    const Index k = cscslice_count<Index>(ir.data(), nnz, r);
    std::vector<double> vals = touched(static_cast<size_t>(k) + 1), cols = touched(static_cast<size_t>(k) + 1);

    // The bytes touched: all of ir twice (the count, then the fill's scan for the row) and
    // the line of pr of each entry found (the few lines of jc searched are not counted).
    const double bytes = 16.0 * static_cast<double>(nnz) + 64.0 * static_cast<double>(k);

    for (auto _ : state) {
        Index kk = cscslice_count_at<Index>(lv, ir.data(), nnz, r);
        cscslice_fill_at<Index>(lv, n, jc.data(), ir.data(), pr.data(), r, kk, vals.data(), cols.data());
        benchmark::DoNotOptimize(vals.data());
        benchmark::ClobberMemory();
    }
    state.counters["hits"] = static_cast<double>(k);
    rate(state, "GB/s", bytes);
}

// ---- broadplus: X 4000 x 4000, read once and Y written once ----
void BM_broadplus(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    std::mt19937_64 rng(7);
    const Index m = 4000, n = 4000;
    std::vector<double> x = randoms(static_cast<size_t>(m * n), rng), v = randoms(n, rng);
    std::vector<double> y = touched(static_cast<size_t>(m * n));
    for (auto _ : state) {
        broadplus_at<Index>(lv, x.data(), m, n, v.data(), y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", 16.0 * m * n);
}

// ---- the filters: 9 x 9 taps each ----
const int32_t FP = 9, FQ = 9;

// latfiltS or latfilt on a 512 x 512 image, L stored as lambda.
template <typename Plan>
void periodic_bench(benchmark::State& state, uint64_t seed, const double (&lambda)[4],
                    latstatus (*setup)(const double*, int32_t, int32_t, Plan*),
                    void (*run)(veclevel, const double*, int32_t, int32_t, const double*, int32_t, int32_t,
                                const Plan*, double*))
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    std::mt19937_64 rng(seed);
    const int32_t m = 512, n = 512;
    std::vector<double> x = randoms(static_cast<size_t>(m) * n, rng), h = randoms(FP * FQ, rng);
    std::vector<double> y = touched(static_cast<size_t>(m) * n);
    Plan plan;
    if (setup(lambda, FP, FQ, &plan) != lat_ok)
        std::abort();
    for (auto _ : state) {
        run(lv, x.data(), m, n, h.data(), FP, FQ, &plan, y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GFLOP/s", 2.0 * FP * FQ * m * n);
}

void BM_latfiltS(benchmark::State& state)
{
    periodic_bench<latfiltS_plan>(state, 8, {2, 0, 0, 2}, latfiltS_setup, latfiltS_at);
}

void BM_latfilt(benchmark::State& state)
{
    periodic_bench<latfilt_plan>(state, 9, {1, -1, 1, 1}, latfilt_setup, latfilt_at);
}

void BM_dilfilt(benchmark::State& state)
{
    veclevel lv;
    if (!level(state, &lv))
        return;
    std::mt19937_64 rng(10);
    const int64_t m = 1024, n = 1024;
    std::vector<double> x = randoms(static_cast<size_t>(m * n), rng), h = randoms(FP * FQ, rng);
    const double lambda[4] = {2, 0, 0, 2};
    dilfilt_plan plan;
    if (dilfilt_setup(lambda, m, n, FP, FQ, &plan) != lat_ok)
        std::abort();
    std::vector<double> y = touched(static_cast<size_t>(plan.my * plan.ny));
    for (auto _ : state) {
        dilfilt_at(lv, x.data(), m, n, h.data(), FP, FQ, &plan, y.data());
        benchmark::DoNotOptimize(y.data());
        benchmark::ClobberMemory();
    }
    rate(state, "GFLOP/s", 2.0 * FP * FQ * static_cast<double>(plan.my * plan.ny));
}

// ---- machine limits ----
const size_t BIG = (size_t(512) << 20) / sizeof(double);    // 512 MiB of doubles

double* bigarray(double value)
{
    void* p = nullptr;
    if (posix_memalign(&p, 64, BIG * sizeof(double)) != 0)
        std::abort();
    double* d = static_cast<double*>(p);
    std::fill(d, d + BIG, value);
    return d;
}

// The doubles of a register added up.
template <typename V>
double lanesum(const V& v)
{
    double lanes[sizeof(V) / sizeof(double)], sum = 0;
    std::memcpy(lanes, &v, sizeof v);
    for (double e : lanes)
        sum += e;
    return sum;
}

// Read bandwidth: the sum of the array with eight independent accumulators.
template <typename V>
MIXFILT_INLINE double readsum_width(const double* a, size_t count)
{
    const size_t w = sizeof(V) / sizeof(double);
    V s[8];
    for (V& e : s)
        e = V{};
    for (size_t i = 0; i < count; i += 8 * w)
#pragma GCC unroll 8
        for (int k = 0; k < 8; ++k) {
            V x;
            vload(&x, a + i + w * k);
            s[k] = s[k] + x;
        }
    for (int k = 1; k < 8; ++k)
        s[0] = s[0] + s[k];
    return lanesum(s[0]);
}

__attribute__((target("avx2"))) double readsum(const double* a, size_t count)
{
    return readsum_width<vec4>(a, count);
}

double readsum_sse2(const double* a, size_t count)
{
    return readsum_width<vec2>(a, count);
}

void BM_limit_read(benchmark::State& state)
{
    double* a = bigarray(1.0);
    const bool avx2 = __builtin_cpu_supports("avx2");
    for (auto _ : state)
        benchmark::DoNotOptimize(avx2 ? readsum(a, BIG) : readsum_sse2(a, BIG));
    rate(state, "GB/s", 8.0 * static_cast<double>(BIG));
    std::free(a);
}

// STREAM copy with streaming stores: b = a, 8 bytes read and 8 written per element, with
// the kernels' own streaming store.
template <typename V>
MIXFILT_INLINE void streamcopy_width(const double* a, double* b, size_t count)
{
    const size_t w = sizeof(V) / sizeof(double);
#pragma GCC unroll 2
    for (size_t i = 0; i < count; i += w) {
        V x;
        vload(&x, a + i);
        vstream(b + i, &x);
    }
    vstreamed();
}

__attribute__((target("avx"))) void streamcopy_avx(const double* a, double* b, size_t count)
{
    streamcopy_width<vec4>(a, b, count);
}

void streamcopy_sse2(const double* a, double* b, size_t count)
{
    streamcopy_width<vec2>(a, b, count);
}

void BM_limit_streamcopy(benchmark::State& state)
{
    double* a = bigarray(1.0);
    double* b = bigarray(0.0);
    const bool avx = __builtin_cpu_supports("avx");
    for (auto _ : state) {
        if (avx)
            streamcopy_avx(a, b, BIG);
        else
            streamcopy_sse2(a, b, BIG);
        benchmark::ClobberMemory();
    }
    rate(state, "GB/s", 16.0 * static_cast<double>(BIG));
    std::free(a);
    std::free(b);
}

// Multiply-then-add peak: acc[k] = acc[k] + a[i + k] * c over an L1-resident array, with
// twelve independent accumulators (unrolled, so that they stay in registers); two flops
// per element. The targets name no FMA, so the
// product is rounded and added by separate instructions, as in the kernels.
const size_t L1N = 1536;            // 12 KiB of doubles
const int ACC = 12;
const int SWEEPS = 64;

double l1data[L1N] __attribute__((aligned(64)));

// One vector width's loop.
template <typename V>
MIXFILT_INLINE double peak_width(const double* a, double c)
{
    const size_t w = sizeof(V) / sizeof(double);
    V s[ACC], cc;
    vsplat(&cc, c);
    for (V& e : s)
        e = V{};
    for (int r = 0; r < SWEEPS; ++r)
        for (size_t i = 0; i < L1N; i += w * ACC)
#pragma GCC unroll 16
            for (int k = 0; k < ACC; ++k) {
                V x;
                vload(&x, a + i + w * k);
                V product = x * cc;
                s[k] = s[k] + product;
            }
    for (int k = 1; k < ACC; ++k)
        s[0] = s[0] + s[k];
    return lanesum(s[0]);
}

// The scalar unit by its own instructions: written as plain doubles, the twelve sums would
// be packed into vector registers by the compiler.
double peak_scalar(const double* a, double c)
{
    __m128d s[ACC], cc = _mm_set_sd(c);
    for (__m128d& e : s)
        e = _mm_setzero_pd();
    for (int r = 0; r < SWEEPS; ++r)
        for (size_t i = 0; i < L1N; i += ACC)
#pragma GCC unroll 16
            for (int k = 0; k < ACC; ++k)
                s[k] = _mm_add_sd(s[k], _mm_mul_sd(_mm_load_sd(a + i + k), cc));
    for (int k = 1; k < ACC; ++k)
        s[0] = _mm_add_sd(s[0], s[k]);
    return _mm_cvtsd_f64(s[0]);
}

double peak_sse2(const double* a, double c)
{
    return peak_width<vec2>(a, c);
}

__attribute__((target("avx2"))) double peak_avx2(const double* a, double c)
{
    return peak_width<vec4>(a, c);
}

__attribute__((target("avx512f"))) double peak_avx512(const double* a, double c)
{
    return peak_width<vec8>(a, c);
}

bool always() { return true; }
bool has_avx2() { return __builtin_cpu_supports("avx2"); }
bool has_avx512() { return __builtin_cpu_supports("avx512f"); }

void BM_limit_peak(benchmark::State& state, double (*peak)(const double*, double), bool (*supported)())
{
    if (!supported()) {
        state.SkipWithError("the CPU lacks this width");
        return;
    }
    for (size_t i = 0; i < L1N; ++i)
        l1data[i] = 1.0 / static_cast<double>(i + 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(peak(l1data, 0.5));
    rate(state, "GFLOP/s", 2.0 * L1N * SWEEPS);
}

}  // namespace

// The kernels run at each vector level: 0 scalar, 1 SSE2, 2 AVX2, 3 AVX-512.
#define LEVELS ArgName("level")->DenseRange(vec_scalar, vec_avx512)

BENCHMARK(BM_limit_read)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_limit_streamcopy)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_limit_peak, scalar, peak_scalar, always)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_limit_peak, sse2, peak_sse2, always)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_limit_peak, avx2, peak_avx2, has_avx2)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_limit_peak, avx512, peak_avx512, has_avx512)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(BM_tallmix_cols)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_tallmix_rowscols)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_widemix_rows)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_widemix_rowscols)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_cscslice)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_broadplus)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_latfiltS)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_latfilt)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_dilfilt)->LEVELS->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
