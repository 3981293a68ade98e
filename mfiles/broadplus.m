function varargout = broadplus(varargin)
%BROADPLUS  Add one value to every element of each column of a matrix.
%   Y = BROADPLUS(X, V) returns X with V(c) added to every element of
%   column c: Y(r, c) = X(r, c) + V(c). Y has the size of X; X and V are
%   not changed.
%
%   X  real full double matrix (two dimensions), M x N.
%   V  real full double vector, row or column, with N elements, one per
%      column of X. Its shape makes no difference to Y.
%
%   V is matched against the number of columns of X, never its rows: a
%   3 x 4 X needs a V of 4 elements, and one of 3 elements is an error.
%   An X with no columns takes an empty V (1 x 0 or 0 x 1); an X with no
%   rows gives an empty Y. A 0 x 0 V is not a vector.
%
%   Each element of Y is one addition of two doubles, so no order of
%   summation enters the result: Y is the same on every call. NaN and
%   infinities pass through the addition as usual. The 32-bit Windows
%   build rounds each sum through extended precision, which can change
%   its last bit in rare cases.
%
%   Errors, in the order they are checked:
%     "Two input arguments required."
%     "Too many output arguments."
%     "BROADPLUS requires that X be a double matrix."
%     "BROADPLUS requires that V be a double vector."
%     "Error in BROADPLUS: dimensions of V and X must agree."
%     "BROADPLUS requires full (not sparse) inputs."
%   Nothing is created when a check fails.
%
%   Example:
%     Y = broadplus([1 2; 3 4], [10 20])   % gives [11 22; 13 24]
%
%   See also TALLMIX, WIDEMIX, CSCSLICE, PLUS.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! X = [1 2; 3 4];
%! Y = broadplus(X, [10 20])   % 10 added to column 1, 20 to column 2
