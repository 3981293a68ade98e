// tallmix: a linear combination of selected columns of a dense matrix.
#ifndef MIXFILT_KERNELS_TALLMIX_HPP
#define MIXFILT_KERNELS_TALLMIX_HPP

#include "mixindex.hpp"
#include "veclevel.hpp"

// Y(j) = sum over i = 0 .. L-1 of A(j, COLS(i)) * X(i), j = 0 .. M-1, terms in COLS order.
// Reads M*N of A and L of COLS and X. Y holds M zeros on entry and is accumulated in
// place, one selected column at a time; each COLS element is converted just before its
// terms are added, so mix_badcol comes after the terms of the elements before it.
template <typename Index>
[[nodiscard]] mixstatus tallmix_cols(const double* a, Index m, Index n,
                                     const double* cols, Index l, const double* x, double* y);

// Y(j) = sum over i of A(ROWS(j), COLS(i)) * X(i), j = 0 .. R-1. Every ROWS element is
// converted into rowtable (R entries of scratch owned by the caller) before any COLS
// element; mix_badrow at the first rejected row.
template <typename Index>
[[nodiscard]] mixstatus tallmix_rowscols(const double* a, Index m, Index n,
                                         const double* rows, Index r, Index* rowtable,
                                         const double* cols, Index l, const double* x,
                                         double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. tallmix_cols and tallmix_rowscols take the best level.
template <typename Index>
[[nodiscard]] mixstatus tallmix_cols_at(veclevel level, const double* a, Index m, Index n,
                                        const double* cols, Index l, const double* x, double* y);
template <typename Index>
[[nodiscard]] mixstatus tallmix_rowscols_at(veclevel level, const double* a, Index m, Index n,
                                            const double* rows, Index r, Index* rowtable,
                                            const double* cols, Index l, const double* x,
                                            double* y);

#endif
