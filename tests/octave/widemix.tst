## widemix: Y = X' * A(ROWS, :) and Y = X' * A(ROWS, COLS), end to end in Octave.

## Each row of CASES: label, outputs requested, inputs, message after "widemix: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, nout, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      if (nout == 0)
%!        widemix (args{:});
%!      else
%!        out = cell (1, nout);
%!        [out{:}] = widemix (args{:});
%!      endif
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["widemix: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

## The terms of each element added one at a time in ROWS order, from +0.
%!function y = ordered_mix (x, A, rows, cols)
%!  y = zeros (1, numel (cols));
%!  for j = 1:numel (cols)
%!    for k = 1:numel (rows)
%!      y(j) = y(j) + A(rows(k), cols(j)) * x(k);
%!    endfor
%!  endfor
%!endfunction

%!test # argument checks, in the order they are made
%! A = magic (4);
%! expect_errors ({
%!   "two inputs",             1, {1, A},                      "Invalid number of input arguments."
%!   "five inputs, 2 outputs", 2, {1, A, 1, 1, 1},             "Invalid number of input arguments."
%!   "two outputs",            2, {1, A, 1},                   "Too many output arguments."
%!   "single A",               1, {1, single(A), 1},           "WIDEMIX requires that A be a double matrix."
%!   "complex A",              1, {1, A + 1i, 1},              "WIDEMIX requires that A be a double matrix."
%!   "3-D A",                  1, {1, ones(2,2,2), 1},         "WIDEMIX requires that A be a double matrix."
%!   "A and ROWS bad",         1, {1, int8(A), ones(2)},       "WIDEMIX requires that A be a double matrix."
%!   "matrix ROWS",            1, {[1 2], A, ones(2)},         "WIDEMIX requires that ROWS be an index vector of type double."
%!   "int32 ROWS",             1, {1, A, int32(1)},            "WIDEMIX requires that ROWS be an index vector of type double."
%!   "ROWS and X bad",         1, {ones(2), A, 1i},            "WIDEMIX requires that ROWS be an index vector of type double."
%!   "matrix X",               1, {ones(2), A, [1 2]},         "WIDEMIX requires that X be a double vector."
%!   "logical X",              1, {true, A, 1},                "WIDEMIX requires that X be a double vector."
%!   "X too long",             1, {[1 2 3], A, [1 2]},         "The length of X does not match the number of rows in ROWS."
%!   "X too short",            1, {[1 2], A, [1 2 3]},         "The length of X does not match the number of rows in ROWS."
%!   "empty X, one index",     1, {zeros(0, 1), A, 2},         "The length of X does not match the number of rows in ROWS."
%!   "X short, COLS matrix",   1, {1, A, [1 2], ones(2)},      "The length of X does not match the number of rows in ROWS."
%!   "matrix COLS",            1, {[1 2], A, [1 2], ones(2)},  "WIDEMIX requires that COLS be an index vector of type double."
%!   "complex COLS",           1, {1, A, 1, 1i},               "WIDEMIX requires that COLS be an index vector of type double."
%!   "sparse X, COLS matrix",  1, {sparse(1), A, 1, ones(2)},  "WIDEMIX requires that COLS be an index vector of type double."
%!   "sparse X",               1, {sparse([1 2]), A, [1 2]},   "WIDEMIX requires full (not sparse) inputs."
%!   "sparse A",               1, {1, sparse(A), 1},           "WIDEMIX requires full (not sparse) inputs."
%!   "sparse ROWS",            1, {1, A, sparse(1)},           "WIDEMIX requires full (not sparse) inputs."
%!   "sparse COLS",            1, {1, A, 1, sparse(1)},        "WIDEMIX requires full (not sparse) inputs."
%!   "bad ROWS and bad COLS",  1, {1, A, 0, 5},                "Row index in ROWS is out of range."
%!   "A with no rows",         1, {1, zeros(0, 3), 1},         "Row index in ROWS is out of range."
%!   "A with no columns",      1, {[1 2], zeros(3, 0), [1 4]}, "Row index in ROWS is out of range."
%! });

%!test # rejected index values, as ROWS and as COLS (A is 5 x 5)
%! A = magic (5);
%! bad = [0, -1, -0.5, 0.89, 5.9, NaN, Inf, -Inf, 1e300];
%! for v = bad
%!   label = sprintf ("index %g", v);
%!   expect_errors ({
%!     ["ROWS " label], 1, {[1 1], A, [1 v]},    "Row index in ROWS is out of range."
%!     ["COLS " label], 1, {1, A, 2, [1 v]},     "Column index in COLS is out of range."
%!   });
%! endfor

%!test # accepted index values select the row or column that the 0.1 bias gives
%! A = magic (5);
%! cases = [0.9 1; 2.89 2; 2.9 3; 2.95 3; 5.89 5];
%! for k = 1:rows (cases)
%!   assert (widemix (1, A, cases(k, 1)), A(cases(k, 2), :));
%!   assert (widemix (1, A, 2, cases(k, 1)), A(2, cases(k, 2)));
%! endfor

%!test # random data: Octave's product within rounding, the ordered sum exactly
%! randn ("state", 1);
%! A = randn (9, 7);
%! rows = [3 1 9 3 5 8];                 # row 3 twice: used as often as it occurs
%! cols = [7 2 2 5];
%! x = randn (6, 1);
%! tol = 1e-12 * max (abs (A(:))) * sum (abs (x));
%! y = widemix (x, A, rows);
%! assert (size (y), [1 7]);
%! assert (y, x' * A(rows, :), tol);
%! assert (y, ordered_mix (x, A, rows, 1:7));
%! y = widemix (x, A, rows, cols);
%! assert (size (y), [1 4]);
%! assert (y, x' * A(rows, cols), tol);
%! assert (y, ordered_mix (x, A, rows, cols));

%!test # rows or columns for the vectors give the same row Y
%! randn ("state", 1);
%! A = randn (6, 4);
%! rows = [6 2 4];
%! x = randn (3, 1);
%! want = ordered_mix (x, A, rows, 1:4);
%! assert (widemix (x, A, rows), want);
%! assert (widemix (x', A, rows), want);
%! assert (widemix (x, A, rows'), want);
%! assert (widemix (x', A, rows'), want);
%! assert (widemix (x, A, rows, [4 1]), want([4 1]));
%! assert (widemix (x', A, rows', [4; 1]), want([4 1]));

%!test # the order of ROWS fixes the rounding; sums start from +0
%! A = [2^53; 1; -2^53];
%! assert (widemix ([1 1 1], A, [1 2 3]), 0);
%! assert (widemix ([1 1 1], A, [3 2 1]), 1);
%! assert (1 ./ widemix ([0 0], -ones (2), [1 2]), [Inf Inf]);
%! assert (widemix ([0 1], [Inf NaN; 1 1], [1 2]), [NaN NaN]);
%! assert (widemix ([5 6 7], A, 2), 5);      # one index: only the first coefficient

%!test # index vectors with a zero dimension select nothing
%! A = magic (4);
%! assert (widemix (zeros (0, 1), A, zeros (1, 0)), zeros (1, 4));
%! assert (widemix (7, A, zeros (0, 1)), zeros (1, 4));
%! assert (widemix ([1 1], A, [1 2], zeros (0, 1)), zeros (1, 0));
%! assert (widemix (zeros (1, 0), A, zeros (1, 0), [3 1]), zeros (1, 2));
%! assert (widemix ([1 2], zeros (3, 0), [1 3]), zeros (1, 0));

%!test # no output requested still gives Y; the inputs are left alone
%! A = magic (4);
%! rows = [1 3];
%! cols = [2 4];
%! x = [0.5 -2];
%! want = x * A(rows, :);
%! widemix (x, A, rows);
%! assert (ans, want);
%! widemix (x, A, rows, cols);
%! assert (ans, want(cols));
%! assert (A, magic (4));
%! assert (rows, [1 3]);
%! assert (cols, [2 4]);
%! assert (x, [0.5 -2]);
