## dilfilt: the valid region of X convolved with H dilated by the steps on L's diagonal
## (L(2,2) moves rows, L(1,1) columns).

## Each row of CASES: label, inputs, message after "dilfilt: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      dilfilt (args{:});
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["dilfilt: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

## H spread over a zero matrix, each tap followed by step - 1 zeros along each axis.
%!function y = dilated_conv (x, h, rowstep, colstep)
%!  g = zeros (rows (h) * rowstep, columns (h) * colstep);
%!  g(1:rowstep:end, 1:colstep:end) = h;
%!  y = conv2 (x, g, "valid");
%!endfunction

%!test # inputs that cannot be read, and steps that cannot dilate
%! X = magic (6);
%! H = ones (2);
%! msgs = "DILFILT requires that the steps in L be finite and within the 32-bit integer range.";
%! msgsmall = "DILFILT requires that the steps L(1,1) and L(2,2) be at least 1.";
%! expect_errors ({
%!   "two inputs",          {X, H},                      "DILFILT requires three inputs: X, H and L."
%!   "single X",            {single(X), H, eye(2)},      "DILFILT requires that X be a full double matrix."
%!   "X and H bad",         {sparse(X), int8(H), 1},     "DILFILT requires that X be a full double matrix."
%!   "sparse H",            {X, sparse(H), eye(2)},      "DILFILT requires that H be a full double matrix."
%!   "L of 3 elements",     {X, H, [1 0 0]},             "DILFILT requires that L be a full double array of at least four elements."
%!   "single L",            {X, H, single(eye(2))},      "DILFILT requires that L be a full double array of at least four elements."
%!   "NaN L11",             {X, H, [NaN 0 0 1]},         msgs
%!   "infinite L22",        {X, H, [1 0 0 Inf]},         msgs
%!   "NaN and 0 steps",     {X, H, [0 0 0 NaN]},         msgs
%!   "L11 = 0",             {X, H, [0 0 0 1]},           msgsmall
%!   "L22 = -1",            {X, H, [1 0 0 -1]},          msgsmall
%!   "L11 = 0.5",           {X, H, [0.5 0 0 2]},         msgsmall
%! });

%!test # random data against conv2 with the explicitly dilated filter
%! randn ("state", 1);
%! cases = {
%!   "step 1",                      eye(2),         [3 2], [6 7]
%!   "step 2",                      2 * eye(2),     [2 3], [9 10]
%!   "step 3, 3 x 3 filter",        3 * eye(2),     [3 3], [12 11]
%!   "dilated filter fills image",  2 * eye(2),     [3 2], [6 4]
%!   "row step 3, column step 2",   [2 0; 0 3],     [2 2], [9 8]
%!   "row step 1, column step 3",   [3 0; 0 1],     [3 2], [5 9]
%!   "off-diagonals ignored",       [2 5; 7 2],     [2 2], [7 6]
%!   "fractional steps truncate",   [2.9 0; 0 2.9], [2 3], [8 9]
%! };
%! for k = 1:rows (cases)
%!   [label, L, hsize, xsize] = cases{k, :};
%!   X = randn (xsize);
%!   H = randn (hsize);
%!   want = dilated_conv (X, H, fix (L(2, 2)), fix (L(1, 1)));
%!   tol = 1e-12 * sum (abs (H(:))) * max (abs (X(:)));
%!   y = dilfilt (X, H, L);
%!   if (! isequal (size (y), size (want)) || max (abs (y(:) - want(:))) > tol)
%!     error ("%s: result differs from conv2", label);
%!   endif
%! endfor

%!test # taps worked out by hand, added from H's last stored element to its first
%! randn ("state", 1);
%! X = randn (6, 5);
%! H = randn (2, 2);
%! assert (dilfilt (X, H, 2 * eye (2)),
%!         H(2, 2) * X(2:4, 2:3) + H(1, 2) * X(4:6, 2:3)
%!         + H(2, 1) * X(2:4, 4:5) + H(1, 1) * X(4:6, 4:5));
%! assert (dilfilt (X, -1.5, 3 * eye (2)), -1.5 * X(3:6, 3:5));
%! assert (dilfilt ([2^53 1 -2^53], [1 1 1], eye (2)), 0);

%!test # output sizes, never below 0
%! sizes = {
%!   "image with no rows",           zeros(0, 5), ones(2),    eye(2),      [0 4]
%!   "dilated filter taller",        ones(3, 8),  ones(2),    2 * eye(2),  [0 5]
%!   "dilated filter larger",        ones(3, 3),  ones(2),    2 * eye(2),  [0 0]
%!   "different steps",              ones(9, 8),  ones(2),    [2 0; 0 3],  [4 5]
%! };
%! for k = 1:rows (sizes)
%!   [label, X, H, L, want] = sizes{k, :};
%!   y = dilfilt (X, H, L);
%!   if (! isequal (size (y), want))
%!     error ("%s: got a %d x %d result", label, rows (y), columns (y));
%!   endif
%! endfor
%! assert (dilfilt (ones (4, 5), zeros (0, 0), 2 * eye (2)), zeros (5, 6));
%! assert (dilfilt (ones (4, 5), zeros (0, 2), 2 * eye (2)), zeros (5, 2));

%!test # L is read as its first and fourth stored elements, whatever its shape
%! randn ("state", 1);
%! X = randn (7, 8);
%! H = randn (2, 3);
%! want = dilfilt (X, H, [2 0; 0 3]);
%! assert (dilfilt (X, H, [2 NaN Inf 3]), want);
%! assert (dilfilt (X, H, [2; 0; 0; 3]), want);
%! assert (dilfilt (X, H, reshape ([2 0 0 3 9 9 9 9 9], 3, 3)), want);
%! assert (dilfilt (X, H, [2 0; 0 3], "ignored"), want);

%!test # no output requested still gives Y; the inputs are left alone
%! X = magic (6);
%! H = [1 2; 3 4];
%! L = 2 * eye (2);
%! want = dilated_conv (X, H, 2, 2);
%! dilfilt (X, H, L);
%! assert (ans, want);
%! assert (X, magic (6));
%! assert (H, [1 2; 3 4]);
%! assert (L, 2 * eye (2));
