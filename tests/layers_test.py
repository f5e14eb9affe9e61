"""The layers of the tree: text/ uses only itself, scan/ only text/ and
itself, cli/ only those two and itself (never the window's app/), the
window's handlers in app/handlers/ only text/, scan/ and themselves (never
the widgets of app/widgets/), and none of them Qt.

Two checks: every #include in those folders names an allowed folder, and the
build gives their files no include folder beyond the allowed ones (the
repository root on an include path would let any file reach any other).

Usage: layers_test.py SOURCE_DIR [BUILD_DIR]; the second check needs the
build's compile_commands.json."""
import json
import os
import re
import shlex
import sys
from pathlib import Path

ALLOWED = {
    "text": {"text"},
    "scan": {"text", "scan"},
    "cli": {"text", "scan", "cli"},
    "app/handlers": {"text", "scan", "app/handlers"},
}
SOURCE_SUFFIXES = {".h", ".cpp"}
INCLUDE_LINE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
# <QString>, <QtCore/QString>, <qstring.h>, <qt6/QtCore/...>
QT_HEADER = re.compile(r"^(Q[A-Z]|Qt|qt|q[a-z]+\.h$)")


def project_folder(root, source, name, quoted):
    """The file of the repository that an include reaches, relative to the
    repository, '..' when it leaves it, or None for a header of the system
    or a library."""
    if quoted and (source.parent / name).exists():
        target = Path(os.path.normpath(source.parent / name))
    else:
        target = Path(os.path.normpath(root / name))
        if not (root / Path(name).parts[0]).is_dir():
            return None
    try:
        return target.relative_to(root)
    except ValueError:
        return Path("..")


def include_faults(root):
    faults = []
    for layer, allowed in ALLOWED.items():
        for source in sorted((root / layer).rglob("*")):
            if source.suffix not in SOURCE_SUFFIXES:
                continue
            lines = source.read_text(encoding="utf-8").splitlines()
            for number, line in enumerate(lines, start=1):
                match = INCLUDE_LINE.match(line)
                if not match:
                    continue
                quoted, name = match.group(1) == '"', match.group(2)
                where = f"{source.relative_to(root)}:{number}: {line.strip()}"
                folder = project_folder(root, source, name, quoted)
                if folder is None and QT_HEADER.match(name):
                    faults.append(f"{where}: Qt is for app/ alone")
                elif folder is not None and not any(folder.is_relative_to(a) for a in allowed):
                    faults.append(f"{where}: {layer}/ may include only "
                                  + ", ".join(f"{f}/" for f in sorted(allowed)))
    return faults


def include_folders(arguments):
    for index, argument in enumerate(arguments):
        for flag in ("-I", "-isystem", "-iquote"):
            if argument == flag and index + 1 < len(arguments):
                yield arguments[index + 1]
            elif argument.startswith(flag) and len(argument) > len(flag):
                yield argument[len(flag):]


def build_faults(root, build):
    """Include folders of the layers' files that open more of the tree."""
    faults = []
    commands = json.loads((build / "compile_commands.json").read_text(encoding="utf-8"))
    headers = build.resolve() / "headers"
    for command in commands:
        source = Path(command["file"]).resolve()
        if source.is_relative_to(build.resolve()) or not source.is_relative_to(root):
            continue
        # The handlers share the window's include folder; their includes are
        # checked above, and their library is built without Qt.
        layer = source.relative_to(root).parts[0]
        if layer not in ALLOWED:
            continue
        arguments = command.get("arguments") or shlex.split(command["command"])
        for folder in include_folders(arguments):
            folder = Path(os.path.normpath(Path(command["directory"]) / folder))
            if folder.is_relative_to(headers):
                opened = {folder.relative_to(headers).parts[0]}
            elif root.is_relative_to(folder):
                opened = {entry.name for entry in root.iterdir() if entry.is_dir()}
            elif folder.is_relative_to(root):
                opened = {folder.relative_to(root).parts[0]}
            else:
                continue
            if not opened <= ALLOWED[layer]:
                faults.append(f"{source.relative_to(root)}: the include folder {folder} "
                              f"opens {', '.join(sorted(opened - ALLOWED[layer]))} to {layer}/")
    return faults


def main():
    root = Path(sys.argv[1]).resolve()
    faults = include_faults(root)
    if len(sys.argv) > 2:
        faults += build_faults(root, Path(sys.argv[2]))
    for fault in faults:
        print(fault)
    if faults:
        print(f"{len(faults)} include(s) cross the layers text/ -> scan/ -> cli/ and "
              "app/handlers/ (no Qt)")
        return 1
    print("layers hold: text/, scan/, cli/ and app/handlers/ include only what lies below "
          "them, and no Qt")
    return 0


if __name__ == "__main__":
    sys.exit(main())
