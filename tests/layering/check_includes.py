#!/usr/bin/env python3
"""Checks every quoted #include of the core, the hosts and the programs against the allowed
dependencies between layers. A wrong include fails `make test` with the file, the line and the
edge it would add. docs/architecture.md explains the layers; the table below is the rule."""
import os
import re
import sys

# What each core layer (a folder of src/) may include besides itself. Lower layers come first;
# an upward reach goes through an interface declared in the lower layer (CommandOwner,
# PageOwner, InputOwner, ObjectOwner, ScriptOwner, BubbleOwner), implemented by the player.
CORE = {
    'base': [],
    'host': ['base'],
    'codec': ['base'],
    'document': ['base', 'codec', 'host'],
    'gfx': ['base', 'codec', 'document', 'host'],
    'script': ['base', 'document', 'host'],
    'objects': ['base', 'codec', 'document', 'gfx', 'host', 'media', 'script'],
    'pages': ['base', 'codec', 'document', 'gfx', 'host', 'media', 'objects', 'script'],
    'controls': ['base', 'document', 'gfx', 'host'],
    'media': ['base', 'gfx', 'host'],
    'input': ['base', 'controls', 'document', 'gfx', 'host', 'objects', 'pages', 'script'],
    'commands': ['base', 'document', 'gfx', 'host', 'input', 'media', 'objects', 'pages',
                 'script'],
    'player': ['base', 'codec', 'commands', 'controls', 'document', 'gfx', 'host', 'input',
               'media', 'objects', 'pages', 'script'],
}

# The hosts see the core only through the host services, the player's public headers and the
# plain values they exchange with it (geometry, code page, pixels).
PLAYER_FACE = {'player/player.h', 'player/command_line.h', 'player/standalone.h'}
HOST_VALUES = {'base', 'host'}
HOST_VALUE_FILES = {'gfx/surface.h'}
HOSTS = {
    'hosts/headless': [],
    'hosts/posix': [],
    'hosts/qt': ['hosts/posix'],
}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')


def core_layer(path):
    parts = path.split('/')
    return parts[1] if len(parts) > 2 and parts[0] == 'src' else None


def host_of(path):
    for host in HOSTS:
        if path.startswith(host + '/'):
            return host
    return None


def target_layer(include):
    """The layer an include names: a core folder, or a host."""
    if include.startswith('hosts/'):
        return host_of(include)
    first = include.split('/')[0]
    return first if first in CORE else None


def allowed(path, include):
    target = target_layer(include)
    if target is None:
        return True  # a file beside the includer (apps), or a system header in quotes
    layer = core_layer(path)
    if layer is not None:
        return target == layer or target in CORE[layer]
    host = host_of(path)
    if host is not None:
        return (target == host or target in HOSTS[host] or target in HOST_VALUES or
                include in PLAYER_FACE or include in HOST_VALUE_FILES)
    return True  # programs, tests, fuzz targets and benchmarks may use any layer


def main(root):
    failures = []
    for top in ('src', 'hosts', 'apps'):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                full = os.path.join(folder, name)
                path = os.path.relpath(full, root).replace(os.sep, '/')
                with open(full, encoding='utf-8', errors='replace') as source:
                    for number, line in enumerate(source, 1):
                        match = INCLUDE.match(line)
                        if match and not allowed(path, match.group(1)):
                            failures.append(f'{path}:{number}: includes "{match.group(1)}", '
                                            f'which its layer may not')
    for failure in failures:
        print(failure)
    if failures:
        print(f'{len(failures)} include(s) against the layering (see docs/architecture.md)')
        return 1
    print('layering: every include follows the allowed dependencies')
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else
                  os.path.join(os.path.dirname(__file__), '..', '..')))
