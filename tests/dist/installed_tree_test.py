"""The tree that `cmake --install` writes into a fresh prefix: every file in
its place, and each one accepted by the tool that reads it on a desktop."""
import configparser
import gzip
import json
import os
import re
import struct
import subprocess
import tempfile
import time
import unittest
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from dist_files import APP_ID, BUILD_DIR, ICON_SIZES, INSTALLED_FILES, SOURCE_DIR, run


def man_page_text(page):
    """The page as man shows it, on lines wide enough not to wrap."""
    return run(["man", "-l", page], env={"MANWIDTH": "200", "LC_ALL": "C.UTF-8",
                                         "PATH": "/usr/bin:/bin"}).stdout


def section_source(page, title):
    """The roff source of one section of a man page."""
    source = gzip.decompress(page.read_bytes()).decode()
    start = re.search(rf'^\.SH "?{title}"?$', source, re.MULTILINE)
    end = re.search(r"^\.SH ", source[start.end():], re.MULTILINE)
    return source[start.end():start.end() + end.start()]


def json_keys(value):
    if isinstance(value, dict):
        return set(value) | set().union(*(json_keys(inner) for inner in value.values()))
    return set()


class InstalledTreeTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.root = Path(cls.scratch.name)
        cls.prefix = cls.root / "usr"
        installed = run(["cmake", "--install", BUILD_DIR, "--prefix", cls.prefix])
        assert installed.returncode == 0, installed.stderr
        # Before the window runs and writes its dates beside the program.
        cls.installed_files = sorted(str(path.relative_to(cls.prefix))
                                     for path in cls.prefix.rglob("*") if path.is_file())
        cls.share = cls.prefix / "share"
        cls.scan = cls.prefix / "bin/vandrel-scan"

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def test_every_file_is_in_its_place(self):
        self.assertEqual(self.installed_files, INSTALLED_FILES)

    def test_validators_accept_the_files(self):
        desktop_entry = self.share / f"applications/{APP_ID}.desktop"
        checks = {
            # Silent: not even a hint.
            "desktop entry": (["desktop-file-validate", desktop_entry], ""),
            # The metainfo, and the desktop entry it names as its launcher.
            "metainfo": (["appstreamcli", "validate-tree", "--no-net", self.root],
                         "Validation was successful"),
        }
        for page in ("vandrel", "vandrel-scan"):
            checks[f"man page {page}"] = (
                ["man", "--warnings", "-l", self.share / f"man/man1/{page}.1.gz"], "NAME")
        for name, (command, expected_output) in checks.items():
            with self.subTest(name):
                result = run(command)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertEqual(result.stderr, "")
                if expected_output:
                    self.assertIn(expected_output, result.stdout)
                else:
                    self.assertEqual(result.stdout, "")

    def test_man_pages_name_and_synopsis(self):
        pages = {
            "vandrel-scan": (
                "vandrel-scan - find perihelion and aphelion in Horizons vector tables",
                "vandrel-scan [--least | --most] [--start DATE] [--end DATE] [--sun SUNFILE] "
                "[--passages] [--json] FILE..."),
            "vandrel": (
                "vandrel - find perihelion and aphelion in a Horizons ephemeris file",
                "vandrel [--help | --version] [FILE | FOLDER]"),
        }
        for page, (name, synopsis) in pages.items():
            with self.subTest(page):
                lines = [line.strip() for line in
                         man_page_text(self.share / f"man/man1/{page}.1.gz").splitlines()]
                self.assertEqual(lines[lines.index("NAME") + 1], name)
                self.assertEqual(lines[lines.index("SYNOPSIS") + 1], synopsis)

    def test_man_page_names_every_json_key_the_scan_writes(self):
        example = (SOURCE_DIR / "examples/horizons_results.txt").read_text()
        cut_short = self.root / "cut-short.txt"
        cut_short.write_text(example[:example.index("$$EOE")])
        # A name that is not UTF-8 adds the key of its exact bytes.
        latin1 = self.root / os.fsdecode(b"caf\xe9.txt")
        latin1.write_text(example)
        # The same instants as a table of the Sun add the key of --sun.
        sun = self.root / "sun.txt"
        sun.write_text(re.sub(r"Target body name: .*", "Target body name: Sun (10)", example))
        written = set()
        for options in (["--passages", SOURCE_DIR / "examples/horizons_results.txt"],
                        ["--passages", cut_short], ["--passages", latin1],
                        ["--sun", sun, SOURCE_DIR / "examples/horizons_results.txt"]):
            result = run([self.scan, "--json", *options])
            for line in result.stdout.splitlines():
                written |= json_keys(json.loads(line))
        section = section_source(self.share / "man/man1/vandrel-scan.1.gz", "JSON OUTPUT")
        named = {word.strip('",')
                 for line in section.splitlines() if line.startswith((".B ", ".BR "))
                 for word in line.split()[1:]}
        self.assertEqual({word for word in named if re.fullmatch(r"[a-z][A-Za-z]*", word)},
                         written)

    def test_every_place_gives_the_same_version(self):
        def first_word_after(prefix, text):
            return re.search(rf"{re.escape(prefix)}(\S+)", text).group(1)

        metainfo = ElementTree.parse(self.share / f"metainfo/{APP_ID}.metainfo.xml")
        changelog = gzip.decompress((self.share / "doc/vandrel/changelog.gz").read_bytes())
        versions = {
            "vandrel-scan --version": run([self.scan, "--version"]).stdout.split()[1],
            "vandrel --version": run([self.prefix / "bin/vandrel", "--version"]).stdout.split()[1],
            "metainfo's newest release": metainfo.find("releases/release").get("version"),
            "Debian changelog": first_word_after("vandrel (", changelog.decode()).rstrip(")"),
        }
        self.assertEqual(set(versions.values()), {versions["vandrel-scan --version"]}, versions)

    def test_icons_have_the_size_of_their_folder(self):
        for size in ICON_SIZES:
            with self.subTest(size=size):
                png = (self.share / f"icons/hicolor/{size}x{size}/apps/{APP_ID}.png").read_bytes()
                self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
                width, height, depth, colour_type = struct.unpack(">IIBB", png[16:26])
                self.assertEqual((width, height, depth, colour_type), (size, size, 8, 6))
        svg = ElementTree.parse(self.share / f"icons/hicolor/scalable/apps/{APP_ID}.svg")
        self.assertEqual(svg.getroot().get("viewBox"), "0 0 64 64")

    def test_window_class_is_the_desktop_entry_startup_class(self):
        entry = configparser.ConfigParser(interpolation=None)
        entry.optionxform = str
        entry.read(self.share / f"applications/{APP_ID}.desktop")
        # The window on a virtual display, which picks a free display number itself.
        server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-nolisten", "tcp"],
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        display = {**os.environ, "DISPLAY": ":" + server.stdout.readline().strip()}
        window = subprocess.Popen([self.prefix / "bin/vandrel"], cwd=self.root, env=display,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            classes = []
            for _attempt in range(300):
                tree = run(["xwininfo", "-root", "-tree"], env=display).stdout
                classes = re.findall(r'\("vandrel" "([^"]*)"\)', tree)
                if classes:
                    break
                time.sleep(0.1)
        finally:
            window.kill()
            window.wait()
            server.terminate()
            server.wait()
        self.assertTrue(classes, "the window did not appear")
        self.assertEqual(set(classes), {entry["Desktop Entry"]["StartupWMClass"]})

if __name__ == "__main__":
    unittest.main()
