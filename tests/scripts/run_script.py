#!/usr/bin/env python3
"""Runs one script test: a script played headless in a small project, checked by its effect log.

A test file holds sections; the lines before the first section header are the script that the
page "Main" runs on entry (leading lines starting with '#' describe the test):

    == click NAME    click actions of a text object NAME on "Main"; such objects are 30 x 30
                     pixels, placed left to right from (10, 10) every 40 pixels, in file order
                     (the first is clicked with "click 20 20", the second "click 60 20")
    == layer NAME    the same, on the master layer (named "Master Layer::NAME" from scripts)
    == page NAME     another page, after "Main", with these entry actions
    == events        the event script for `velk run` (default: "vars" and "quit")
    == log           the expected effect log
    == build         instead of a log: `velk build` must fail, its message holding this text

The scripts go into the project description as text, so `velk build` compiles them strictly.
After building, the project is dumped, built and dumped again: both dumps must be the same.

With VELK_UPDATE_SCRIPTS=1 the log section is written from the run instead; look at it before
committing it.
"""
import difflib
import json
import os
import shutil
import subprocess
import sys
from pathlib import Path

OBJECT_SIZE, OBJECT_STEP, OBJECT_START = 30, 40, 10


def parse(text):
    """(description lines, main script, [(kind, name, lines)], events, log or None, build)."""
    lines = text.split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    header, i = [], 0
    while i < len(lines) and lines[i].startswith("#"):
        header.append(lines[i])
        i += 1
    sections = [["script", "", []]]
    for line in lines[i:]:
        if line.startswith("== "):
            kind, _, name = line[3:].partition(" ")
            if kind not in ("click", "layer", "page", "events", "log", "build"):
                raise ValueError(f"unknown section: {line}")
            sections.append([kind, name.strip(), []])
        else:
            sections[-1][2].append(line)
    return header, sections


def script_of(lines):
    return "\n".join(lines).strip("\n")


def text_object(name, index):
    left = OBJECT_START + OBJECT_STEP * index
    return {"kind": 1, "name": name, "rect": [left, OBJECT_START, left + OBJECT_SIZE,
                                              OBJECT_START + OBJECT_SIZE],
            "text": name, "colour1": 0}


def project(sections):
    main = {"name": "Main", "background_colour": 16777215, "objects": []}
    pages, layer = [main], []
    for kind, name, lines in sections:
        if kind == "script":
            main["entry_actions"] = script_of(lines)
        elif kind == "click":
            obj = text_object(name, len(main["objects"]))
            obj["actions_click"] = script_of(lines)
            main["objects"].append(obj)
        elif kind == "layer":
            obj = text_object(name, len(main["objects"]) + len(layer))
            obj["actions_click"] = script_of(lines)
            layer.append(obj)
        elif kind == "page":
            pages.append({"name": name, "background_colour": 16777215,
                          "entry_actions": script_of(lines), "objects": []})
    description = {"version": 27,
                   "header": {"title": "Script test", "client_width": 200,
                              "client_height": 60, "has_caption": 0},
                   "pages": pages}
    if layer:
        description["master_layer"] = {"name": "Master Layer", "objects": layer}
    return description


def section(sections, kind):
    found = [lines for k, _, lines in sections if k == kind]
    return found[-1] if found else None


def run(args, **kw):
    return subprocess.run(args, capture_output=True, text=True, **kw)


def main():
    velk, test, work = Path(sys.argv[1]).resolve(), Path(sys.argv[2]), Path(sys.argv[3])
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    header, sections = parse(test.read_text(encoding="utf-8"))
    (work / "project.json").write_text(json.dumps(project(sections), indent=2), encoding="utf-8")

    build = run([velk, "build", "project.json", "-o", "show.vkd"], cwd=work)
    expected_build = section(sections, "build")
    if expected_build is not None:
        wanted = script_of(expected_build)
        if build.returncode == 0:
            print("velk build succeeded, expected it to fail with:\n" + wanted)
            return 1
        if wanted not in build.stderr:
            print(f"velk build failed with:\n{build.stderr}\nexpected a message holding:\n{wanted}")
            return 1
        return 0
    if build.returncode != 0:
        print(f"velk build failed:\n{build.stderr}")
        return 1

    # dump -> build -> dump is a fixed point: script text comes back as the same text.
    for step in (["dump", "show.vkd", "-o", "dump1"], ["build", "dump1/project.json", "-o",
                                                       "again.vkd"],
                 ["dump", "again.vkd", "-o", "dump2"]):
        done = run([velk] + step, cwd=work)
        if done.returncode != 0:
            print(f"velk {' '.join(step)} failed:\n{done.stderr}")
            return 1
    first = (work / "dump1" / "project.json").read_text(encoding="utf-8")
    second = (work / "dump2" / "project.json").read_text(encoding="utf-8")
    if first != second:
        print("dump -> build -> dump changed the description:")
        print("\n".join(difflib.unified_diff(first.splitlines(), second.splitlines(),
                                             "dump1", "dump2", lineterm="")))
        return 1

    events = section(sections, "events")
    (work / "events.txt").write_text(
        script_of(events) + "\n" if events is not None else "vars\nquit\n", encoding="utf-8")
    played = run([velk, "run", "show.vkd", "--events", "events.txt", "--log", "run.log"],
                 cwd=work)
    if played.returncode != 0:
        print(f"velk run ended with exit code {played.returncode}:\n{played.stderr}")
        return 1
    log = (work / "run.log").read_text(encoding="utf-8")

    if os.environ.get("VELK_UPDATE_SCRIPTS") == "1":
        text = test.read_text(encoding="utf-8")
        cut = text.find("\n== log\n")
        kept = text[:cut + 1] if cut >= 0 else text if text.endswith("\n") else text + "\n"
        test.write_text(kept + "== log\n" + log, encoding="utf-8")
        print(f"wrote the log of {test}")
        return 0

    expected = section(sections, "log")
    expected_text = "\n".join(expected) + "\n" if expected else ""
    if log != expected_text:
        print("\n".join(header))
        print("the effect log differs:")
        print("\n".join(difflib.unified_diff(expected_text.splitlines(), log.splitlines(),
                                             "expected", "run.log", lineterm="")))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
