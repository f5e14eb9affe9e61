"""vandrel-scan's completion in bash, zsh and fish: the options that its
--help lists, nothing after a date option, and folders and .txt files for FILE."""
import os
import re
import tempfile
import unittest
from pathlib import Path

from dist_files import BUILD_DIR, SCAN_PROGRAM, run

COMPLETIONS = BUILD_DIR / "dist/completions"
HELP_OPTIONS = sorted(set(re.findall(r"--[a-z][a-z-]*", run([SCAN_PROGRAM, "--help"]).stdout)))
TABLES = ["B.TXT", "a.txt", "folder/"]

BASH_COMPLETE = r"""
source /usr/share/bash-completion/bash_completion
source "$1"
COMP_LINE=$2
read -r -a COMP_WORDS <<< "$3"
[[ $COMP_LINE == *' ' ]] && COMP_WORDS+=('')
COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
COMP_POINT=${#COMP_LINE}
_comp_vandrel_scan
printf '%s\n' "${COMPREPLY[@]}"
"""


class CompletionTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.scratch = tempfile.TemporaryDirectory()
        cls.folder = Path(cls.scratch.name)
        for name in ("a.txt", "B.TXT", "notes.csv", "folder/inner.txt"):
            (cls.folder / name).parent.mkdir(exist_ok=True)
            (cls.folder / name).touch()

    @classmethod
    def tearDownClass(cls):
        cls.scratch.cleanup()

    def test_help_lists_the_options_the_shells_offer(self):
        self.assertEqual(HELP_OPTIONS, ["--end", "--help", "--json", "--least", "--most",
                                        "--passages", "--start", "--sun", "--version"])

    def bash(self, line, words):
        result = run(["bash", "-c", BASH_COMPLETE, "complete", COMPLETIONS / "vandrel-scan.bash",
                      line, words], cwd=self.folder)
        self.assertEqual(result.stderr, "")
        return sorted(filter(None, result.stdout.split("\n")))

    def test_bash(self):
        # bash splits "--start=" at "=" before the completion sees it.
        cases = {
            "options": ("vandrel-scan --", "vandrel-scan --", sorted(HELP_OPTIONS + ["--"])),
            "one option": ("vandrel-scan --js", "vandrel-scan --js", ["--json"]),
            "tables": ("vandrel-scan ", "vandrel-scan", ["B.TXT", "a.txt", "folder"]),
            "tables by name": ("vandrel-scan --json a", "vandrel-scan --json a", ["a.txt"]),
            "in a folder": ("vandrel-scan folder/", "vandrel-scan folder/", ["folder/inner.txt"]),
            "date after --start": ("vandrel-scan --start ", "vandrel-scan --start", []),
            "date after --end=": ("vandrel-scan --end=20", "vandrel-scan --end = 20", []),
            "after a date": ("vandrel-scan --end 2020-Jan-01 ", "vandrel-scan --end 2020-Jan-01",
                             ["B.TXT", "a.txt", "folder"]),
            "no options after --": ("vandrel-scan -- --", "vandrel-scan -- --", []),
        }
        for name, (line, words, expected) in cases.items():
            with self.subTest(name):
                self.assertEqual(self.bash(line, words), expected)

    def test_fish(self):
        cases = {
            "options": ("vandrel-scan --", HELP_OPTIONS),
            "tables": ("vandrel-scan ", TABLES),
            "in a folder": ("vandrel-scan folder/", ["folder/inner.txt"]),
            "date after --start": ("vandrel-scan --start ", []),
            "after a date": ("vandrel-scan --start 2020-Jan-01 ", TABLES),
        }
        for name, (line, expected) in cases.items():
            with self.subTest(name):
                result = run(["fish", "--no-config", "-c",
                              f'source {COMPLETIONS / "vandrel-scan.fish"}; complete -C "{line}"'],
                             cwd=self.folder, env={**os.environ, "HOME": str(self.folder)})
                self.assertEqual(result.stderr, "")
                offered = sorted(line.split("\t")[0] for line in result.stdout.splitlines())
                self.assertEqual(offered, sorted(expected))

    def test_zsh(self):
        cases = {
            "options": ("vandrel-scan --", HELP_OPTIONS),
            "one option": ("vandrel-scan --st", ["--start"]),
            "tables": ("vandrel-scan ", ["B.TXT", "a.txt", "folder"]),
            "in a folder": ("vandrel-scan folder/", ["inner.txt"]),
            "date after --start": ("vandrel-scan --start ", []),
            "after a date": ("vandrel-scan --end 2020-Jan-01 ", ["B.TXT", "a.txt", "folder"]),
        }
        for name, (line, expected) in cases.items():
            with self.subTest(name):
                result = run(["zsh", "-f", Path(__file__).with_name("zsh_complete.zsh"),
                              COMPLETIONS, line], cwd=self.folder, timeout=60,
                             env={**os.environ, "HOME": str(self.folder)})
                self.assertEqual(sorted(result.stdout.splitlines()), sorted(expected))

if __name__ == "__main__":
    unittest.main()
