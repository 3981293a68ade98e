% The Octave half of bench/peers.sh: makes the workloads, times each module against the
% expressions an Octave user would write for it, checks that both give the same values,
% and leaves the inputs and the modules' results in DIR for the Python half.
% Run as: octave-cli --eval "peers_octave('<modules>', '<dir>')" with bench/ on the path.
function peers_octave(moddir, dir)
  addpath(moddir);
  rand('seed', 1); randn('seed', 1);
  out = fopen(fullfile(dir, 'times.txt'), 'w');

  % tallmix and widemix: A 4000 x 4000, 1000 random columns or rows (2000 rows with them).
  A = randn(4000, 4000);
  cols = randperm(4000, 1000)';  rows2 = randperm(4000, 2000)';
  rows = randperm(4000, 1000)';  x = randn(1000, 1);
  save_raw(dir, 'A', A); save_raw(dir, 'cols', cols); save_raw(dir, 'rows2', rows2);
  save_raw(dir, 'rows', rows); save_raw(dir, 'x', x);
  compare(out, dir, 'tallmix_cols', @() tallmix(A, cols, x), ...
          {'A(:,cols)*x', @() A(:, cols) * x});
  compare(out, dir, 'tallmix_rowscols', @() tallmix(A, rows2, cols, x), ...
          {'A(rows,cols)*x', @() A(rows2, cols) * x});
  compare(out, dir, 'widemix_rows', @() widemix(x, A, rows), ...
          {'x''*A(rows,:)', @() x' * A(rows, :)});
  compare(out, dir, 'widemix_rowscols', @() widemix(x, A, rows, cols), ...
          {'x''*A(rows,cols)', @() x' * A(rows, cols)});
  clear A;

  % cscslice: 100000 x 100000, about 10 stored entries in each column, the middle row.
  n = 100000; per = 10;
  i = randi(n, per, n);                 % a repeated row is summed: about 10 entries
  j = repmat(1:n, per, 1);
  v = randn(per * n, 1);
  S = sparse(i(:), j(:), v, n, n);
  clear i j v;
  [si, sj, sv] = find(S);
  save_raw(dir, 'S_i', si); save_raw(dir, 'S_j', sj); save_raw(dir, 'S_v', sv);
  clear si sj sv;
  r = n / 2;
  compare(out, dir, 'cscslice', @() slice_module(S, r), {'find(A(j,:))', @() slice_find(S, r)});
  clear S;

  % broadplus: X 4000 x 4000 and one value per column.
  X = randn(4000, 4000); v = randn(1, 4000);
  save_raw(dir, 'X', X); save_raw(dir, 'v', v);
  compare(out, dir, 'broadplus', @() broadplus(X, v), {'X+v', @() X + v});
  clear X;

  % The filters: 9 x 9 taps; the peers convolve with the upsampled or dilated filter.
  H = randn(9, 9);
  save_raw(dir, 'H', H);
  I = randn(512, 512);
  save_raw(dir, 'I', I);
  pad = @(Z) Z(mod((-8:size(Z, 1) + 7), size(Z, 1)) + 1, mod((-8:size(Z, 2) + 7), size(Z, 2)) + 1);
  G = zeros(17, 17);                    % latfiltS, L = 2,0,0,2: taps every second row and column
  G(1:2:17, 1:2:17) = H;
  compare(out, dir, 'latfiltS', @() latfiltS(I, H, [2 0 0 2]), ...
          {'conv2(padded,upsampled,''valid'')', @() conv2(pad(I), G, 'valid')});
  G = zeros(17, 17);                    % latfilt, L = 1,-1,1,1: tap (p, q) at (p - q, p + q)
  for p = 0:8
    for q = 0:8
      G(p - q + 9, p + q + 1) = H(p + 1, q + 1);
    end
  end
  compare(out, dir, 'latfilt', @() latfilt(I, H, [1 -1 1 1]), ...
          {'conv2(padded,upsampled,''valid'')', @() conv2(pad(I), G, 'valid')});
  D = randn(1024, 1024);
  save_raw(dir, 'D', D);
  G = zeros(17, 17);
  G(1:2:17, 1:2:17) = H;
  compare(out, dir, 'dilfilt', @() dilfilt(D, H, [2 0 0 2]), ...
          {'conv2(X,dilated,''valid'')', @() conv2(D(2:end, 2:end), G, 'valid')});
  fclose(out);
end

function y = slice_module(S, r)
  [v, c] = cscslice(S, r);
  y = [c(:), v(:)];
end

function y = slice_find(S, r)
  [~, c, v] = find(S(r, :));
  y = [c(:), v(:)];
end

function save_raw(dir, name, a)
  f = fopen(fullfile(dir, [name '.bin']), 'w');
  fwrite(f, size(a), 'int64');
  fwrite(f, a, 'double');
  fclose(f);
end

% The median of repeated calls: at least 5, and at least 0.5 s in all.
function t = timeit_median(f)
  times = [];
  while numel(times) < 5 || sum(times) < 0.5
    tic; y = f(); times(end + 1) = toc;  %#ok<NASGU>
  end
  t = median(times);
end

function compare(out, dir, name, modf, peer)
  y = modf();
  save_raw(dir, ['out_' name], y);
  yp = peer{2}();
  err = max(abs(y(:) - yp(:))) / max(1, max(abs(yp(:))));
  if ~isequal(size(y), size(yp)) || err > 1e-12
    error('peers: %s and %s disagree (relative %g)', name, peer{1}, err);
  end
  fprintf(out, '%s\tmodule (dist/octave)\t%.6g\n', name, timeit_median(modf));
  fprintf(out, '%s\tOctave %s\t%.6g\n', name, peer{1}, timeit_median(peer{2}));
end
