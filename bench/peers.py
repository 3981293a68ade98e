"""The Python half of bench/peers.sh: times NumPy and SciPy on the inputs that the Octave
half left in DIR, checks them against the modules' results, then prints every time and the
ratio of each module's time to its best peer's (below 1: the module is faster).

Run with Debian's interpreter: /usr/bin/python3 bench/peers.py DIR
"""
import os
import statistics
import sys
import time

import numpy as np
import scipy.ndimage
import scipy.signal
import scipy.sparse


def load(dir, name):
    """An Octave array written by save_raw: its sizes, then its doubles in column order."""
    with open(os.path.join(dir, name + ".bin"), "rb") as f:
        m, n = np.fromfile(f, dtype=np.int64, count=2)
        data = np.fromfile(f, dtype=np.float64)
    return data.reshape((n, m)).T          # a Fortran-ordered view: Octave's layout


def median_time(f):
    """The median of repeated calls: at least 5, and at least 0.5 s in all."""
    times = []
    while len(times) < 5 or sum(times) < 0.5:
        t = time.perf_counter()
        f()
        times.append(time.perf_counter() - t)
    return statistics.median(times)


def main(dir):
    rows = []                               # (workload, implementation, seconds)
    with open(os.path.join(dir, "times.txt")) as f:
        for line in f:
            name, impl, t = line.rstrip("\n").split("\t")
            rows.append((name, impl, float(t)))

    def peer(name, label, f):
        want = load(dir, "out_" + name)
        got = np.asarray(f())
        err = np.max(np.abs(want.ravel(order="F") - got.ravel(order="F"))) / max(1.0, np.max(np.abs(want)))
        if want.size != got.size or err > 1e-12:
            sys.exit("peers: %s and %s disagree (relative %g)" % (name, label, err))
        rows.append((name, label, median_time(f)))

    A = load(dir, "A")
    x = load(dir, "x").ravel()
    cols = load(dir, "cols").ravel().astype(np.intp) - 1
    rows2 = load(dir, "rows2").ravel().astype(np.intp) - 1
    rowsel = load(dir, "rows").ravel().astype(np.intp) - 1
    peer("tallmix_cols", "np.dot(A[:, cols], x)", lambda: np.dot(A[:, cols], x))
    peer("tallmix_rowscols", "np.dot(A[np.ix_(rows, cols)], x)",
         lambda: np.dot(A[np.ix_(rows2, cols)], x))
    peer("widemix_rows", "np.dot(x, A[rows, :])", lambda: np.dot(x, A[rowsel, :]))
    peer("widemix_rowscols", "np.dot(x, A[np.ix_(rows, cols)])",
         lambda: np.dot(x, A[np.ix_(rowsel, cols)]))
    del A

    i = load(dir, "S_i").ravel().astype(np.int64) - 1
    j = load(dir, "S_j").ravel().astype(np.int64) - 1
    v = load(dir, "S_v").ravel()
    S = scipy.sparse.csc_matrix((v, (i, j)), shape=(100000, 100000))
    del i, j, v
    r = 100000 // 2 - 1

    def slice_row():
        row = S[r, :].tocoo()
        order = np.argsort(row.col, kind="stable")
        return np.column_stack((row.col[order] + 1.0, row.data[order]))
    peer("cscslice", "scipy.sparse csc S[j, :]", slice_row)
    del S

    X = load(dir, "X")
    vv = load(dir, "v").ravel()
    Y = np.empty_like(X, order="F")
    peer("broadplus", "np.add(X, v, out=Y)", lambda: np.add(X, vv, out=Y))
    del X, Y

    H = np.ascontiguousarray(load(dir, "H"))
    I = np.ascontiguousarray(load(dir, "I"))
    D = np.ascontiguousarray(load(dir, "D"))
    up = np.zeros((17, 17))                 # latfiltS and dilfilt: every second row and column
    up[0::2, 0::2] = H
    skew = np.zeros((17, 17))               # latfilt, L = 1,-1,1,1: tap (p, q) at (p - q, p + q)
    for p in range(9):
        for q in range(9):
            skew[p - q + 8, p + q] = H[p, q]
    Ipad = lambda: np.pad(I, 8, mode="wrap")
    for name, G in (("latfiltS", up), ("latfilt", skew)):
        peer(name, "scipy.signal.convolve2d(padded, upsampled, 'valid')",
             lambda G=G: scipy.signal.convolve2d(Ipad(), G, "valid"))
        peer(name, "scipy.ndimage.convolve(X, upsampled, mode='wrap')",
             lambda G=G: scipy.ndimage.convolve(I, G, mode="wrap"))
    peer("dilfilt", "scipy.signal.convolve2d(X, dilated, 'valid')",
         lambda: scipy.signal.convolve2d(D[1:, 1:], up, "valid"))
    peer("dilfilt", "scipy.ndimage.convolve(X, dilated), valid part",
         lambda: scipy.ndimage.convolve(D, up, mode="constant")[9:1016, 9:1016])

    print("%-17s %-54s %11s %8s" % ("workload", "implementation", "time (ms)", "ratio"))
    for name in dict.fromkeys(n for n, _, _ in rows):
        mine = [t for n, impl, t in rows if n == name and impl.startswith("module")][0]
        best = min(t for n, impl, t in rows if n == name and not impl.startswith("module"))
        for n, impl, t in rows:
            if n == name:
                print("%-17s %-54s %11.3f %8s" % (name, impl, 1e3 * t,
                      "%.2f" % (mine / best) if impl.startswith("module") else ""))


if __name__ == "__main__":
    main(sys.argv[1])
