function varargout = tallmix(varargin)
%TALLMIX  Combination of selected columns of a matrix.
%   Y = TALLMIX(A, COLS, X) returns A(:, COLS) * X without forming the
%   submatrix: Y(j) is the sum over i of A(j, COLS(i)) * X(i). Y is a
%   column of size(A, 1) elements.
%
%   Y = TALLMIX(A, ROWS, COLS, X) returns A(ROWS, COLS) * X, a column of
%   numel(ROWS) elements.
%
%   A     real full double matrix (two dimensions).
%   ROWS  real full double vector (row or column) of row numbers of A.
%   COLS  real full double vector (row or column) of column numbers of A.
%   X     real full double vector (row or column) with one coefficient per
%         element of COLS; X(i) goes with COLS(i). When COLS has a single
%         element, X may be any non-empty vector and only X(1) is used.
%
%   Y is always a column, whatever the shapes of the inputs. A repeated
%   index is used as often as it occurs. An empty COLS (0 x 1 or 1 x 0)
%   selects nothing and gives zeros; an empty ROWS gives a 0 x 1 Y.
%
%   Indices are rounded by adding 0.1 and truncating: any value from
%   k - 0.1 up to, not including, k + 0.9 selects k (0.9 selects 1, 2.89
%   selects 2, 2.9 selects 3). 0, negative values, NaN, Inf and values
%   past the last row or column are out of range. All of ROWS is checked
%   before COLS is used.
%
%   Each Y(j) starts at +0 and adds one term per element of COLS, in the
%   order of COLS; terms that are zero are added too. The same call thus
%   gives a bit-identical Y every time, but the order can change the last
%   bits: with A(1,:) = [2^53 1 -2^53] and X = [1 1 1], COLS = [1 2 3]
%   gives Y(1) = 0 and COLS = [3 2 1] gives 1. The 32-bit Windows build
%   keeps each sum in extended precision, so its last bits may differ.
%
%   Errors, in the order they are checked:
%     "Invalid number of arguments."                 (not 3 or 4 inputs)
%     "Too many output arguments."
%     "TALLMIX requires that A be a double matrix."
%     "TALLMIX requires that ROWS be an index vector of type double."
%     "TALLMIX requires that COLS be an index vector of type double."
%     "TALLMIX requires that X be a double vector."
%     "The length of X does not match the number of columns in COLS."
%     "TALLMIX requires full (not sparse) inputs."
%     "Row index in ROWS is out of range."
%     "Column index in COLS is out of range."
%
%   Example:
%     A = magic(4);
%     Y = tallmix(A, [1 3], [1 -1])         % gives [13; -5; 3; -11]
%     Y = tallmix(A, [2 4], [1 3], [1 -1])  % gives [-5; -11]
%
%   See also WIDEMIX, BROADPLUS, CSCSLICE.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! A = magic(4);
%! Y = tallmix(A, [1 3], [1 -1])   % column 1 minus column 3 of A
