#!/usr/bin/env python3
"""Checks what vorlin.exe carries, read from the file itself: it imports only libraries that
Windows ships, and its resources hold the program icon (16 x 16, 16 colours, 1 plane, 4 bits a
pixel, 296 bytes, the same bytes as art/vorlin.ico), version information naming the product
"Vorlin" by "Tenwick", and a manifest asking for common controls 6 and DPI awareness.

    check_exe.py vorlin.exe vorlin.ico
"""

import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "comctl32.dll",
               "msvcrt.dll", "advapi32.dll"}


class Pe:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        optional = pe + 24
        magic = struct.unpack_from("<H", data, optional)[0]
        directories = optional + (96 if magic == 0x10B else 112)
        self.directories = [struct.unpack_from("<II", data, directories + 8 * i) for i in range(16)]
        self.sections = []
        table = optional + optional_size
        for i in range(sections):
            size, address, raw_size, raw = struct.unpack_from("<8xIIII", data, table + 40 * i)
            self.sections.append((address, max(size, raw_size), raw))

    def at(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError("address %x outside the sections" % rva)

    def imports(self):
        rva = self.directories[1][0]
        names = []
        while rva:
            lookup, _, _, name, thunk = struct.unpack_from("<IIIII", self.data, self.at(rva))
            if name == 0:
                break
            start = self.at(name)
            names.append(self.data[start:self.data.index(b"\0", start)].decode())
            rva += 20
        return names

    def resources(self):
        """(type, name, bytes) of every resource."""
        base = self.directories[2][0]
        out = []
        if base == 0:
            return out

        def walk(offset, path):
            named, ids = struct.unpack_from("<12xHH", self.data, self.at(base + offset))
            for i in range(named + ids):
                key, target = struct.unpack_from("<II", self.data, self.at(base + offset + 16 + 8 * i))
                if target & 0x80000000:
                    walk(target & 0x7FFFFFFF, path + [key])
                else:
                    rva, size = struct.unpack_from("<II", self.data, self.at(base + target))
                    start = self.at(rva)
                    out.append((path[0], path[1], self.data[start:start + size]))

        walk(0, [])
        return out


def main():
    exe, ico = sys.argv[1], sys.argv[2]
    pe = Pe(open(exe, "rb").read())
    failures = []

    dlls = [d.lower() for d in pe.imports()]
    print("imports:", " ".join(dlls))
    if not set(dlls) <= SYSTEM_DLLS:
        failures.append("imports a library Windows does not ship: %s" % (set(dlls) - SYSTEM_DLLS))

    resources = pe.resources()
    groups = [r for r in resources if r[0] == 14]
    icons = {r[1]: r[2] for r in resources if r[0] == 3}
    if len(groups) != 1:
        failures.append("%d icon groups" % len(groups))
    else:
        group = groups[0][2]
        width, height, colours, _, planes, bits, size, ident = struct.unpack_from(
            "<BBBBHHIH", group, 6)
        print("icon group: %dx%d, %d colours, %d plane, %d bits, %d bytes" %
              (width, height, colours, planes, bits, size))
        if (width, height, colours, planes, bits, size) != (16, 16, 16, 1, 4, 296):
            failures.append("the icon group describes something else")
        image = open(ico, "rb").read()[22:]
        if icons.get(ident) != image:
            failures.append("the icon is not art/vorlin.ico")

    version = b"".join(r[2] for r in resources if r[0] == 16).decode("utf-16-le", "replace")
    for name, value in [("ProductName", "Vorlin"), ("CompanyName", "Tenwick")]:
        if "%s\0%s\0" % (name, value) not in version.replace("\0\0", "\0"):
            failures.append("version information lacks %s %s" % (name, value))

    manifest = b"".join(r[2] for r in resources if r[0] == 24).decode("utf-8", "replace")
    for needle in ["Microsoft.Windows.Common-Controls", 'version="6.0.0.0"', "dpiAware",
                   "PerMonitorV2"]:
        if needle not in manifest:
            failures.append("the manifest lacks %s" % needle)

    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
