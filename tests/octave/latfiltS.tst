## latfiltS: periodic filtering with a filter upsampled by the diagonal of L; the
## off-diagonal entries only move the start. latfilt serves as the reference.

## Each row of CASES: label, inputs, message after "latfiltS: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      latfiltS (args{:});
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["latfiltS: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

%!test # inputs that cannot be read as the filter needs them
%! X = magic (4);
%! H = ones (3);
%! msgl = "LATFILTS requires that L be a full double array of at least four elements.";
%! msgs = "LATFILTS requires that the steps in L be finite and within the 32-bit integer range.";
%! msgc = "LATFILTS cannot centre the filter: a centring term from L and the filter size is not finite or leaves the 32-bit integer range.";
%! expect_errors ({
%!   "two inputs",          {X, H},                      "LATFILTS requires three inputs: X, H and L."
%!   "single X",            {single(X), H, eye(2)},      "LATFILTS requires that X be a full double matrix."
%!   "sparse X",            {sparse(X), H, eye(2)},      "LATFILTS requires that X be a full double matrix."
%!   "X and H bad",         {int8(X), int8(H), 1},       "LATFILTS requires that X be a full double matrix."
%!   "logical H",           {X, H > 0, eye(2)},          "LATFILTS requires that H be a full double matrix."
%!   "sparse H",            {X, sparse(H), eye(2)},      "LATFILTS requires that H be a full double matrix."
%!   "L of 3 elements",     {X, H, [1 0 0]},             msgl
%!   "sparse L",            {X, H, sparse([1 1; 1 1])},  msgl
%!   "NaN L11",             {X, H, [NaN 0 0 1]},         msgs
%!   "L22 beyond int32",    {X, H, [1 0 0 3e9]},         msgs
%!   "NaN L21",             {X, H, [1 NaN 0 1]},         msgc
%!   "L12 beyond int32",    {X, H, [1 0 3e9 1]},         msgc
%! });

%!test # a diagonal L gives exactly latfilt's result
%! randn ("state", 1);
%! cases = {
%!   "identity, 3 x 3 filter",     eye(2),          [3 3], [5 6]
%!   "identity, 4 x 4 filter",     eye(2),          [4 4], [5 5]
%!   "steps 2 and 3",              [2 0; 0 3],      [2 2], [6 7]
%!   "S11 = 0",                    [0 0; 0 1],      [1 3], [4 5]
%!   "fractional steps",           [1.5 0; 0 2.9],  [3 4], [7 6]
%!   "filter larger than image",   eye(2),          [6 7], [3 4]
%!   "steps beyond the image",     [5 0; 0 7],      [3 2], [3 4]
%!   "negative steps",             [-1 0; 0 -2],    [3 3], [4 5]
%!   "1 x 1 image",                [2 0; 0 3],      [5 3], [1 1]
%! };
%! for k = 1:rows (cases)
%!   [label, L, hsize, xsize] = cases{k, :};
%!   X = randn (xsize);
%!   H = randn (hsize);
%!   if (! isequal (latfiltS (X, H, L), latfilt (X, H, L)))
%!     error ("%s: latfiltS differs from latfilt", label);
%!   endif
%! endfor

%!test # off-diagonal entries shift the result of the diagonal alone
%! randn ("state", 1);
%! X = randn (5, 6);
%! cases = {
%!   "L12 = 2, 3 x 3 filter",        [1 2; 0 1],   [3 3], [0 -2]
%!   "L12 = -2, 3 x 1 filter",       [1 -2; 0 1],  [3 1], [0 2]
%!   "L21 = 2, 1 x 3 filter",        [1 0; 2 1],   [1 3], [-2 0]
%!   "all four entries, 3 x 3",      [2 -1; 1 3],  [3 3], [-1 1]
%! };
%! for k = 1:rows (cases)
%!   [label, L, hsize, shift] = cases{k, :};
%!   H = randn (hsize);
%!   want = circshift (latfilt (X, H, diag (diag (L))), shift);
%!   if (! isequal (latfiltS (X, H, L), want))
%!     error ("%s: result is not the shifted diagonal result", label);
%!   endif
%! endfor

%!test # taps and start offsets worked out by hand
%! randn ("state", 1);
%! X = randn (4, 5);
%! H = randn (2, 2);
%! assert (latfiltS (X, H, [2 0; 0 3]),
%!         H(1, 1) * circshift (X, [-1 -1]) + H(2, 1) * circshift (X, [2 -1])
%!         + H(1, 2) * circshift (X, [-1 1]) + H(2, 2) * circshift (X, [2 1]));
%! assert (latfiltS (X, [1 0 0 0; zeros(3, 4)], eye (2)), circshift (X, [-1 -1]));
%! assert (latfiltS (X, 2, [7 -3; 5.5 9]), 2 * X);

%!test # with S11 = 0 every tap reads the output's own sample, in storage order
%! randn ("state", 1);
%! X = randn (3, 4);
%! assert (latfiltS (X, [0.5 -2 3], [0 0; 0 1]), (0.5 * X + -2 * X) + 3 * X);
%! assert (latfiltS (ones (2, 3), [2^53 1 -2^53], [0 0; 0 1]), zeros (2, 3));

%!test # L is read as its first four stored elements, whatever its shape
%! randn ("state", 1);
%! X = randn (5, 6);
%! H = randn (3, 2);
%! L = [2 1; -1 3];
%! want = latfiltS (X, H, L);
%! assert (latfiltS (X, H, L(:)'), want);
%! assert (latfiltS (X, H, L(:)), want);
%! assert (latfiltS (X, H, reshape ([L(:); 9; 9; 9; 9; 9], 3, 3)), want);
%! assert (latfiltS (X, H, L, "ignored"), want);

%!test # empty images and empty filters
%! assert (latfiltS (zeros (0, 3), ones (2), eye (2)), zeros (0, 3));
%! assert (latfiltS (zeros (3, 0), ones (2), eye (2)), zeros (3, 0));
%! assert (latfiltS (magic (3), zeros (0, 0), eye (2)), zeros (3));
%! assert (latfiltS (magic (3), zeros (2, 0), eye (2)), zeros (3));

%!test # no output requested still gives Y; the inputs are left alone
%! X = magic (4);
%! H = [1 2; 3 4];
%! L = [1 2; 0 1];
%! want = latfiltS (X, H, L);
%! latfiltS (X, H, L);
%! assert (ans, want);
%! assert (X, magic (4));
%! assert (H, [1 2; 3 4]);
%! assert (L, [1 2; 0 1]);
