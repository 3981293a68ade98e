// broadplus: one value added to every element of each column.
#ifndef MIXFILT_KERNELS_BROADPLUS_HPP
#define MIXFILT_KERNELS_BROADPLUS_HPP

#include "veclevel.hpp"

// Y(r, c) = X(r, c) + V(c), one addition per element, without a division per element.
// Reads M*N of X and N of V (nothing when M*N is 0); writes M*N of Y.
template <typename Index>
void broadplus(const double* x, Index m, Index n, const double* v, double* y);

// The same at a given vector level (one that the processor runs); every level gives the
// same bits. broadplus takes the best level.
template <typename Index>
void broadplus_at(veclevel level, const double* x, Index m, Index n, const double* v, double* y);

#endif
