## broadplus: Y(r, c) = X(r, c) + V(c), end to end in Octave.

## Each row of CASES: label, outputs requested, inputs, message after "broadplus: ".
%!function expect_errors (cases)
%!  for k = 1:rows (cases)
%!    [label, nout, args, msg] = cases{k, :};
%!    got = "(no error)";
%!    try
%!      if (nout == 0)
%!        broadplus (args{:});
%!      else
%!        out = cell (1, nout);
%!        [out{:}] = broadplus (args{:});
%!      endif
%!    catch err
%!      got = err.message;
%!    end_try_catch
%!    if (! strcmp (got, ["broadplus: " msg]))
%!      error ("%s: expected '%s', got '%s'", label, msg, got);
%!    endif
%!  endfor
%!endfunction

%!test # argument checks, in the order they are made
%! X = magic (3);
%! v = [1 2 3];
%! agree = "Error in BROADPLUS: dimensions of V and X must agree.";
%! expect_errors ({
%!   "one input",               1, {X},                     "Two input arguments required."
%!   "three inputs",            1, {X, v, v},               "Two input arguments required."
%!   "three inputs, 2 outputs", 2, {X, v, v},               "Two input arguments required."
%!   "two outputs",             2, {X, v},                  "Too many output arguments."
%!   "single X",                1, {single(X), v},          "BROADPLUS requires that X be a double matrix."
%!   "int16 X",                 1, {int16(X), v},           "BROADPLUS requires that X be a double matrix."
%!   "logical X",               1, {X > 2, v},              "BROADPLUS requires that X be a double matrix."
%!   "char X",                  1, {"abc", v},              "BROADPLUS requires that X be a double matrix."
%!   "complex X",               1, {X + 1i, v},             "BROADPLUS requires that X be a double matrix."
%!   "3-D X",                   1, {ones(3, 3, 2), v},      "BROADPLUS requires that X be a double matrix."
%!   "X and V bad",             1, {single(X), ones(2)},    "BROADPLUS requires that X be a double matrix."
%!   "matrix V",                1, {X, ones(3)},            "BROADPLUS requires that V be a double vector."
%!   "0 x 0 V",                 1, {zeros(0, 0), []},       "BROADPLUS requires that V be a double vector."
%!   "single V",                1, {X, single(v)},          "BROADPLUS requires that V be a double vector."
%!   "complex V",               1, {X, v + 1i},             "BROADPLUS requires that V be a double vector."
%!   "V bad, wrong length",     1, {X, int8([1 2])},        "BROADPLUS requires that V be a double vector."
%!   "V of row count",          1, {ones(3, 4), v},         agree
%!   "V too long",              1, {X, [v 4]},              agree
%!   "scalar V, 3 columns",     1, {X, 1},                  agree
%!   "1 x 3 V, one column",     1, {X(:, 1), v},            agree
%!   "scalar V, no columns",    1, {zeros(3, 0), 1},        agree
%!   "sparse X",                1, {sparse(X), v},          "BROADPLUS requires full (not sparse) inputs."
%!   "sparse V",                1, {X, sparse(v)},          "BROADPLUS requires full (not sparse) inputs."
%!   "sparse X, V too long",    1, {sparse(X), [v 4]},      agree
%! });

%!test # random data: X + V(:)' exactly, V as a row or a column
%! randn ("state", 1);
%! X = randn (6, 4);
%! v = randn (1, 4);
%! assert (broadplus (X, v), X + v);
%! assert (broadplus (X, v'), X + v);
%! assert (broadplus (X(1, :), v'), X(1, :) + v);
%! assert (broadplus (X(:, 1), 5), X(:, 1) + 5);

%!test # special values pass through the additions
%! assert (broadplus ([NaN 1; -Inf 2], [Inf 0]), [NaN 1; NaN 2]);
%! assert (1 ./ broadplus (-0, -0), -Inf);

%!test # empty shapes
%! assert (broadplus (zeros (3, 0), zeros (1, 0)), zeros (3, 0));
%! assert (broadplus (zeros (3, 0), zeros (0, 1)), zeros (3, 0));
%! assert (broadplus (zeros (0, 2), [1 2]), zeros (0, 2));
%! assert (broadplus (zeros (0, 0), zeros (1, 0)), zeros (0, 0));
%! assert (broadplus (zeros (0, 0), zeros (0, 1)), zeros (0, 0));

%!test # a V with trailing dimensions is read as the vector that its counts give
%! X = magic (3);
%! assert (broadplus (X, reshape ([1 2 3], 1, 1, 3)), X + [1 2 3]);

%!test # no output requested still gives Y; the inputs are left alone
%! X = magic (3);
%! v = [1 -2 3];
%! broadplus (X, v);
%! assert (ans, X + v);
%! assert (X, magic (3));
%! assert (v, [1 -2 3]);
