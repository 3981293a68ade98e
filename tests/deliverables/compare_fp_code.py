#!/usr/bin/env python3
"""The 32-bit Windows kernels cannot run here; their code runs as i686 Linux ELF instead.
That stands for the real thing only while both compilers emit the same floating-point
instructions for each kernel: compile every kernel unit with both and compare the
sequence of x87 and SSE arithmetic mnemonics.

compare_fp_code.py <windows compiler> <linux compiler> <source root> <flags...>
"""
import glob
import os
import re
import subprocess
import sys
import tempfile

FP = re.compile(r"^(f[a-z]+|(add|sub|mul|div)[sp][sd]|cvt[a-z0-9]+)$")


def mnemonics(compiler, source, root, flags):
    with tempfile.NamedTemporaryFile(suffix=".s") as out:
        subprocess.run([compiler, "-std=c++17", "-S", "-I" + root, *flags, source, "-o", out.name], check=True)
        ops = []
        for line in open(out.name):
            m = re.match(r"^\s+([a-z][a-z0-9]*)\b", line)
            if m and FP.match(m.group(1)):
                ops.append(m.group(1))
        return ops


def main():
    windows, linux, root, *flags = sys.argv[1:]
    failures = 0
    for source in sorted(glob.glob(os.path.join(root, "kernels", "*.cpp"))):
        a = mnemonics(windows, source, root, flags)
        b = mnemonics(linux, source, root, flags)
        same = a == b
        print("%-16s %4d floating-point instructions, %s" % (os.path.basename(source), len(a),
                                                              "same" if same else "DIFFERENT"))
        failures += not same
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
