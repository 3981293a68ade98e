function varargout = latfilt(varargin)
%LATFILT  Filter an image with a lattice-upsampled filter (periodic).
%   Y = LATFILT(X, H, L) filters the image X with the filter H upsampled
%   by the 2 x 2 sampling matrix L. X is extended periodically in both
%   directions, H is applied as in a convolution (flipped), and Y has the
%   size of X.
%
%   X  real double matrix, M x N, the image.
%   H  real double matrix, P x Q, the filter; any size, larger than X too.
%   L  real double array of at least four elements: its first four stored
%      elements are read as [L(1) L(3); L(2) L(4)], whatever its shape.
%   Only the real part of a complex input is used; inputs after the third
%   are ignored.
%
%   L acts on (column, row) pairs. With S = fix(L) (2.9 acts as 2), tap
%   H(p, q) lands S(1,1)*(q-1) + S(1,2)*(p-1) columns and
%   S(2,1)*(q-1) + S(2,2)*(p-1) rows away from tap H(1, 1). Any integer
%   steps are allowed, negative or larger than the image: indices wrap
%   around the image. In full, with mod taken in 0..M-1 or 0..N-1,
%     Y(i, j) = sum over q = 1..Q, p = 1..P of H(p, q) *
%       X(1 + mod(i - 1 + r0 - S(2,1)*(q-1) - S(2,2)*(p-1), M),
%         1 + mod(j - 1 + c0 - S(1,1)*(q-1) - S(1,2)*(p-1), N))
%   where r0 = fix(Urow / 2), c0 = fix(Ucol / 2) and, from L as given,
%     Ucol = fix((L(1,1) - 1)*(Q - 1) + L(1,2)*(P - 1) + Q - 1)
%     Urow = fix(L(2,1)*(Q - 1) + (L(2,2) - 1)*(P - 1) + P - 1).
%   For integer L, Ucol and Urow are the displacement of the last tap, so
%   Y is centred by about half the extent of the upsampled filter. With
%   L = eye(2) and an odd-sized H this is a periodic convolution centred
%   on the middle tap. An empty X gives an empty Y; an empty H gives zeros.
%
%   Each Y(i, j) starts at +0 and adds one product per tap, in the storage
%   order of H (down each column, column after column). The same call thus
%   gives a bit-identical Y every time; builds for other platforms round
%   the running sum differently (fused multiply-add on PowerPC, extended
%   precision on 32-bit Windows), so their last bits may differ.
%
%   An error naming the argument is raised when fewer than three inputs
%   are given; X, H or L is not of class double or is sparse; L has fewer
%   than four elements; an entry of L is NaN or does not fit a 32-bit
%   integer once truncated; Ucol or Urow does not fit one.
%
%   Example:
%     X = reshape(1:16, 4, 4);
%     Y = latfilt(X, [1 1], [1 1; -1 1])  % quincunx: adds X(i+1, j-1)
%     % gives [15 7 15 23; 17 9 17 25; 19 11 19 27; 17 9 17 25]
%
%   See also LATFILTS, DILFILT, CONV2.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! X = reshape(1:16, 4, 4);
%! Y = latfilt(X, [1 1], [1 1; -1 1])   % each sample plus X(i+1, j-1), wrapped
