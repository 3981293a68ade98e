% Each module once with a typical call and once with a failing one, for a memcheck run.
A = reshape (1:20, 4, 5);
y = tallmix (A, [2 5], [1; -1]);
try, tallmix (A, [0 1], [1 1]); catch, end
y = widemix ([1 2], A, [4 1], [3 5]);
try, widemix ([1 2], A, [1 9]); catch, end
S = sparse ([0 5 0 7; 2 0 0 0; 0 -1 0 0]);
[v, c] = cscslice (S, 1);
v = cscslice (S, 3);
try, cscslice (S, 4); catch, end
y = broadplus (A, 1:5);
try, broadplus (A, 1:4); catch, end
X = rand (9, 8);
y = latfilt (X, ones (3, 2), [1 -1 1 1]);
try, latfilt (X, ones (3, 2), [1 NaN 1]); catch, end
y = latfiltS (X, ones (3, 2), [2 0 0 3]);
try, latfiltS (X, ones (3, 2)); catch, end
y = dilfilt (X, ones (2, 2), [2 0 0 2]);
y = dilfilt (X, ones (9, 9), [2 0 0 2]);
try, dilfilt (X, ones (2, 2), [0 0 0 0]); catch, end
disp ("memcheck calls done")
