function varargout = dilfilt(varargin)
%DILFILT  Filter an image with a dilated filter (valid region only).
%   Y = DILFILT(X, H, L) filters the image X with the filter H dilated by
%   the diagonal of L and keeps only the valid region: the samples for
%   which the whole dilated filter lies inside X. X is not extended, so Y
%   is smaller than X. H is applied as in a convolution (flipped).
%
%   X  real double matrix, M x N, the image.
%   H  real double matrix, P x Q, the filter.
%   L  real double array of at least four elements: its first and fourth
%      stored elements, L(1,1) and L(2,2) of a 2 x 2 matrix, give the
%      steps; the other elements have no effect.
%   Only the real part of a complex input is used; inputs after the third
%   are ignored.
%
%   With S11 = fix(L(1,1)) and S22 = fix(L(2,2)) (2.9 acts as 2), both at
%   least 1, the taps of H lie S11 image columns and S22 image rows apart,
%   the gaps holding zeros. Y has max(M - P*S22 + 1, 0) rows and
%   max(N - Q*S11 + 1, 0) columns, and
%     Y(i, j) = sum over q = 1..Q, p = 1..P of
%       H(p, q) * X(i - 1 + S22*(P - p + 1), j - 1 + S11*(Q - q + 1)).
%   Up to the rounding of the sums this is CONV2(X, G, 'valid') with
%     G = zeros(P*S22, Q*S11); G(1:S22:end, 1:S11:end) = H;
%   The first S22 - 1 rows and S11 - 1 columns of X are never read. With
%   steps of 1 it is the plain valid convolution. An empty H gives zeros
%   of the size above ((M+1) x (N+1) for a 0 x 0 H); a dilated filter
%   larger than X gives an empty Y.
%
%   Each Y(i, j) starts at +0 and adds one product per tap, from the last
%   stored element of H back to the first. The same call thus gives a
%   bit-identical Y every time; builds for other platforms round the
%   running sum differently (fused multiply-add on PowerPC, extended
%   precision on 32-bit Windows), so their last bits may differ.
%
%   An error naming the argument is raised when fewer than three inputs
%   are given; X, H or L is not of class double or is sparse; L has fewer
%   than four elements; L(1,1) or L(2,2) is NaN or does not fit a 32-bit
%   integer once truncated; a step is below 1.
%
%   Example:
%     X = reshape(1:25, 5, 5);
%     Y = dilfilt(X, ones(2), [2 0; 0 2])   % gives [52 72; 56 76]
%     % Y(1,1) = X(2,2) + X(4,2) + X(2,4) + X(4,4) = 7 + 9 + 17 + 19
%
%   See also LATFILT, LATFILTS, CONV2.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

error('mixfilt:nomex', '%s: the compiled module was not found; build it with make.', mfilename);

%!demo
%! X = reshape(1:25, 5, 5);
%! Y = dilfilt(X, ones(2), [2 0; 0 2])   % taps two samples apart, valid part
