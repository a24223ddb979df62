#!/usr/bin/env python3
"""Makes a compilation database for linting the Windows build with clang.

    cmake/win32-lint-db.py WIN32_BUILD_DIR NATIVE_BUILD_DIR OUT_DIR

Reads WIN32_BUILD_DIR/compile_commands.json (MinGW-w64 g++), writes
OUT_DIR/compile_commands.json for clang-tidy and cppcheck, and prints the
sources worth linting there: those built for Windows only (not in
NATIVE_BUILD_DIR's database), those with Windows code of their own, and those
that include, directly or not, a project header with Windows code. The rest
compile alike on both builds and are linted with the native build.

Each command becomes clang's, aimed at i686-w64-mingw32, with MinGW's own C++
and system headers (clang cannot find them itself: Debian names the GCC folder
'12-posix', which is no version), and without GCC-only options.
"""
import json
import os
import re
import shlex
import subprocess
import sys

GCC_ONLY = {"-fno-keep-inline-dllexport"}
# Headers whose Windows parts are only calling-convention and export macros:
# including them does not make a source Windows-specific.
MACRO_ONLY_HEADERS = {"zolutilities.h", "QorData.h", "recording_store.h"}
# The 32-bit x87 paths count too: the native build is x86-64 and never sees them.
WINDOWS_CODE = re.compile(r"_WIN32|<windows\.h>|__i386__")


def mingw_include_dirs(compiler):
    probe = subprocess.run([compiler, "-xc++", "-E", "-v", os.devnull],
                           capture_output=True, text=True, check=True)
    lines = probe.stderr.splitlines()
    start = lines.index("#include <...> search starts here:") + 1
    end = lines.index("End of search list.")
    dirs = [os.path.normpath(d.strip()) for d in lines[start:end]]
    # GCC's own include folders hold its intrinsics; clang brings its own.
    return [d for d in dirs
            if not (d.startswith("/usr/lib/gcc/") and re.search(r"/include(-fixed)?$", d))]


def clang_command(entry, include_dirs):
    args = shlex.split(entry["command"])
    rest = [a for a in args[1:] if a not in GCC_ONLY]
    system = []
    for d in include_dirs:
        system += ["-isystem", d]
    return ["clang++-14", "--target=i686-w64-mingw32", "-nostdinc++", "-nostdlibinc"] + system + rest


def project_includes(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    return text, {os.path.basename(h) for h in re.findall(r'#include\s+"([^"]+)"', text)}


def windows_headers(root):
    """Names of the project headers with Windows code, or that include one."""
    headers = {}
    for folder in ("src", "qordata", "tests", "tools", "bench", "fuzz"):
        for dirpath, _, files in os.walk(os.path.join(root, folder)):
            for name in files:
                if name.endswith(".h") and name not in MACRO_ONLY_HEADERS:
                    text, included = project_includes(os.path.join(dirpath, name))
                    windows, known = headers.get(name, (False, set()))
                    headers[name] = (windows or bool(WINDOWS_CODE.search(text)), known | included)
    found = {name for name, (windows, _) in headers.items() if windows}
    while True:
        more = {name for name, (_, included) in headers.items() if included & found} - found
        if not more:
            return found
        found |= more


def is_windows_source(path, headers, native_sources):
    if path not in native_sources:
        return True  # built for Windows only
    text, included = project_includes(path)
    return bool(WINDOWS_CODE.search(text)) or bool(included & headers)


def main():
    build, native, out = sys.argv[1], sys.argv[2], sys.argv[3]
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    with open(os.path.join(build, "compile_commands.json"), encoding="utf-8") as f:
        entries = json.load(f)
    # C and C++ of the project only (the version resources, .rc, are windres's).
    entries = [e for e in entries if os.path.abspath(e["file"]).startswith(root + os.sep)
               and e["file"].endswith((".c", ".cpp"))]
    include_dirs = mingw_include_dirs(shlex.split(entries[0]["command"])[0])
    headers = windows_headers(root)
    with open(os.path.join(native, "compile_commands.json"), encoding="utf-8") as f:
        native_sources = {e["file"] for e in json.load(f)}
    os.makedirs(out, exist_ok=True)
    converted = []
    sources = []
    for entry in entries:
        converted.append({"directory": entry["directory"], "file": entry["file"],
                          "arguments": clang_command(entry, include_dirs)})
        if entry["file"] not in sources and is_windows_source(entry["file"], headers,
                                                              native_sources):
            sources.append(entry["file"])
    with open(os.path.join(out, "compile_commands.json"), "w", encoding="utf-8") as f:
        json.dump(converted, f, indent=1)
    print("\n".join(sources))


if __name__ == "__main__":
    main()
