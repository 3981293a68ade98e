// Argument checks: each tests one property of one input and ends the call with a
// message naming the function and the argument when it does not hold.
#ifndef MIXFILT_GATEWAY_MEXUTILS_HPP
#define MIXFILT_GATEWAY_MEXUTILS_HPP

#include "mexhost.hpp"

// A real double array of at most two dimensions, full or sparse.
void checkmatrix(const mxArray* a, const char* function, const char* argument);
// A real double array of at most two dimensions with one row or one column.
void checkvector(const mxArray* a, const char* function, const char* argument);
// A real double array of exactly one row and one column, full or sparse.
void checkscalar(const mxArray* a, const char* function, const char* argument);
// An array in sparse storage, of any class.
void checksparse(const mxArray* a, const char* function, const char* argument);
// A cell array of at most two dimensions with one row or one column.
void checkcell_1d(const mxArray* a, const char* function, const char* argument);

#endif
