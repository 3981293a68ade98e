// Asking ahead for the lines of columns that a later pass reads.
#ifndef MIXFILT_KERNELS_LINESWEEP_HPP
#define MIXFILT_KERNELS_LINESWEEP_HPP

#include <cstdint>
#include "vecops.hpp"

// Whether R selected rows of a column of M doubles meet on average one line (8 rows) or
// more: then most of its lines are read, and asking for all of them in order is worth it;
// else only the lines of the selected rows are asked for.
inline bool sweepwhole(int64_t r, int64_t m)
{
    return r >= (m + 7) / 8;
}

// The lines of a few columns of M doubles, asked for in storage order, column after column,
// a few at each step of a loop that reads other data, so that the last is asked for by
// the last step. A sweep in order is what the processor's own prefetcher follows at full
// memory speed, where reads that jump about wait for memory a line at a time. Asking for a
// line never faults and changes nothing; every address asked for lies inside its column.
// Kept in a local object, so that its position lives in registers.
struct linesweep {
    const double* const* columns;
    int count;
    int64_t m;
    int64_t per;            // lines a step
    int c = 0;              // the column and row of the next line
    int64_t row = 0;

    linesweep(const double* const* cols, int k, int64_t rows, int64_t steps)
        : columns(cols), count(k), m(rows), per(steps > 0 ? (k * ((rows + 7) / 8) + steps - 1) / steps : 0)
    {
    }

    MIXFILT_INLINE void step()
    {
        for (int64_t u = 0; u < per && c < count; ++u) {
            __builtin_prefetch(columns[c] + row);
            row += 8;
            if (row >= m) {
                row = 0;
                ++c;
            }
        }
    }
};

#endif
