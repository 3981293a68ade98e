#!/usr/bin/env python3
"""Static checks of the built deliverables of one platform: file format, exports, symbol
versions, imported host functions and the libraries each one needs.

Reads the rows that the build wrote (module variant flavour export extras...) and checks
each file with objdump (Windows) or readelf (ELF). Prints every problem and exits 1 on any.
"""
import argparse
import os
import re
import subprocess
import sys

SIZED = ("mxCreateDoubleMatrix", "mxGetNumberOfDimensions", "mxGetIr", "mxGetJc")
SUFFIX = {"COMPAT": "_700", "LARGE": "_730", "PLAIN64": "", "PLAIN32": ""}
EXT = {"glnxa64": ".mexa64", "win64": ".mexw64", "win32": ".mexw32", "mac": ".mexmac", "i686": ".so", "octave": ".mex"}
MAC_NEEDED = ["../../bin/mac/libmx.dylib", "../../bin/mac/libmex.dylib", "../../bin/mac/libmat.dylib"]


def run(*cmd):
    return subprocess.run(cmd, check=True, capture_output=True, text=True).stdout


def expected_imports(module, variant, extras):
    """Host functions the module must import, under the variant's names."""
    def sized(name):
        if name == "mxCreateDoubleMatrix" and "CREATE730" in extras:
            return name + "_730"
        return name + SUFFIX[variant]
    names = {sized("mxCreateDoubleMatrix"), "mxGetPr", "mxGetM", "mxGetN", "mexErrMsgTxt"}
    if module == "cscslice":
        names |= {sized("mxGetIr"), sized("mxGetJc"), sized("mxGetNumberOfDimensions"), "mxIsSparse"}
    if module in ("tallmix", "widemix", "broadplus"):
        names.add(sized("mxGetNumberOfDimensions"))
    if "BANNER" in extras:
        names.add("mexPrintf")
    return names


def check_sized_names(imports, variant, extras, problems):
    for name in imports:
        for base in SIZED:
            if name == base or name.startswith(base + "_"):
                want = SUFFIX[variant]
                if base == "mxCreateDoubleMatrix" and "CREATE730" in extras:
                    want = "_730"
                if name != base + want:
                    problems.append("imports %s, expected %s" % (name, base + want))


def check_windows(path, platform, module, variant, exportname, extras, problems):
    text = run("objdump", "-p", path)
    fmt = "pei-i386" if platform == "win32" else "pei-x86-64"
    if "file format " + fmt not in text:
        problems.append("not " + fmt)
    m = re.search(r"^Name\s+\S+\s+(\S+)$", text, re.M)
    if not m or m.group(1) != os.path.basename(path):
        problems.append("export directory name %s" % (m.group(1) if m else None))
    if not re.search(r"^Ordinal Base\s+1$", text, re.M):
        problems.append("ordinal base is not 1")
    exports = re.findall(r"^\s+\[\s*(\d+)\]\s+(\S+)$",
                         text.split("[Ordinal/Name Pointer] Table")[-1].split("\n\n")[0], re.M)
    if exports != [("0", exportname)]:
        problems.append("exports %s, expected %s at ordinal 1" % (exports, exportname))
    imports, dlls = set(), []
    for block in re.split(r"\n\s*DLL Name: ", text)[1:]:
        lines = block.split("\n")
        dll = lines[0].strip()
        dlls.append(dll)
        for line in lines[1:]:
            fields = line.split()
            if len(fields) >= 3 and re.fullmatch(r"[0-9a-f]+", fields[0]) and fields[1].isdigit():
                if dll.lower() in ("libmx.dll", "libmex.dll"):
                    imports.add(fields[2])
            elif line.strip() == "":
                break
    allowed = {"kernel32.dll", "msvcrt.dll", "libmx.dll", "libmex.dll"}
    extra_dlls = [d for d in dlls if d.lower() not in allowed]
    if extra_dlls:
        problems.append("needs DLLs beyond the host and the platform: %s" % extra_dlls)
    for lib in ("libmx.dll", "libmex.dll"):
        if lib not in [d.lower() for d in dlls]:
            problems.append("does not link " + lib)
    return imports


def elf_dynsyms(path):
    defined, undefined = [], []
    for line in run("readelf", "-W", "--dyn-syms", path).splitlines():
        f = line.split()
        if len(f) >= 8 and f[0].endswith(":") and f[4] in ("GLOBAL", "WEAK"):
            (undefined if f[6] == "UND" else defined).append((f[4], f[3], f[7]))
    return defined, undefined


