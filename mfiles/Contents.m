% mixfilt: sparse-coding and lattice filtering modules
% Version 1.0.0 11-Dec-2026
%
% Sparse coding
%   tallmix      - Combination of selected columns of a matrix.
%   widemix      - Combination of selected rows of a matrix.
%   cscslice     - Values and column numbers of one row of a sparse matrix.
%   broadplus    - Add one value to every element of each column of a matrix.
%
% Lattice filtering
%   latfilt      - Filter an image with a lattice-upsampled filter (periodic).
%   latfiltS     - Filter an image with a diagonally upsampled filter (periodic).
%   dilfilt      - Filter an image with a dilated filter (valid region only).
%
% Demonstration
%   demo_mixfilt - Call each module on small data and filter a test image.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.
