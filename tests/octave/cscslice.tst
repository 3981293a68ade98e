## cscslice: the values that a sparse matrix stores in row J and their columns.

## Each row of CASES: label, outputs requested, inputs, message after "cscslice: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, nout, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      if (nout == 0)
%!        cscslice (args{:});
%!      else
%!        out = cell (1, nout);
%!        [out{:}] = cscslice (args{:});
%!      endif
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["cscslice: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

%!shared A
%! A = sparse ([0 5 0 7; 2 0 0 0; 0 -1 0 0]);

%!test # argument checks, in the order they are made
%! expect_errors ({
%!   "one input, 3 outputs",  3, {A},                   "GETCSCSLICE requires two input arguments."
%!   "three inputs",          2, {A, 1, 1},             "GETCSCSLICE requires two input arguments."
%!   "three outputs",         3, {A, 1},                "Too many output arguments."
%!   "full A",                2, {full(A), 1},          "GETCSCSLICE requires that A be sparse."
%!   "sparse logical A",      2, {A != 0, 1},           "GETCSCSLICE requires that A be a double matrix."
%!   "complex sparse A",      2, {A * 1i, 1},           "GETCSCSLICE requires that A be a double matrix."
%!   "A and J bad",           2, {single(full(A)), "a"}, "GETCSCSLICE requires that A be a double matrix."
%!   "full A, bad J",         2, {full(A), [1 2]},      "GETCSCSLICE requires that A be sparse."
%!   "1 x 2 J",               2, {A, [1 2]},            "GETCSCSLICE requires that J be a double scalar."
%!   "complex J",             2, {A, 1 + 1i},           "GETCSCSLICE requires that J be a double scalar."
%!   "int32 J",               2, {A, int32(1)},         "GETCSCSLICE requires that J be a double scalar."
%!   "char J",                2, {A, "1"},              "GETCSCSLICE requires that J be a double scalar."
%!   "empty J",               2, {A, []},               "GETCSCSLICE requires that J be a double scalar."
%! });

%!test # row numbers below 0 and outside 1 .. M
%! expect_errors ({
%!   "J = -0.001",           2, {A, -0.001},           "Invalid row index."
%!   "J = -1",               2, {A, -1},               "Invalid row index."
%!   "J = -Inf",             2, {A, -Inf},             "Invalid row index."
%!   "J = -0",               2, {A, -0},               "Row index is out of range."
%!   "J = 0",                2, {A, 0},                "Row index is out of range."
%!   "J = 0.5",              2, {A, 0.5},              "Row index is out of range."
%!   "J = M + 1",            2, {A, 4},                "Row index is out of range."
%!   "J = NaN",              2, {A, NaN},              "Row index is out of range."
%!   "J = Inf",              2, {A, Inf},              "Row index is out of range."
%!   "J = 1e300",            2, {A, 1e300},            "Row index is out of range."
%!   "A with no rows",       2, {sparse(0, 3), 1},     "Row index is out of range."
%! });

%!test # rows of a small matrix; fractional J selects by the 0.01 bias
%! cases = {
%!   1,     [5 7], [2 4]
%!   2,     2,     1
%!   3,     -1,    2
%!   0.99,  [5 7], [2 4]
%!   1.5,   [5 7], [2 4]
%!   1.98,  [5 7], [2 4]
%!   1.99,  2,     1
%!   2.995, -1,    2
%!   sparse(3), -1, 2
%! };
%! for k = 1:rows (cases)
%!   [v, c] = cscslice (A, cases{k, 1});
%!   assert ({v, c}, cases(k, 2:3));
%! endfor

%!test # rows that store nothing give two 1 x 0 results
%! [v, c] = cscslice (sparse ([1 0; 0 0]), 2);
%! assert ({v, c}, {zeros(1, 0), zeros(1, 0)});
%! for j = 1:3
%!   [v, c] = cscslice (sparse (3, 0), j);
%!   assert ({v, c}, {zeros(1, 0), zeros(1, 0)});
%! endfor

%!test # random data against find, every row
%! rand ("seed", 1);
%! B = sprand (20, 30, 0.2) - sprand (20, 30, 0.1);
%! for j = 1:20
%!   [~, cols, vals] = find (B(j, :));
%!   [v, c] = cscslice (B, j);
%!   assert ({v, c}, {vals, cols}, 0);
%! endfor

%!test # stored values come back exactly
%! B = sparse ([1 1 1 2], [1 3 4 2], [NaN -Inf realmin 3], 2, 4);
%! [v, c] = cscslice (B, 1);
%! assert ({v, c}, {[NaN -Inf realmin], [1 3 4]});

%!test # one or no outputs requested still give the values; the inputs are left alone
%! B = A;
%! j = 1;
%! v = cscslice (B, j);
%! assert (v, [5 7]);
%! cscslice (B, j);
%! assert (ans, [5 7]);
%! assert (B, A);
%! assert (j, 1);
