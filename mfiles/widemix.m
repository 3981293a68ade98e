function varargout = widemix(varargin)
%WIDEMIX  Combination of selected rows of a matrix.
%   Y = WIDEMIX(X, A, ROWS) returns X' * A(ROWS, :), X taken as a column,
%   without forming the submatrix: Y(j) is the sum over k of
%   X(k) * A(ROWS(k), j). Y is a row of size(A, 2) elements.
%
%   Y = WIDEMIX(X, A, ROWS, COLS) returns X' * A(ROWS, COLS), a row of
%   numel(COLS) elements.
%
%   X     real full double vector (row or column) with one coefficient per
%         element of ROWS; X(k) goes with ROWS(k). When ROWS has a single
%         element, X may be any non-empty vector and only X(1) is used.
%   A     real full double matrix (two dimensions).
%   ROWS  real full double vector (row or column) of row numbers of A.
%   COLS  real full double vector (row or column) of column numbers of A.
%
%   Y is always a row, whatever the shapes of the inputs. A repeated index
%   is used as often as it occurs. An empty ROWS (0 x 1 or 1 x 0) selects
%   nothing and gives zeros; an empty COLS gives a 1 x 0 Y.
%
%   Indices are rounded by adding 0.1 and truncating: any value from
%   k - 0.1 up to, not including, k + 0.9 selects k (0.9 selects 1, 2.89
%   selects 2, 2.9 selects 3). 0, negative values, NaN, Inf and values
%   past the last row or column are out of range. Every index is checked,
%   all of ROWS and then all of COLS, before any arithmetic.
%
%   Each Y(j) starts at +0 and adds one term per element of ROWS, in the
%   order of ROWS; terms that are zero are added too. The same call thus
%   gives a bit-identical Y every time, but the order can change the last
%   bits: with A(:,1) = [2^53; 1; -2^53] and X = [1 1 1], ROWS = [1 2 3]
%   gives Y(1) = 0 and ROWS = [3 2 1] gives 1. The 32-bit Windows build
%   keeps each sum in extended precision, so its last bits may differ.
%
%   Errors, in the order they are checked:
%     "Invalid number of input arguments."           (not 3 or 4 inputs)
%     "Too many output arguments."
%     "WIDEMIX requires that A be a double matrix."
%     "WIDEMIX requires that ROWS be an index vector of type double."
%     "WIDEMIX requires that X be a double vector."
%     "The length of X does not match the number of rows in ROWS."
%     "WIDEMIX requires that COLS be an index vector of type double."
%     "WIDEMIX requires full (not sparse) inputs."
%     "Row index in ROWS is out of range."
%     "Column index in COLS is out of range."
%
%   Example:
%     A = magic(4);
%     Y = widemix([1 -1], A, [1 3])          % gives [7 -5 -3 1]
%     Y = widemix([1 -1], A, [1 3], [2 4])   % gives [-5 1]
%
%   See also TALLMIX, BROADPLUS, CSCSLICE.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! A = magic(4);
%! Y = widemix([1 -1], A, [1 3])   % row 1 minus row 3 of A
