"""What the tests of the installed tree and of the Debian package share: the
files an install must hold, and the build's programs and folders."""
import os
import subprocess
from pathlib import Path

BUILD_DIR = Path(os.environ["VANDREL_BUILD_DIR"])
SOURCE_DIR = Path(os.environ["VANDREL_SOURCE_DIR"])
SCAN_PROGRAM = os.environ["VANDREL_SCAN_PROGRAM"]

APP_ID = "io.github.vandrel.Vandrel"
ICON_SIZES = (16, 32, 48, 64, 128, 256)

# Relative to the prefix.
INSTALLED_FILES = sorted(
    [
        "bin/vandrel",
        "bin/vandrel-scan",
        f"share/applications/{APP_ID}.desktop",
        f"share/metainfo/{APP_ID}.metainfo.xml",
        f"share/icons/hicolor/scalable/apps/{APP_ID}.svg",
        "share/man/man1/vandrel.1.gz",
        "share/man/man1/vandrel-scan.1.gz",
        "share/bash-completion/completions/vandrel-scan",
        "share/zsh/vendor-completions/_vandrel-scan",
        "share/fish/vendor_completions.d/vandrel-scan.fish",
        "share/doc/vandrel/copyright",
        "share/doc/vandrel/changelog.gz",
        "share/vandrel/n-body/ephemeris-files.html",
    ]
    + [f"share/icons/hicolor/{size}x{size}/apps/{APP_ID}.png" for size in ICON_SIZES]
)


def run(command, **options):
    """Runs a command and gives its CompletedProcess, with text output."""
    return subprocess.run([str(part) for part in command], capture_output=True, text=True,
                          **options)
