#!/usr/bin/env python3
"""The README shows the demo: the summary `velk dump` prints for it and pictures of some of its
pages (docs/images/demo-*.png). Both go stale silently when the demo changes; this check builds
the demo, dumps and paints it again and compares. Pictures are compared by their pixel rows
(the decompressed image data), not by their file bytes, so another zlib does not matter."""
import pathlib
import re
import subprocess
import sys
import tempfile
import zlib


def pixel_rows(png: pathlib.Path) -> bytes:
    data = png.read_bytes()
    pos, header, idat = 8, b"", b""
    while pos < len(data):
        length = int.from_bytes(data[pos:pos + 4], "big")
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return header + zlib.decompress(idat)


def main() -> int:
    velk, source = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    readme = (source / "README.md").read_text(encoding="utf-8")
    problems = []
    with tempfile.TemporaryDirectory() as scratch:
        work = pathlib.Path(scratch)
        demo = work / "demo.vkd"
        subprocess.run([velk, "build", source / "examples/demo/project.json", "-o", demo],
                       check=True, capture_output=True)
        summary = subprocess.run([velk, "dump", demo, "-o", work / "dump"], check=True,
                                 capture_output=True, text=True).stdout.strip()
        quoted = re.search(r'velk dump build/demo\.vkd[^\n]*# prints "([^"]*)"', readme)
        if not quoted:
            problems.append("README: the `velk dump build/demo.vkd` line with its summary is gone")
        elif quoted.group(1) != summary:
            problems.append(f'README says the dump prints "{quoted.group(1)}", it prints "{summary}"')
        for picture in sorted(set(re.findall(r"docs/images/demo-[a-z]+\.png", readme))):
            page = picture.split("demo-")[1].removesuffix(".png")
            painted = work / f"{page}.png"
            subprocess.run([velk, "render", demo, "--page", page, "-o", painted], check=True,
                           capture_output=True)
            stored = source / picture
            if not stored.exists() or pixel_rows(stored) != pixel_rows(painted):
                problems.append(f"{picture} is not the page as velk render paints it now")
    for problem in problems:
        print(problem)
    if any("docs/images" in p for p in problems):
        print("Paint the pictures again with scripts/readme-pictures.")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
