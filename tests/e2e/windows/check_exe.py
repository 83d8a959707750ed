#!/usr/bin/env python3
"""Checks what vorlin.exe carries, read from the file itself: it imports only libraries that
Windows ships, and its resources hold the program icon (16 x 16, 16 colours, 1 plane, 4 bits a
pixel, 296 bytes, the same bytes as art/vorlin.ico) and the same picture enlarged by whole pixels
to 32 x 32 and 48 x 48, version information naming the product "Vorlin" by "Tenwick", and a
manifest asking for common controls 6, DPI awareness, no elevation, and naming Windows 7 to 11.

    check_exe.py vorlin.exe vorlin.ico
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from expected_icon import enlarged, program_icon  # noqa: E402

VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (128, 128, 128), (192, 192, 192), (255, 0, 0), (0, 255, 0), (255, 255, 0),
       (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# Windows 7, 8, 8.1, and 10 and 11.
SUPPORTED_OS = ["{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]
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


def icon_image(image):
    """An icon image of 16 colours read as rows of RGB bytes, and whether its mask is all clear;
    None if it is not such an image."""
    size, width, height, planes, bits = struct.unpack_from("<IiiHH", image, 0)
    if size != 40 or height != 2 * width or planes != 1 or bits != 4:
        return None
    palette = image[40:104]
    colours = [VGA.index((palette[4 * i + 2], palette[4 * i + 1], palette[4 * i]))
               if (palette[4 * i + 2], palette[4 * i + 1], palette[4 * i]) in VGA else None
               for i in range(16)]
    row_bytes, mask_bytes = (width + 7) // 8 * 4, (width + 31) // 32 * 4
    rows = []
    for y in range(width):
        at = 104 + (width - 1 - y) * row_bytes
        nibbles = [(b >> 4, b & 15)[i] for b in image[at:at + width // 2] for i in (0, 1)]
        rows.append(b"".join(bytes(VGA[colours[n]]) for n in nibbles))
    mask = image[104 + width * row_bytes:]
    return rows, len(mask) == width * mask_bytes and not any(mask)


def main():
    exe, ico = sys.argv[1], sys.argv[2]
    data = open(exe, "rb").read()
    pe = Pe(data)
    failures = []
    print("size: %d bytes" % len(data))
    if len(data) >= 64 * 1024:
        failures.append("%d bytes, not under 64 KB" % len(data))

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
        count = struct.unpack_from("<H", group, 4)[0]
        entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
        for width, height, colours, _, planes, bits, size, _ in entries:
            print("icon group: %dx%d, %d colours, %d plane, %d bits, %d bytes" %
                  (width, height, colours, planes, bits, size))
        described = [entry[:7] for entry in entries]
        if described[:1] != [(16, 16, 16, 0, 1, 4, 296)]:
            failures.append("the icon group's first image is described as %r" % described[:1])
        elif icons.get(entries[0][7]) != open(ico, "rb").read()[22:]:
            failures.append("the 16 x 16 icon is not art/vorlin.ico")
        for side in (32, 48):
            entry = [e for e in entries if e[:2] == (side, side)]
            image = icon_image(icons.get(entry[0][7], b"")) if entry else None
            if image is None:
                failures.append("no %d x %d image of 16 colours" % (side, side))
            elif image != (enlarged(program_icon(), side), True):
                failures.append("the %d x %d image is not the icon enlarged by whole pixels" %
                                (side, side))

    version = b"".join(r[2] for r in resources if r[0] == 16).decode("utf-16-le", "replace")
    for name, value in [("ProductName", "Vorlin"), ("CompanyName", "Tenwick")]:
        if "%s\0%s\0" % (name, value) not in version.replace("\0\0", "\0"):
            failures.append("version information lacks %s %s" % (name, value))

    manifest = b"".join(r[2] for r in resources if r[0] == 24).decode("utf-8", "replace")
    for needle in ["Microsoft.Windows.Common-Controls", 'version="6.0.0.0"', "dpiAware",
                   "PerMonitorV2", 'level="asInvoker"'] + [
                       '<supportedOS Id="%s"/>' % os_id for os_id in SUPPORTED_OS]:
        if needle not in manifest:
            failures.append("the manifest lacks %s" % needle)

    for failure in failures:
        print("FAILED:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
