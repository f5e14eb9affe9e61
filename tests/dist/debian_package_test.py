"""The Debian package that `make package` builds: its files, its
dependencies, stripped programs, and lintian's verdict."""
import re
import tempfile
import unittest
from pathlib import Path

from dist_files import BUILD_DIR, INSTALLED_FILES, run


class DebianPackageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        folder = Path(cls.scratch.name)
        made = run(["cpack", "-G", "DEB", "-B", folder, "--config", BUILD_DIR / "CPackConfig.cmake"])
        assert made.returncode == 0, made.stdout + made.stderr
        (cls.package,) = folder.glob("vandrel_*.deb")

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def test_files_and_their_modes(self):
        listing = run(["dpkg-deb", "--contents", self.package]).stdout
        files = {}
        for line in listing.splitlines():
            mode, owner, *_, path = line.split()
            if not mode.startswith("d"):
                files[path.removeprefix("./usr/")] = (mode, owner)
        self.assertEqual(sorted(files), INSTALLED_FILES)
        for path, (mode, owner) in files.items():
            with self.subTest(path):
                expected = "-rwxr-xr-x" if path.startswith("bin/") else "-rw-r--r--"
                self.assertEqual((mode, owner), (expected, "root/root"))

    def test_depends_on_the_qt_runtime(self):
        depends = run(["dpkg-deb", "--field", self.package, "Depends"]).stdout
        # Names only: versions, and Debian's t64 renames, follow the build machine.
        names = {re.sub(r"t64$", "", part.split()[0]) for part in depends.split(",")}
        for needed in ("libqt6core6", "libqt6gui6", "libqt6widgets6", "libqt6charts6",
                       "libqt6svg6", "qt6-qpa-plugins",
                       "libstdc++6", "libc6"):
            with self.subTest(needed):
                self.assertIn(needed, names)

    def test_programs_are_stripped(self):
        with tempfile.TemporaryDirectory() as unpacked:
            run(["dpkg-deb", "--extract", self.package, unpacked])
            for program in ("vandrel", "vandrel-scan"):
                with self.subTest(program):
                    sections = run(["readelf", "--section-headers", f"{unpacked}/usr/bin/{program}"])
                    self.assertIn(".text", sections.stdout)
                    self.assertNotIn(".symtab", sections.stdout)
                    self.assertNotIn(".debug_info", sections.stdout)

    def test_lintian_finds_no_error_or_warning(self):
        checked = run(["lintian", "--fail-on", "error,warning", "--tag-display-limit", "0",
                       self.package])
        self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)
        self.assertNotRegex(checked.stdout, r"(?m)^[EW]: ")


if __name__ == "__main__":
    unittest.main()
