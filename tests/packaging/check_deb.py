#!/usr/bin/env python3
"""The Debian package, as a user's machine would receive it.

Runs cpack on a built tree, unpacks the .deb into a scratch root (never /) and checks what a
desktop needs from it: the programs, a valid desktop entry, the project file type (its glob and
the magic that matches real project files), the icons at every size, and a thumbnailer whose
command line, run as a file manager runs it, writes a thumbnail. Exits 77 (skipped) when the
Debian tools are missing.

Usage: check_deb.py BUILD_DIR SCRATCH_DIR
"""
import configparser
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

SKIP = 77
MIME_TYPE = "application/x-velk-project"
MIME_NS = "{http://www.freedesktop.org/standards/shared-mime-info}"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICONS = (("apps", "velkplayer"), ("mimetypes", "application-x-velk-project"))
THUMBNAIL_SIZE = 128

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
    return condition


def run(*args, cwd=None):
    return subprocess.run(args, cwd=cwd, check=True, capture_output=True, text=True).stdout


def png_size(path):
    data = path.read_bytes()[:24]
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def build_package(build_dir, out_dir):
    # The package goes to the scratch folder, so that a test run leaves the build tree as it was.
    run("cpack", "--config", str(build_dir / "CPackConfig.cmake"), "-B", str(out_dir))
    debs = sorted(out_dir.glob("*.deb"))
    if len(debs) != 1:
        sys.exit(f"cpack made {len(debs)} packages in {out_dir}, not one")
    return debs[0]


def check_control(deb):
    info = run("dpkg-deb", "-I", str(deb))
    fields = {}
    for line in info.splitlines():
        name, _, value = line.strip().partition(": ")
        fields.setdefault(name, value)
    check(fields.get("Package") == "velk", f"package name is {fields.get('Package')!r}")
    depends = fields.get("Depends", "")
    for needed in ("libqt6widgets6", "libqt6core6", "libc6", "fonts-liberation2",
                   "qt6-qpa-plugins"):
        check(needed in depends, f"Depends lacks {needed}: {depends!r}")
    # Updating the desktop's databases is left to dpkg's triggers.
    for script in ("preinst", "postinst", "prerm", "postrm"):
        check(f" {script} " not in info, f"the package carries a {script} script")


def check_programs(usr):
    for name in ("velk", "velkplayer"):
        path = usr / "bin" / name
        check(path.is_file() and path.stat().st_mode & 0o111, f"{path} is not an executable")


def check_desktop_entry(usr):
    entry = usr / "share/applications/velkplayer.desktop"
    if not check(entry.is_file(), f"no desktop entry {entry}"):
        return
    if shutil.which("desktop-file-validate"):
        result = subprocess.run(["desktop-file-validate", str(entry)], capture_output=True,
                                text=True)
        check(result.returncode == 0 and not result.stdout.strip(),
              f"desktop-file-validate: {result.stdout}{result.stderr}")
    else:
        print("desktop-file-validate not found: the entry's syntax is not validated")
    keys = read_key_file(entry, "Desktop Entry")
    check(keys.get("Name") == "Velk Player", f"desktop entry Name is {keys.get('Name')!r}")
    exec_line = keys.get("Exec", "").split()
    check(exec_line[:1] == ["velkplayer"] and "%f" in exec_line,
          f"desktop entry Exec is {keys.get('Exec')!r}")
    check(MIME_TYPE in keys.get("MimeType", "").split(";"), "desktop entry lacks the MIME type")
    check(keys.get("Icon") == "velkplayer", f"desktop entry Icon is {keys.get('Icon')!r}")


def read_key_file(path, group):
    parser = configparser.ConfigParser(interpolation=None)
    parser.optionxform = str
    parser.read(path, encoding="utf-8")
    return dict(parser[group]) if parser.has_section(group) else {}


def magic_matches(match, data):
    """Whether one <match type="string"> of the MIME magic accepts the file's first bytes."""
    if match.get("type") != "string":
        return False
    first, _, last = match.get("offset").partition(":")
    value = match.get("value").encode("latin-1")
    for offset in range(int(first), int(last or first) + 1):
        if data[offset:offset + len(value)] == value:
            return True
    return False


