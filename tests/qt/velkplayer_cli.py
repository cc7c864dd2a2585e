#!/usr/bin/env python3
"""The velkplayer program's command line as a script sees it: help and version on stdout, a
refused option with status 2, and status 1 with a message when there is no display to use
(Qt would otherwise abort the process)."""
import os
import subprocess
import sys


def run(player, args, env_changes):
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    env.update(env_changes)
    done = subprocess.run([player] + args, env=env, capture_output=True, text=True, timeout=60)
    return done.returncode, done.stdout, done.stderr


def main():
    player, version = sys.argv[1], sys.argv[2]
    failures = []
    # (arguments, environment, status, stdout starts with, stderr holds)
    cases = [
        (["--help"], {}, 0, "Usage: velkplayer [--fullscreen]", None),
        (["--version"], {}, 0, "velkplayer " + version + "\n", None),
        (["--bogus", "show.vkd"], {"DISPLAY": ":0"}, 2, "", "unknown option --bogus\nUsage: "),
        (["--scale", "big"], {}, 2, "", "--scale takes fit, integer or stretch"),
        (["show.vkd"], {}, 1, "", "no display to show the presentation on"),
        # A display named but not there: Qt cannot connect.
        (["show.vkd"], {"DISPLAY": ":4093"}, 1, "", "The display could not be opened"),
    ]
    for args, env, status, out, err in cases:
        code, stdout, stderr = run(player, args, env)
        where = " ".join(args) + " " + str(env)
        if code != status:
            failures.append(f"{where}: status {code}, expected {status}; stderr: {stderr!r}")
        if not stdout.startswith(out) or (out == "" and stdout):
            failures.append(f"{where}: stdout {stdout[:200]!r}")
        if err is None and stderr:
            failures.append(f"{where}: stderr {stderr[:200]!r}")
        if err is not None and err not in stderr:
            failures.append(f"{where}: stderr {stderr[:300]!r} lacks {err!r}")
    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
