## latfilt: periodic filtering with a filter upsampled by a 2 x 2 sampling matrix.

## Each row of CASES: label, inputs, message after "latfilt: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      latfilt (args{:});
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["latfilt: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

## Tap (p, q), counted from 0, reads X(r0 + i - S21*q - S22*p, c0 + j - S11*q - S12*p)
## periodically; the start (r0, c0) is half the reach of the upsampled filter.
%!function y = shifted_sum (x, h, l)
%!  [m, n] = size (x);
%!  [P, Q] = size (h);
%!  ucol = fix (((l(1) - 1) * (Q - 1) + l(3) * (P - 1) + Q) - 1);
%!  urow = fix ((l(2) * (Q - 1) + (l(4) - 1) * (P - 1) + P) - 1);
%!  r0 = fix (urow / 2);
%!  c0 = fix (ucol / 2);
%!  s = fix (l(1:4));
%!  y = zeros (m, n);
%!  for q = 0:Q-1
%!    for p = 0:P-1
%!      back = [r0 - s(2)*q - s(4)*p, c0 - s(1)*q - s(3)*p];
%!      y += h(p+1, q+1) * circshift (x, mod (-back, [m n]));
%!    endfor
%!  endfor
%!endfunction

%!test # inputs that cannot be read as the filter needs them
%! X = magic (4);
%! H = ones (3);
%! msgl = "LATFILT requires that L be a full double array of at least four elements.";
%! msgs = "LATFILT requires that the steps in L be finite and within the 32-bit integer range.";
%! expect_errors ({
%!   "no inputs",          {},                             "LATFILT requires three inputs: X, H and L."
%!   "two inputs",         {X, H},                         "LATFILT requires three inputs: X, H and L."
%!   "single X",           {single(X), H, eye(2)},         "LATFILT requires that X be a full double matrix."
%!   "sparse X",           {sparse(X), H, eye(2)},         "LATFILT requires that X be a full double matrix."
%!   "X and H bad",        {int8(X), int8(H), 1},          "LATFILT requires that X be a full double matrix."
%!   "int8 H",             {X, int8(H), eye(2)},           "LATFILT requires that H be a full double matrix."
%!   "sparse H",           {X, sparse(H), eye(2)},         "LATFILT requires that H be a full double matrix."
%!   "L of 3 elements",    {X, H, [1 0 0]},                msgl
%!   "single L",           {X, H, single(eye(2))},         msgl
%!   "sparse L",           {X, H, sparse([1 1; 1 1])},     msgl
%!   "NaN L11",            {X, H, [NaN 0 0 1]},            msgs
%!   "infinite L22",       {X, H, [1 0 0 Inf]},            msgs
%!   "L21 beyond int32",   {X, H, [1 3e9 0 1]},            msgs
%!   "L12 beyond int32",   {X, H, [1 0 -3e9 1]},           msgs
%!   "centring too far",   {X, H, [1 0 2e9 1]},            "LATFILT cannot centre the filter: a centring term from L and the filter size is not finite or leaves the 32-bit integer range."
%! });

%!test # random data against a sum of circularly shifted images
%! randn ("state", 1);
%! cases = {
%!   "identity, 3 x 3 filter",     eye(2),          [3 3], [5 6]
%!   "identity, 4 x 4 filter",     eye(2),          [4 4], [5 5]
%!   "L = [1 1; -1 1]",            [1 1; -1 1],     [3 2], [5 6]
%!   "L = [1 -1; 1 1], 4 x 1",     [1 -1; 1 1],     [4 1], [5 6]
%!   "L = 2 * identity",           [2 0; 0 2],      [3 3], [7 8]
%!   "general L",                  [3 -1; 2 2],     [2 3], [6 7]
%!   "filter larger than image",   eye(2),          [6 7], [3 4]
%!   "steps beyond the image",     [5 0; 0 7],      [3 2], [3 4]
%!   "negative steps",             [-1 2; -3 -2],   [3 3], [4 5]
%!   "fractional entries",         [1.5 0.7; -0.4 2.9], [3 4], [5 6]
%!   "1 x 1 image",                [2 1; 1 3],      [2 3], [1 1]
%! };
%! for k = 1:rows (cases)
%!   [label, L, hsize, xsize] = cases{k, :};
%!   X = randn (xsize);
%!   H = randn (hsize);
%!   tol = 1e-12 * sum (abs (H(:))) * max (abs (X(:)));
%!   y = latfilt (X, H, L);
%!   if (! isequal (size (y), xsize) || max (abs (y(:) - shifted_sum (X, H, L)(:))) > tol)
%!     error ("%s: result differs from the shifted sum", label);
%!   endif
%! endfor

%!test # taps and start offsets worked out by hand
%! randn ("state", 1);
%! X = randn (4, 5);
%! a = 0.75;
%! b = -1.25;
%! c = 3;
%! assert (latfilt (X, [a b], eye (2)), a * X + b * circshift (X, [0 1]));
%! assert (latfilt (X, [a; b], eye (2)), a * X + b * circshift (X, [1 0]));
%! assert (latfilt (X, [a b], [1 -1; 1 1]), a * X + b * circshift (X, [1 1]));
%! assert (latfilt (X, [a; b], [1 -1; 1 1]), a * X + b * circshift (X, [1 -1]));
%! assert (latfilt (X, [1 0 0 0; zeros(3, 4)], eye (2)), circshift (X, [-1 -1]));
%! assert (latfilt (X, [a b c], [2 0; 0 1]),
%!         a * circshift (X, [0 -2]) + b * X + c * circshift (X, [0 2]));
%! assert (latfilt (X, [1 0 0 0 0], [1.5 0; 0 1]), circshift (X, [0 -3]));
%! assert (latfilt (X, [1 0 0 0 0], eye (2)), circshift (X, [0 -2]));
%! assert (latfilt (X, 2, [7 -3; 5.5 9]), 2 * X);

%!test # the taps are added in the filter's storage order
%! assert (latfilt (1, [2^53 -2^53; 1 0], eye (2)), 0);

%!test # L is read as its first four stored elements, whatever its shape
%! randn ("state", 1);
%! X = randn (5, 6);
%! H = randn (3, 2);
%! L = [2 1; -1 3];
%! want = latfilt (X, H, L);
%! assert (latfilt (X, H, L(:)'), want);
%! assert (latfilt (X, H, L(:)), want);
%! assert (latfilt (X, H, reshape ([L(:); 9; 9; 9; 9; 9], 3, 3)), want);
%! assert (latfilt (X, H, L, "ignored"), want);

%!test # empty images and empty filters
%! assert (latfilt (zeros (0, 3), ones (2), eye (2)), zeros (0, 3));
%! assert (latfilt (zeros (3, 0), ones (2), eye (2)), zeros (3, 0));
%! assert (latfilt (magic (3), zeros (0, 0), eye (2)), zeros (3));
%! assert (latfilt (magic (3), zeros (0, 2), eye (2)), zeros (3));

%!test # no output requested still gives Y; the inputs are left alone
%! X = magic (4);
%! H = [1 2; 3 4];
%! L = [1 1; -1 1];
%! want = shifted_sum (X, H, L);
%! latfilt (X, H, L);
%! assert (ans, want);
%! assert (X, magic (4));
%! assert (H, [1 2; 3 4]);
%! assert (L, [1 1; -1 1]);
