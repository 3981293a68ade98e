// Bit-for-bit comparison of results: +0.0 differs from -0.0, and any NaN matches any NaN
// (which of two NaN operands an instruction passes on depends on the order the compiler
// gives the operands).
#ifndef MIXFILT_TESTS_SAMEBITS_HPP
#define MIXFILT_TESTS_SAMEBITS_HPP

#include <cmath>
#include <cstring>
#include <vector>

inline bool samebits(double a, double b)
{
    if (std::isnan(a) || std::isnan(b))
        return std::isnan(a) && std::isnan(b);
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool samebits(const double* a, const double* b, size_t count)
{
    for (size_t k = 0; k < count; ++k)
        if (!samebits(a[k], b[k]))
            return false;
    return true;
}

inline bool samebits(const std::vector<double>& a, const std::vector<double>& b)
{
    return a.size() == b.size() && samebits(a.data(), b.data(), a.size());
}

#endif
