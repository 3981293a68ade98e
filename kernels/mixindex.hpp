// Index vectors of the column and row combinations: 1-based doubles to 0-based table entries.
#ifndef MIXFILT_KERNELS_MIXINDEX_HPP
#define MIXFILT_KERNELS_MIXINDEX_HPP

#include <cstdint>

// Outcome of a combination kernel: which index check failed, if any.
enum mixstatus {
    mix_ok = 0,
    mix_badrow,     // an element of ROWS is out of range
    mix_badcol      // an element of COLS is out of range
};

// Converts one 1-based index v against the bound B: y = v + 0.1 in double precision;
// accepted when 1 <= y < B + 1, giving trunc(y) - 1. NaN, infinities and every value
// outside the range are rejected before any conversion to an integer is made.
template <typename Index>
[[nodiscard]] inline bool mixindex(double v, Index bound, Index* out)
{
    volatile double y = v + 0.1;    // one double addition, also where the FPU is x87
    double limit = static_cast<double>(bound) + 1.0;
    if (!(y >= 1.0 && y < limit))
        return false;
    *out = static_cast<Index>(y) - 1;
    return true;
}

// Converts count indices into table, in order; false at the first one rejected.
template <typename Index>
[[nodiscard]] bool mixtable(const double* v, Index count, Index bound, Index* table);

#endif