def needed(path):
    return re.findall(r"\(NEEDED\)\s+Shared library: \[(.*)\]", run("readelf", "-d", path))


def check_linux(path, module, extras, problems):
    header = run("readelf", "-h", path)
    if "ELF64" not in header or "X86-64" not in header:
        problems.append("not a 64-bit x86-64 ELF")
    versions = run("readelf", "-V", path)
    base = re.search(r"Flags: BASE\s+Index: 1\s+Cnt: 1\s+Name: (\S+)", versions)
    if not base or base.group(1) != os.path.basename(path):
        problems.append("version base entry %s" % (base.group(1) if base else None))
    if not re.search(r"Flags: none\s+Index: 2\s+Cnt: 1\s+Name: MEX", versions):
        problems.append("no version node MEX")
    defined, undefined = elf_dynsyms(path)
    funcs = sorted(name for _, kind, name in defined if kind == "FUNC")
    want = ["mexFunction@@MEX"] + (["mexfilerequiredapiversion@@MEX"] if "APIVERSION" in extras else [])
    if funcs != sorted(want):
        problems.append("exports %s, expected %s" % (funcs, sorted(want)))
    others = [name for _, kind, name in defined if kind not in ("FUNC", "OBJECT") or
              (kind == "OBJECT" and name != "MEX")]
    if others:
        problems.append("exports more: %s" % others)
    imports = set()
    for _, _, name in undefined:
        bare, _, version = name.partition("@")
        if bare.startswith(("mx", "mex")):
            imports.add(bare)
            if version.lstrip("@") != "v7.3":
                problems.append("%s is bound to %r, not v7.3" % (bare, version))
    libs = needed(path)
    for lib in ("libmx.so", "libmex.so"):
        if lib not in libs:
            problems.append("does not need " + lib)
    return imports


def check_mac(path, problems):
    header = run("readelf", "-h", path)
    if "ELF32" not in header or "big endian" not in header or "PowerPC" not in header:
        problems.append("not a 32-bit big-endian PowerPC ELF")
    defined, undefined = elf_dynsyms(path)
    funcs = sorted(name for _, kind, name in defined if kind == "FUNC")
    if funcs != ["mexFunction", "mexVersion"]:
        problems.append("exports %s, expected mexFunction and mexVersion" % funcs)
    if any(name.startswith("_version") for _, _, name in defined):
        problems.append("exports _version")
    libs = needed(path)
    if sorted(n for n in libs if n != "libc.so.6") != sorted(MAC_NEEDED):
        problems.append("needs %s, expected %s and the C runtime" % (libs, MAC_NEEDED))
    imports = set()
    for _, _, name in undefined:
        if name.startswith(("mx", "mex")):
            if "@" in name:
                problems.append("%s carries a symbol version" % name)
            imports.add(name.split("@")[0])
    return imports


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--platform", required=True)
    parser.add_argument("--rows", required=True)
    parser.add_argument("--dir", required=True)
    args = parser.parse_args()
    failures = 0
    for row in open(args.rows).read().splitlines():
        if not row.strip():
            continue
        module, variant, _flavour, exportname, *rest = row.split()
        extras = rest[0].split(";") if rest else []
        path = os.path.join(args.dir, module + EXT[args.platform])
        problems = []
        if not os.path.exists(path):
            problems.append("missing")
        else:
            if args.platform in ("win32", "win64"):
                imports = check_windows(path, args.platform, module, variant, exportname, extras, problems)
            elif args.platform == "glnxa64":
                imports = check_linux(path, module, extras, problems)
            elif args.platform == "mac":
                imports = check_mac(path, problems)
            else:
                imports = None      # i686 mirrors 32-bit Windows code for tests; Octave checks its own
            if imports is not None:
                missing = expected_imports(module, variant, extras) - imports
                if missing:
                    problems.append("does not import %s" % sorted(missing))
                check_sized_names(imports, variant, extras, problems)
                if module == "cscslice":
                    carries_cell = "mxIsCell" in imports
                    if carries_cell == ("CHECKS_CALLED" in extras):
                        problems.append("mxIsCell import %s" % ("present" if carries_cell else "absent"))
        status = "ok" if not problems else "FAILED: " + "; ".join(problems)
        print("%-28s %s" % (os.path.basename(path), status))
        failures += bool(problems)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
