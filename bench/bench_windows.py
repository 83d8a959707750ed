"""The Windows build's part of bench/run: figures under Wine from build/win32 and build/win64."""
import os
import pathlib
import re
import subprocess

ROOT = pathlib.Path(__file__).resolve().parent.parent
SKIPPED = 77


def wine_build():
    """The build whose programs run under Wine: the one CTest runs the harness from
    (VORLIN_BUILD); else the 32-bit one, or the 64-bit one where the kernel runs no 32-bit code
    (or none is built)."""
    if os.environ.get("VORLIN_BUILD"):
        return pathlib.Path(os.environ["VORLIN_BUILD"])
    win32 = ROOT / "build/win32"
    if not (win32 / "vorlin.exe").exists():
        return ROOT / "build/win64"
    runs = subprocess.run([str(ROOT / "scripts/wine"), "--runs", str(win32 / "vorlin.exe")],
                          stderr=subprocess.DEVNULL)
    return win32 if runs.returncode != SKIPPED else ROOT / "build/win64"


def bits(build):
    return "32-bit" if build.name == "win32" else "64-bit"


def rows(sh):
    sh("scripts/deps", "core", "windows")
    for preset in ("win32", "win64"):
        sh("cmake", "--preset", preset)
        sh("cmake", "--build", "--preset", preset)
    build = wine_build()
    wine = f"Wine, {bits(build)}"
    cmd = f"scripts/wine-run build/{build.name}/bench/vorlin_wine_bench.exe"
    out = sh("scripts/wine-run", f"build/{build.name}/bench/vorlin_wine_bench.exe").stdout
    b = {name: float(value) for name, value in re.findall(r"^(\w+) ([\d.]+)", out, re.M)}
    ratio = b["SameDayTick"] / b["ClockRead"]
    result = [
        (f"{wine}: read of the local date", f"{b['ClockRead']:.0f} ns", "", "floor", cmd),
        (f"{wine}: same-day tick", f"{b['SameDayTick']:.0f} ns", "≤ 3 clock reads",
         f"{ratio:.2f} clock reads: {'met' if ratio <= 3 else 'missed'}", cmd),
        (f"{wine}: the dialog-key look-up (GetAncestor, IsWindowVisible) that the message "
         "loop now makes for keyboard messages only", f"{b['DialogLookUp']:.0f} ns", "",
         f"{b['DialogLookUp'] * 100 / 1000:.1f} µs of CPU a second at 100 timer messages a second",
         cmd),
        (f"{wine}: one whole refresh, software graphics",
         f"{b['SoftwareRefresh'] / 1000:.2f} µs", "< 20 µs",
         "met" if b["SoftwareRefresh"] < 20000 else "missed", cmd),
        (f"{wine}: one whole refresh, real graphics calls",
         f"{b['GdiRefresh'] / 1000:.1f} µs", "reported beside the software one",
         f"{b['GdiRefresh'] / b['SoftwareRefresh']:.0f} × the software refresh", cmd),
    ]
    soak = sh("ctest", "--test-dir", f"build/{build.name}", "-R", "e2e-windows-soak", "-V",
              env=dict(os.environ, VORLIN_SOAK_REFRESHES="10000"), check=False)
    lines = [l.split(": ", 1)[-1] for l in soak.stdout.splitlines() if "refreshes" in l or
             "after" in l or "before" in l]
    result.append(("Leak soak under Wine: 10,000 refreshes, binding-layer counts",
                   "; ".join(lines) or soak.stdout[-300:], "counts flat",
                   "met" if soak.returncode == 0 else "missed",
                   f"VORLIN_SOAK_REFRESHES=10000 ctest --test-dir build/{build.name} -R "
                   "e2e-windows-soak -V"))
    return result


def size_rows(sh):
    result = []
    for preset, triple in (("win32", "i686-w64-mingw32"), ("win64", "x86_64-w64-mingw32")):
        exe = ROOT / "build" / preset / "vorlin.exe"
        headers = sh(f"{triple}-objdump", "-h", exe).stdout
        sections = {m.group(1): int(m.group(2), 16)
                    for m in re.finditer(r"^\s*\d+\s+(\.\w+)\s+([0-9a-f]+)", headers, re.M)}
        parts = ", ".join(f"{name} {size}" for name, size in sections.items())
        goal = "< 64 KB" if preset == "win32" else ""
        verdict = ("met" if exe.stat().st_size < 65536 else "missed") if goal else ""
        result.append((f"vorlin.exe ({preset}) file size", f"{exe.stat().st_size} bytes", goal,
                       f"{verdict}; sections: {parts}".lstrip("; "),
                       f"{triple}-objdump -h build/{preset}/vorlin.exe"))
    return result
