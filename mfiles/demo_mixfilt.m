%DEMO_MIXFILT  Call each module on small data and filter a test image.
%   Prints what each sparse-coding module returns for a small example,
%   then filters a synthetic 128 x 128 image with LATFILT, LATFILTS and
%   DILFILT and writes the four images side by side to the PNG file named
%   by the variable OUTFILE, or to filters.png when OUTFILE does not exist.
%   The compiled modules must be on the path.
%
% Copyright (C) 2026 The mixfilt developers. Licensed under the BSD 3-Clause License.

%% Sparse coding on small data
A = magic(4);
fprintf('A = magic(4):\n'); disp(A);

fprintf('tallmix(A, [1 3], [1 -1]): column 1 minus column 3 of A, as a column\n');
disp(tallmix(A, [1 3], [1 -1]));

fprintf('tallmix(A, [2 4], [1 3], [1 -1]): the same, rows 2 and 4 only\n');
disp(tallmix(A, [2 4], [1 3], [1 -1]));

fprintf('tallmix(A, [0.9 2.9], [1 1]): indices round by +0.1, so columns 1 and 3\n');
disp(tallmix(A, [0.9 2.9], [1 1]));

fprintf('widemix([1 -1], A, [1 3]): row 1 minus row 3 of A, as a row\n');
disp(widemix([1 -1], A, [1 3]));

fprintf('widemix([1 -1], A, [1 3], [2 4]): the same, columns 2 and 4 only\n');
disp(widemix([1 -1], A, [1 3], [2 4]));

fprintf('tallmix(A, 5, 1): a column index past the last column is refused:\n');
try
  tallmix(A, 5, 1);
catch err
  fprintf('  error: %s\n', err.message);
end

S = sparse([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
fprintf('S = sparse([0 5 0 7; 2 0 0 0; 0 -1 0 0]):\n'); disp(full(S));
[v, c] = cscslice(S, 1);
fprintf('[V, C] = cscslice(S, 1): values stored in row 1, and their columns\n');
disp(v); disp(c);
[v, c] = cscslice(S, 2.995);
fprintf('[V, C] = cscslice(S, 2.995): 2.995 + 0.01 truncates to row 3\n');
disp(v); disp(c);

fprintf('broadplus([1 2; 3 4], [10 20]): 10 added to column 1, 20 to column 2\n');
disp(broadplus([1 2; 3 4], [10 20]));

%% Lattice filtering of a test image
n = 128;
[cc, rr] = meshgrid(1:n, 1:n);
img = double((rr - 40).^2 + (cc - 44).^2 <= 26^2);           % disc
img(12:20, 84:120) = 1;                                       % horizontal bar
bars = rr >= 78 & rr <= 120 & cc >= 8 & cc <= 60;
img(bars) = mod(floor(cc(bars) / 4), 2);                      % vertical bars
checks = rr >= 72 & rr <= 120 & cc >= 72 & cc <= 120;         % checkerboard
img(checks) = xor(mod(floor(rr(checks) / 6), 2), mod(floor(cc(checks) / 6), 2));

b = [1 4 6 4 1];
h = (b' * b) / 256;                                           % 5 x 5 binomial

quincunx = [1 1; -1 1];
twice = [2 0; 0 2];
y_lat = latfilt(img, h, quincunx);
y_diag = latfiltS(img, h, twice);
y_dil = dilfilt(img, h, twice);
fprintf('\nlatfilt and latfiltS keep the image size: %d x %d and %d x %d\n', ...
        size(y_lat), size(y_diag));
fprintf('dilfilt keeps the valid region only: %d x %d (128 - 5*2 + 1)\n', ...
        size(y_dil));

if ~exist('outfile', 'var')
  outfile = 'filters.png';
end
% Headless Octave draws with gnuplot, which warns that it is discouraged.
old_warning = warning('off', 'Octave:gnuplot-graphics');
fig = figure('visible', 'off');
set(fig, 'paperunits', 'inches', 'paperposition', [0 0 14 4]);
panels = {img, 'original'; ...
          y_lat, 'latfilt, L = [1 1; -1 1]'; ...
          y_diag, 'latfiltS, L = [2 0; 0 2]'; ...
          y_dil, 'dilfilt, L = [2 0; 0 2]'};
for k = 1:size(panels, 1)
  subplot(1, 4, k);
  imagesc(panels{k, 1});
  colormap(gray);
  axis image;
  title(panels{k, 2});
end
print(fig, '-dpng', outfile);
close(fig);
warning(old_warning);
fprintf('figure written to %s\n', outfile);
