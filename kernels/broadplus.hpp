// broadplus: one value added to every element of each column.
#ifndef MIXFILT_KERNELS_BROADPLUS_HPP
#define MIXFILT_KERNELS_BROADPLUS_HPP

// Y(r, c) = X(r, c) + V(c), walked once in storage order with a row counter (no division
// per element). Reads M*N of X and N of V (nothing when M*N is 0); writes M*N of Y.
template <typename Index>
void broadplus(const double* x, Index m, Index n, const double* v, double* y);

#endif
