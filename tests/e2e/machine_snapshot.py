#!/usr/bin/env python3
"""The state of a Wine prefix, for the uninstall scenarios: what an
installation followed by its uninstallation changed.

  machine_snapshot.py take PREFIX EXPORTS OUT.json
      every folder and file under PREFIX/drive_c with its contents' MD5 (the
      system folders the prefix copies share by hard links, which nothing a
      scenario runs writes into, by name and size only), and the registry
      trees exported as .reg files into the folder EXPORTS.
  machine_snapshot.py compare BEFORE.json AFTER.json [ALLOWED-REGEX ...]
      prints each difference as one line ("file+ path", "file~ path",
      "folder- path", "key+ path", "value~ key -> name", ...) and exits 1
      when one matches none of the regular expressions.

Registry key and value names compare without regard to letter case, as
Windows compares them.
"""
import hashlib
import json
import os
import re
import sys

SHARED = {'windows/system32', 'windows/syswow64', 'windows/winsxs'}


def files_of(prefix):
    root = os.path.join(prefix, 'drive_c')
    files, folders = {}, []
    for folder, subfolders, names in os.walk(root):
        relative = os.path.relpath(folder, root).replace(os.sep, '/')
        relative = '' if relative == '.' else relative
        if relative:
            folders.append(relative)
        shared = any(relative == s or relative.startswith(s + '/') for s in SHARED)
        for name in names:
            path = os.path.join(folder, name)
            key = (relative + '/' if relative else '') + name
            if os.path.islink(path):
                files[key] = 'link ' + os.readlink(path)
            elif shared:
                files[key] = 'size %d' % os.path.getsize(path)
            else:
                with open(path, 'rb') as handle:
                    files[key] = hashlib.md5(handle.read()).hexdigest()
    return files, sorted(folders)


def registry_of(exports):
    keys = {}
    for name in sorted(os.listdir(exports)):
        raw = open(os.path.join(exports, name), 'rb').read()
        text = raw.decode('utf-16') if raw[:2] in (b'\xff\xfe', b'\xfe\xff') else raw.decode('latin-1')
        current = None
        pending = ''
        for line in text.splitlines():
            line = pending + line.strip() if pending else line
            if line.endswith('\\') and not line.startswith('['):  # continued on the next line
                pending = line[:-1]
                continue
            pending = ''
            if line.startswith('[') and line.endswith(']'):
                current = line[1:-1].lower()
                keys.setdefault(current, {})
            elif current is not None and '=' in line and not line.startswith(';'):
                match = re.match(r'^(@|"(?:[^"\\]|\\.)*")=(.*)$', line)
                if match:
                    keys[current][match.group(1).lower()] = match.group(2)
    return keys


def take(prefix, exports, out):
    files, folders = files_of(prefix)
    json.dump({'files': files, 'folders': folders, 'registry': registry_of(exports)},
              open(out, 'w'), indent=0, sort_keys=True)


def differences(before, after):
    lines = []
    for path in sorted(set(before['files']) | set(after['files'])):
        old, new = before['files'].get(path), after['files'].get(path)
        if old != new:
            lines.append(('file+ ' if old is None else 'file- ' if new is None else 'file~ ') + path)
    old_folders, new_folders = set(before['folders']), set(after['folders'])
    lines += ['folder+ ' + f for f in sorted(new_folders - old_folders)]
    lines += ['folder- ' + f for f in sorted(old_folders - new_folders)]
    old_keys, new_keys = before['registry'], after['registry']
    for key in sorted(set(old_keys) | set(new_keys)):
        if key not in old_keys:
            lines.append('key+ ' + key)
        elif key not in new_keys:
            lines.append('key- ' + key)
        else:
            old, new = old_keys[key], new_keys[key]
            for value in sorted(set(old) | set(new)):
                if old.get(value) != new.get(value):
                    mark = 'value+ ' if value not in old else 'value- ' if value not in new else 'value~ '
                    lines.append(mark + key + ' -> ' + value)
    return lines


def compare(before_path, after_path, allowed):
    before, after = json.load(open(before_path)), json.load(open(after_path))
    patterns = [re.compile(a, re.IGNORECASE) for a in allowed]
    unexpected = 0
    for line in differences(before, after):
        if any(p.search(line) for p in patterns):
            print('allowed: ' + line)
        else:
            print('DIFFERS: ' + line)
            unexpected += 1
    print('snapshot: %d unexpected difference(s)' % unexpected)
    return 1 if unexpected else 0


if __name__ == '__main__':
    if len(sys.argv) == 5 and sys.argv[1] == 'take':
        take(sys.argv[2], sys.argv[3], sys.argv[4])
    elif len(sys.argv) >= 4 and sys.argv[1] == 'compare':
        sys.exit(compare(sys.argv[2], sys.argv[3], sys.argv[4:]))
    else:
        sys.exit(__doc__)
