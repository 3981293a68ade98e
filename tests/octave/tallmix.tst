## tallmix: Y = A(:, COLS) * X and Y = A(ROWS, COLS) * X, end to end in Octave.

## Each row of CASES: label, outputs requested, inputs, message after "tallmix: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, nout, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      if (nout == 0)
%!        tallmix (args{:});
%!      else
%!        out = cell (1, nout);
%!        [out{:}] = tallmix (args{:});
%!      endif
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["tallmix: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

## The terms of each element added one at a time in COLS order, from +0.
%!function y = ordered_mix (A, rows, cols, x)
%!  y = zeros (numel (rows), 1);
%!  for r = 1:numel (rows)
%!    for i = 1:numel (cols)
%!      y(r) = y(r) + A(rows(r), cols(i)) * x(i);
%!    endfor
%!  endfor
%!endfunction

%!test # argument checks, in the order they are made
%! A = magic (4);
%! expect_errors ({
%!   "two inputs",             1, {A, 1},                     "Invalid number of arguments."
%!   "five inputs, 2 outputs", 2, {A, 1, 1, 1, 1},            "Invalid number of arguments."
%!   "two outputs",            2, {A, 1, 1},                  "Too many output arguments."
%!   "single A",               1, {single(A), 1, 1},          "TALLMIX requires that A be a double matrix."
%!   "complex A",              1, {A + 1i, 1, 1},             "TALLMIX requires that A be a double matrix."
%!   "3-D A",                  1, {ones(2,2,2), 1, 1},        "TALLMIX requires that A be a double matrix."
%!   "A and COLS bad",         1, {int8(A), [1 2; 3 4], 1},   "TALLMIX requires that A be a double matrix."
%!   "matrix COLS",            1, {A, [1 2; 3 4], 1},         "TALLMIX requires that COLS be an index vector of type double."
%!   "int32 COLS",             1, {A, int32(1), 1},           "TALLMIX requires that COLS be an index vector of type double."
%!   "complex COLS",           1, {A, 1i, 1},                 "TALLMIX requires that COLS be an index vector of type double."
%!   "matrix X",               1, {A, [1 2], ones(2)},        "TALLMIX requires that X be a double vector."
%!   "single X",               1, {A, [1 2], single([1 2])},  "TALLMIX requires that X be a double vector."
%!   "X too long",             1, {A, [1 2], [1 2 3]},        "The length of X does not match the number of columns in COLS."
%!   "X too short",            1, {A, [1 2 3], [1 2]},        "The length of X does not match the number of columns in COLS."
%!   "empty X, one index",     1, {A, 2, zeros(1, 0)},        "The length of X does not match the number of columns in COLS."
%!   "matrix ROWS",            1, {A, ones(2), [1 2], [1 2]}, "TALLMIX requires that ROWS be an index vector of type double."
%!   "ROWS and COLS bad",      1, {A, ones(2), ones(2), 1},   "TALLMIX requires that ROWS be an index vector of type double."
%!   "matrix COLS, 4 inputs",  1, {A, 1, ones(2), 1},         "TALLMIX requires that COLS be an index vector of type double."
%!   "char X, 4 inputs",       1, {A, 1, [1 2], "ab"},        "TALLMIX requires that X be a double vector."
%!   "X short, 4 inputs",      1, {A, 1, [1 2 3], [1 2]},     "The length of X does not match the number of columns in COLS."
%!   "sparse A",               1, {sparse(A), 1, 1},          "TALLMIX requires full (not sparse) inputs."
%!   "sparse ROWS",            1, {A, sparse(1), 1, 1},       "TALLMIX requires full (not sparse) inputs."
%!   "sparse COLS",            1, {A, sparse([1 2]), [1 2]},  "TALLMIX requires full (not sparse) inputs."
%!   "sparse X",               1, {A, [1 2], sparse([1 2])},  "TALLMIX requires full (not sparse) inputs."
%!   "sparse A, X too short",  1, {sparse(A), [1 2], 1:3},    "The length of X does not match the number of columns in COLS."
%!   "bad ROWS and bad COLS",  1, {A, 5, 0, 1},               "Row index in ROWS is out of range."
%!   "A with no columns",      1, {zeros(3, 0), 1, 1},        "Column index in COLS is out of range."
%!   "A with no rows",         1, {zeros(0, 3), [1 4], [1 2]}, "Column index in COLS is out of range."
%! });

%!test # rejected index values, as COLS and as ROWS (A is 5 x 5)
%! A = magic (5);
%! bad = [0, -1, -0.5, 0.89, 5.9, NaN, Inf, -Inf, 1e300];
%! for v = bad
%!   label = sprintf ("index %g", v);
%!   expect_errors ({
%!     ["COLS " label], 1, {A, [1 v], [1 1]},    "Column index in COLS is out of range."
%!     ["ROWS " label], 1, {A, [2 v], 1, 1},     "Row index in ROWS is out of range."
%!   });
%! endfor

%!test # accepted index values select the column or row that the 0.1 bias gives
%! A = magic (5);
%! cases = [0.9 1; 2.89 2; 2.9 3; 2.95 3; 5.89 5];
%! for k = 1:rows (cases)
%!   assert (tallmix (A, cases(k, 1), 1), A(:, cases(k, 2)));
%!   assert (tallmix (A, cases(k, 1), 2, 1), A(cases(k, 2), 2));
%! endfor

%!test # random data: Octave's product within rounding, the ordered sum exactly
%! randn ("state", 1);
%! A = randn (7, 9);
%! cols = [3 1 9 3 5 8];                 # column 3 twice: used as often as it occurs
%! rows = [7 2 2 5];
%! x = randn (6, 1);
%! tol = 1e-12 * max (abs (A(:))) * sum (abs (x));
%! y = tallmix (A, cols, x);
%! assert (size (y), [7 1]);
%! assert (y, A(:, cols) * x, tol);
%! assert (y, ordered_mix (A, 1:7, cols, x));
%! y = tallmix (A, rows, cols, x);
%! assert (size (y), [4 1]);
%! assert (y, A(rows, cols) * x, tol);
%! assert (y, ordered_mix (A, rows, cols, x));

%!test # rows or columns for the vectors give the same column Y
%! randn ("state", 1);
%! A = randn (4, 6);
%! cols = [6 2 4];
%! x = randn (1, 3);
%! want = ordered_mix (A, 1:4, cols, x);
%! assert (tallmix (A, cols, x), want);
%! assert (tallmix (A, cols', x), want);
%! assert (tallmix (A, cols, x'), want);
%! assert (tallmix (A, cols', x'), want);
%! assert (tallmix (A, [4 1], cols, x), want([4 1]));
%! assert (tallmix (A, [4; 1], cols', x), want([4 1]));

%!test # the order of COLS fixes the rounding; sums start from +0
%! A = [2^53, 1, -2^53];
%! assert (tallmix (A, [1 2 3], [1 1 1]), 0);
%! assert (tallmix (A, [3 2 1], [1 1 1]), 1);
%! assert (1 ./ tallmix (-ones (2), [1 2], [0 0]), [Inf; Inf]);
%! assert (tallmix ([Inf 1; NaN 1], [1 2], [0 1]), [NaN; NaN]);
%! assert (tallmix (A, 2, [5; 6; 7]), 5);     # one index: only the first coefficient

%!test # index vectors with a zero dimension select nothing
%! A = magic (4);
%! assert (tallmix (A, zeros (1, 0), zeros (0, 1)), zeros (4, 1));
%! assert (tallmix (A, zeros (0, 1), 7), zeros (4, 1));
%! assert (tallmix (A, zeros (0, 1), [1 2], [1 1]), zeros (0, 1));
%! assert (tallmix (A, [3 1], zeros (1, 0), zeros (1, 0)), zeros (2, 1));
%! assert (tallmix (zeros (0, 3), [1 3], [1 2]), zeros (0, 1));

%!test # no output requested still gives Y; the inputs are left alone
%! A = magic (4);
%! rows = [2 4];
%! cols = [1 3];
%! x = [0.5 -2];
%! want = A(:, cols) * x';
%! tallmix (A, cols, x);
%! assert (ans, want);
%! tallmix (A, rows, cols, x);
%! assert (ans, want(rows));
%! assert (A, magic (4));
%! assert (rows, [2 4]);
%! assert (cols, [1 3]);
%! assert (x, [0.5 -2]);
