#!/usr/bin/python3
"""Checks the Windows binaries of an unpacked release zip: each carries a
version resource that matches the project's version and names the file, has no
DWARF debug sections, and names its symbols file in .gnu_debuglink; that
symbols file, from the unpacked symbols zip, holds the debug information. The
MSVC import libraries import each __stdcall symbol by its undecorated name.

    packaging/check-win32-binaries.py VERSION ZIP_FOLDER SYMBOLS_FOLDER
"""
import os
import sys

import pefile

BINARIES = ("ZolUtilities.dll", "QorData.dll", "zolhost.exe", "ZolTrace.dll")
COFF_SYMBOL_SIZE = 18


def section_names(pe):
    """Section names, with the long ones ("/offset") read from the COFF string table."""
    header = pe.FILE_HEADER
    strings = header.PointerToSymbolTable + header.NumberOfSymbols * COFF_SYMBOL_SIZE
    names = {}
    for section in pe.sections:
        name = section.Name.rstrip(b"\0").decode("ascii")
        if name.startswith("/"):
            start = strings + int(name[1:])
            name = pe.__data__[start:pe.__data__.find(b"\0", start)].decode("ascii")
        names[name] = section
    return names


def version_strings(pe):
    found = {}
    for info in getattr(pe, "FileInfo", [[]])[0]:
        for table in getattr(info, "StringTable", []):
            found.update({k.decode(): v.decode() for k, v in table.entries.items()})
    return found


def check_binary(path, version, symbols_folder):
    name = os.path.basename(path)
    pe = pefile.PE(path)
    faults = []
    major, minor, patch = (int(part) for part in version.split("."))
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    want_fixed = ((major << 16) | minor, patch << 16)
    if fixed is None:
        faults.append("no version resource")
    else:
        if (fixed.FileVersionMS, fixed.FileVersionLS) != want_fixed:
            faults.append("fixed file version differs")
        if (fixed.ProductVersionMS, fixed.ProductVersionLS) != want_fixed:
            faults.append("fixed product version differs")
    strings = version_strings(pe)
    expected = {"FileVersion": version, "ProductVersion": version,
                "OriginalFilename": name, "ProductName": "ZolUtilities"}
    for key, value in expected.items():
        if strings.get(key) != value:
            faults.append(f"{key} is {strings.get(key)!r}, not {value!r}")
    if not strings.get("FileDescription"):
        faults.append("no FileDescription")

    sections = section_names(pe)
    debug = sorted(s for s in sections if s.startswith(".debug"))
    if debug:
        faults.append("debug sections " + ", ".join(debug))
    link = sections.get(".gnu_debuglink")
    symbols = name + ".debug"
    if link is None or not link.get_data().startswith(symbols.encode() + b"\0"):
        faults.append(f"no .gnu_debuglink to {symbols}")
    symbols_path = os.path.join(symbols_folder, symbols)
    if not os.path.isfile(symbols_path):
        faults.append(f"{symbols} missing from the symbols")
    elif ".debug_info" not in section_names(pefile.PE(symbols_path, fast_load=True)):
        faults.append(f"{symbols} holds no .debug_info")

    print(f"{name}: {'ok' if not faults else 'FAILED: ' + '; '.join(faults)}"
          f" (version {strings.get('FileVersion')}, {strings.get('FileDescription')!r})")
    return not faults


IMPORT_NAME_UNDECORATE = 3


def short_imports(path):
    """(symbol, dll, name type) of each short import object in an import library."""
    with open(path, "rb") as f:
        data = f.read()
    found = []
    offset = 8  # "!<arch>\n"
    while offset + 60 <= len(data):
        size = int(data[offset + 48:offset + 58])
        member = data[offset + 60:offset + 60 + size]
        if member[:4] == b"\0\0\xff\xff":  # IMPORT_OBJECT_HEADER: Sig1 0, Sig2 0xFFFF
            name_type = (int.from_bytes(member[18:20], "little") >> 2) & 0x7
            symbol, dll = member[20:].split(b"\0")[:2]
            found.append((symbol.decode(), dll.decode(), name_type))
        offset += 60 + size + (size & 1)
    return found


def check_msvc_library(path, dll):
    """Each import is the __stdcall symbol, imported by its undecorated name."""
    imports = short_imports(path)
    faults = [f"{symbol} ({name_type})" for symbol, target, name_type in imports
              if target != dll or name_type != IMPORT_NAME_UNDECORATE or "@" not in symbol]
    ok = bool(imports) and not faults
    print(f"{os.path.basename(path)}: {'ok' if ok else 'FAILED'} "
          f"({len(imports)} imports from {dll}{'; wrong: ' + ', '.join(faults) if faults else ''})")
    return ok


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    version, folder, symbols_folder = sys.argv[1:]
    results = [check_binary(os.path.join(folder, name), version, symbols_folder)
               for name in BINARIES]
    results += [check_msvc_library(os.path.join(folder, "lib", name + ".lib"), name + ".dll")
                for name in ("ZolUtilities", "QorData")]
    sys.exit(0 if all(results) else 1)


if __name__ == "__main__":
    main()
