%!test
%! A = sparse ([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
%! [v, c] = cscslice (A, 1);
%! assert (v, [5 7]);
%! assert (c, [2 4]);
