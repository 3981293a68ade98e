// widemix: a linear combination of selected rows of a dense matrix.
#ifndef MIXFILT_KERNELS_WIDEMIX_HPP
#define MIXFILT_KERNELS_WIDEMIX_HPP

#include "mixindex.hpp"
#include "veclevel.hpp"

// Y(j) = sum over k = 0 .. R-1 of A(rowtable(k), j) * X(k), j = 0 .. N-1, terms in ROWS
// order. rowtable holds R converted, checked rows (mixtable). Y holds N zeros on entry.
template <typename Index>
void widemix_rows(const double* a, Index m, Index n, const Index* rowtable, Index r,
                  const double* x, double* y);

// Y(j) = sum over k of A(rowtable(k), coltable(j)) * X(k), j = 0 .. L-1.
template <typename Index>
void widemix_rowscols(const double* a, Index m, const Index* rowtable, Index r,
                      const Index* coltable, Index l, const double* x, double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. widemix_rows and widemix_rowscols take the best level.
template <typename Index>
void widemix_rows_at(veclevel level, const double* a, Index m, Index n, const Index* rowtable,
                     Index r, const double* x, double* y);
template <typename Index>
void widemix_rowscols_at(veclevel level, const double* a, Index m, const Index* rowtable, Index r,
                         const Index* coltable, Index l, const double* x, double* y);

#endif
