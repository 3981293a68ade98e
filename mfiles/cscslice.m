function varargout = cscslice(varargin)
%CSCSLICE  Values and column numbers of one row of a sparse matrix.
%   [V, C] = CSCSLICE(A, J) returns the entries that the sparse matrix A
%   stores in row J: V holds their values and C their column numbers,
%   both 1 x K rows in ascending column order, K being the number of
%   entries stored in that row. V = CSCSLICE(A, J) returns the values
%   alone.
%
%   A  real double matrix in sparse storage (two dimensions).
%   J  real double scalar, full or sparse: the row number, counted from 1.
%
%   A is read in its sparse storage and never made full. A stored entry
%   is returned whatever its value, a stored zero included; a position
%   that A does not store is never returned. Values come back exactly as
%   stored (NaN, Inf and -0 included): no arithmetic is done on them.
%   A row that stores nothing gives two 1 x 0 results.
%
%   J is first tested for its sign: any negative J, even -0.001, is an
%   invalid row index. Then 0.01 is added and the sum truncated: any value
%   from k - 0.01 up to, not including, k + 0.99 selects row k (0.99
%   selects 1, 1.98 selects 1, 1.99 selects 2). 0, 0.5, NaN, Inf and rows
%   past size(A, 1) are out of range.
%
%   The messages name the function GETCSCSLICE. Errors, in the order they
%   are checked:
%     "GETCSCSLICE requires two input arguments."
%     "Too many output arguments."                   (more than 2)
%     "GETCSCSLICE requires that A be a double matrix."
%     "GETCSCSLICE requires that A be sparse."
%     "GETCSCSLICE requires that J be a double scalar."
%     "Invalid row index."                           (J below 0)
%     "Row index is out of range."
%   Nothing is created when a check fails.
%
%   Example:
%     A = sparse([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
%     [V, C] = cscslice(A, 1)   % gives V = [5 7], C = [2 4]
%     [V, C] = cscslice(A, 3)   % gives V = -1, C = 2
%
%   See also TALLMIX, WIDEMIX, BROADPLUS, SPARSE, FIND.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! A = sparse([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
%! [V, C] = cscslice(A, 1)   % values and columns stored in row 1
