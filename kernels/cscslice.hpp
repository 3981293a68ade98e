// cscslice: one row of a matrix in compressed sparse column storage, read in place.
#ifndef MIXFILT_KERNELS_CSCSLICE_HPP
#define MIXFILT_KERNELS_CSCSLICE_HPP

#include "veclevel.hpp"

enum rowstatus {
    row_ok = 0,
    row_negative,       // the row number is below 0
    row_outofrange      // it names no row: 0, beyond M, NaN or infinite
};

// The 1-based row number x as a 0-based row: x + 0.01 in double precision, accepted
// when 1 <= x + 0.01 < M + 1 and then truncated. The sign test is on x itself.
template <typename Index>
[[nodiscard]] rowstatus cscslice_row(double x, Index m, Index* r);

// The number of stored entries among the nnz whose row index equals r.
template <typename Index>
Index cscslice_count(const Index* ir, Index nnz, Index r);

// For each column c = 1 .. N in order, the first stored entry at or past row r, when it
// lies in row r: its value into vals and c into cols (unless cols is null). Writes at most
// k elements of each (k from cscslice_count), whatever the order of the row indices.
template <typename Index>
void cscslice_fill(Index n, const Index* jc, const Index* ir, const double* pr, Index r,
                   Index k, double* vals, double* cols);

// The same at a given vector level (one that the processor runs), scanning the row
// indices a register at a time; every level gives the same count and entries. The
// functions above take the best level.
template <typename Index>
Index cscslice_count_at(veclevel level, const Index* ir, Index nnz, Index r);

template <typename Index>
void cscslice_fill_at(veclevel level, Index n, const Index* jc, const Index* ir, const double* pr,
                      Index r, Index k, double* vals, double* cols);

#endif
