#!/usr/bin/env python3
"""Plays one scenario folder headless and compares what it did with what it should do.

A scenario is project.json (built with `velk build`; any other NAME.json beside it becomes
NAME.vkd in the same folder, for switches to another project), events.txt (played with
`velk run`), expected.log (the effect log, compared byte for byte) and any NAME.expected.png
(compared pixel for pixel with the screenshot NAME). A blobs.py beside them writes the binary
files the description names into the folder given to it; the files it writes there (media a
project plays from its own folder) are copied beside show.vkd for the run. The scenario is
played twice: both runs must give the same bytes.

With VELK_UPDATE_SCENARIOS=1 the expected files are written from the run instead; look at them
before committing them.
"""
import difflib
import os
import shutil
import struct
import subprocess
import sys
import zlib
from pathlib import Path


def decode_png(data):
    """(width, height, rows of RGB bytes) of an 8-bit RGB or RGBA PNG."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("only 8-bit RGB or RGBA PNG files without interlacing are read")
    channels = 3 if colour == 2 else 4
    stride = width * channels
    raw = zlib.decompress(idat)
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append(bytes(line) if channels == 3 else
                    bytes(b for j in range(0, stride, 4) for b in line[j:j + 3]))
        previous = line
    return width, height, rows


def compare_png(expected_path, actual_path):
    """None when the pictures have the same pixels, else what differs."""
    ew, eh, erows = decode_png(expected_path.read_bytes())
    aw, ah, arows = decode_png(actual_path.read_bytes())
    if (ew, eh) != (aw, ah):
        return f"size {aw} x {ah}, expected {ew} x {eh}"
    for y in range(eh):
        if erows[y] != arows[y]:
            x = next(i for i in range(ew * 3) if erows[y][i] != arows[y][i]) // 3
            return (f"pixel ({x}, {y}) is {tuple(arows[y][3 * x:3 * x + 3])}, "
                    f"expected {tuple(erows[y][3 * x:3 * x + 3])}")
    return None


def play(velk, scenario, work, name):
    """Runs the scenario in work/name; returns (exit code, stderr, log bytes, shots folder)."""
    folder = work / name
    folder.mkdir(parents=True)
    # The projects, and the files blobs.py wrote beside them that a project plays (media).
    for played in work.iterdir():
        if played.is_file() and played.suffix != ".json":
            shutil.copy(played, folder / played.name)
    run = subprocess.run([velk, "run", "show.vkd", "--events", str(scenario / "events.txt"),
                          "--shots", "shots", "--log", "run.log"],
                         cwd=folder, capture_output=True, text=True)
    log = (folder / "run.log").read_bytes() if (folder / "run.log").exists() else b""
    return run.returncode, run.stderr, log, folder / "shots"


def main():
    velk, scenario, work = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    description = scenario / "project.json"
    # Binary parts (a GIF, say) are written by the scenario's own blobs.py, never kept as files.
    if (scenario / "blobs.py").exists():
        description = work / "project.json"
        shutil.copy(scenario / "project.json", description)
        subprocess.run([sys.executable, str(scenario / "blobs.py"), str(work)], check=True)
    build = subprocess.run([velk, "build", str(description), "-o",
                            str(work / "show.vkd")], capture_output=True, text=True)
    if build.returncode != 0:
        print(f"velk build failed:\n{build.stderr}")
        return 1
    # Other projects the scenario switches to: NAME.json beside it becomes NAME.vkd.
    for other in sorted(scenario.glob("*.json")):
        if other.name == "project.json":
            continue
        built = subprocess.run([velk, "build", str(other), "-o", str(work / (other.stem + ".vkd"))],
                               capture_output=True, text=True)
        if built.returncode != 0:
            print(f"velk build of {other.name} failed:\n{built.stderr}")
            return 1

    code, err, log, shots = play(velk, scenario, work, "first")
    if code != 0:
        print(f"velk run ended with exit code {code}:\n{err}")
        return 1
    shot_files = sorted(shots.glob("*.png")) if shots.exists() else []

    if os.environ.get("VELK_UPDATE_SCENARIOS") == "1":
        (scenario / "expected.log").write_bytes(log)
        for stale in scenario.glob("*.expected.png"):
            stale.unlink()
        for shot in shot_files:
            shutil.copy(shot, scenario / (shot.stem + ".expected.png"))
        print(f"wrote expected.log and {len(shot_files)} pictures into {scenario}")
        return 0

    failures = []
    expected_log = (scenario / "expected.log").read_bytes()
    if log != expected_log:
        diff = difflib.unified_diff(expected_log.decode("utf-8", "replace").splitlines(),
                                    log.decode("utf-8", "replace").splitlines(),
                                    "expected.log", "run.log", lineterm="")
        failures.append("the effect log differs:\n" + "\n".join(diff))
    for expected in sorted(scenario.glob("*.expected.png")):
        name = expected.name[:-len(".expected.png")]
        actual = shots / (name + ".png")
        if not actual.exists():
            failures.append(f"no screenshot {name} was taken")
            continue
        difference = compare_png(expected, actual)
        if difference:
            failures.append(f"screenshot {name}: {difference} (see {actual})")

    # Determinism: a second run gives the same bytes.
    code2, err2, log2, shots2 = play(velk, scenario, work, "second")
    if code2 != code or log2 != log:
        failures.append("a second run gave another log or exit code")
    for shot in shot_files:
        again = shots2 / shot.name
        if not again.exists() or again.read_bytes() != shot.read_bytes():
            failures.append(f"a second run gave another {shot.name}")

    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