def check_mime_type(usr, samples, other):
    path = usr / "share/mime/packages/velk.xml"
    if not check(path.is_file(), f"no MIME type file {path}"):
        return
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        check(False, f"{path} is not well-formed: {error}")
        return
    types = [t for t in root.iter(MIME_NS + "mime-type") if t.get("type") == MIME_TYPE]
    if not check(len(types) == 1, f"{path} does not define {MIME_TYPE}"):
        return
    mime = types[0]
    check([g.get("pattern") for g in mime.iter(MIME_NS + "glob")] == ["*.vkd"],
          "the MIME type's glob is not *.vkd")
    check(mime.findtext(MIME_NS + "comment") == "Vellumkit presentation",
          "the MIME type's comment is not \"Vellumkit presentation\"")
    matches = list(mime.iter(MIME_NS + "match"))
    check(matches, "the MIME type has no magic")
    for sample in samples:
        data = sample.read_bytes()
        check(any(magic_matches(m, data) for m in matches),
              f"the MIME magic does not match the project file {sample.name}")
    check(not any(magic_matches(m, other.read_bytes()) for m in matches),
          f"the MIME magic matches {other.name}, which is no project")
    if shutil.which("update-mime-database"):
        # The database a desktop would build from it, on a copy in the scratch root.
        database = path.parents[1]
        run("update-mime-database", str(database))
        globs = (database / "globs2").read_text()
        check(f"{MIME_TYPE}:*.vkd" in globs, "update-mime-database left out the glob")
        check(MIME_TYPE.encode() in (database / "magic").read_bytes(),
              "update-mime-database left out the magic")


def check_icons(usr):
    theme = usr / "share/icons/hicolor"
    for context, name in ICONS:
        for size in ICON_SIZES:
            path = theme / f"{size}x{size}" / context / f"{name}.png"
            check(path.is_file() and png_size(path) == (size, size),
                  f"{path} is not a {size} x {size} PNG")
        svg = theme / "scalable" / context / f"{name}.svg"
        try:
            check(ET.parse(svg).getroot().tag == "{http://www.w3.org/2000/svg}svg",
                  f"{svg} is not an SVG")
        except (OSError, ET.ParseError) as error:
            check(False, f"{svg}: {error}")


def check_thumbnailer(usr, project, scratch):
    path = usr / "share/thumbnailers/velk.thumbnailer"
    if not check(path.is_file(), f"no thumbnailer entry {path}"):
        return
    keys = read_key_file(path, "Thumbnailer Entry")
    check((usr / "bin" / keys.get("TryExec", "-")).is_file(), "the thumbnailer's TryExec is missing")
    check(MIME_TYPE in keys.get("MimeType", "").split(";"), "the thumbnailer lacks the MIME type")
    # As a file manager runs it: the placeholders filled in, the program found on the PATH.
    thumbnail = scratch / "thumbnail.png"
    values = {"%i": str(project), "%o": str(thumbnail), "%s": str(THUMBNAIL_SIZE),
              "%u": project.as_uri()}
    command = [values.get(word, word) for word in keys.get("Exec", "").split()]
    command[0] = str(usr / "bin" / command[0])
    result = subprocess.run(command, capture_output=True, text=True)
    if check(result.returncode == 0, f"the thumbnailer failed: {result.stderr}"):
        size = png_size(thumbnail)
        check(size is not None and max(size) == THUMBNAIL_SIZE,
              f"the thumbnail is {size}, not fitted to {THUMBNAIL_SIZE} pixels")


def make_projects(velk, source_dir, scratch):
    """Project files as writers make them: the demo, uncompressed and of an older version."""
    demo = scratch / "demo.vkd"
    run(str(velk), "build", str(source_dir / "examples/demo/project.json"), "-o", str(demo))
    plain = scratch / "plain.vkd"
    run(str(velk), "build", "--uncompressed", str(source_dir / "examples/demo/project.json"),
        "-o", str(plain))
    description = scratch / "old.json"
    description.write_text('{"version": 9, "header": {"client_width": 64, "client_height": 48},'
                           ' "pages": [{"name": "One"}]}')
    old = scratch / "old.vkd"
    run(str(velk), "build", str(description), "-o", str(old))
    return [demo, plain, old]


def main():
    build_dir, scratch_parent = Path(sys.argv[1]).resolve(), Path(sys.argv[2])
    missing = [t for t in ("cpack", "dpkg-deb", "dpkg-shlibdeps") if not shutil.which(t)]
    if missing:
        print(f"skipped: {', '.join(missing)} not found (Debian packaging tools)")
        return SKIP
    source_dir = Path(__file__).resolve().parents[2]
    scratch_parent.mkdir(parents=True, exist_ok=True)
    with tempfile.TemporaryDirectory(dir=scratch_parent) as scratch_name:
        scratch = Path(scratch_name)
        deb = build_package(build_dir, scratch / "out")
        root = scratch / "root"
        run("dpkg-deb", "-x", str(deb), str(root))
        usr = root / "usr"
        check_control(deb)
        check_programs(usr)
        check_desktop_entry(usr)
        check_icons(usr)
        projects = make_projects(usr / "bin/velk", source_dir, scratch)
        check_mime_type(usr, projects, usr / "share/icons/hicolor/16x16/apps/velkplayer.png")
        check_thumbnailer(usr, projects[0], scratch)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{deb.name}: {'ok' if not failures else f'{len(failures)} problems'}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
