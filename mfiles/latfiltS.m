function varargout = latfiltS(varargin)
%LATFILTS  Filter an image with a diagonally upsampled filter (periodic).
%   Y = LATFILTS(X, H, L) filters the image X with the filter H whose
%   columns are spread L(1,1) image columns apart and whose rows L(2,2)
%   image rows apart. X is extended periodically in both directions, H is
%   applied as in a convolution (flipped), and Y has the size of X.
%
%   X  real double matrix, M x N, the image.
%   H  real double matrix, P x Q, the filter; any size, larger than X too.
%   L  real double array of at least four elements: its first four stored
%      elements are read as [L(1) L(3); L(2) L(4)], whatever its shape.
%   Only the real part of a complex input is used; inputs after the third
%   are ignored.
%
%   Only the diagonal of L places the taps: with S11 = fix(L(1,1)) and
%   S22 = fix(L(2,2)) (2.9 acts as 2), tap H(p, q) lands S11*(q-1) columns
%   and S22*(p-1) rows away from tap H(1, 1). Any integer steps are
%   allowed, negative or larger than the image: indices wrap around the
%   image. L(2,1) and L(1,2) place no tap but shift the centring. In full,
%   with mod taken in 0..M-1 or 0..N-1,
%     Y(i, j) = sum over q = 1..Q, p = 1..P of H(p, q) *
%       X(1 + mod(i - 1 + r0 - S22*(p-1), M),
%         1 + mod(j - 1 + c0 - S11*(q-1), N))
%   where r0 = fix(Urow / 2), c0 = fix(Ucol / 2) and, from L as given,
%     Ucol = fix((L(1,1) - 1)*(Q - 1) + L(1,2)*(P - 1) + Q - 1)
%     Urow = fix(L(2,1)*(Q - 1) + (L(2,2) - 1)*(P - 1) + P - 1).
%   When L(2,1) and L(1,2) are 0, Y equals LATFILT(X, H, L). An empty X
%   gives an empty Y; an empty H gives zeros.
%
%   Each Y(i, j) starts at +0 and adds one product per tap, in the storage
%   order of H (down each column, column after column). The same call thus
%   gives a bit-identical Y every time; builds for other platforms round
%   the running sum differently (fused multiply-add on PowerPC, extended
%   precision on 32-bit Windows), so their last bits may differ. The
%   PowerPC build also prints a fixed text of seven characters, without a
%   line end, on every call.
%
%   An error naming the argument is raised when fewer than three inputs
%   are given; X, H or L is not of class double or is sparse; L has fewer
%   than four elements; L(1,1) or L(2,2) is NaN or does not fit a 32-bit
%   integer once truncated; Ucol or Urow is NaN or does not fit one.
%
%   Example:
%     Y = latfiltS(1:6, [1 1], [2 0; 0 2])   % Y(j) = X(j+1) + X(j-1)
%     % gives [8 4 6 8 10 6]: the ends wrap around
%
%   See also LATFILT, DILFILT, CONV2.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! X = reshape(1:16, 4, 4);
%! Y = latfiltS(X, ones(2), [2 0; 0 2])   % sum of the four diagonal neighbours
