"""The .deb made by CPack: Debian's own tools find no error or warning in it;
unpacked into a scratch root, its launcher gives the player a working tree of
their own and starts the game there, which draws and exits 0 on Escape."""

import glob
import gzip
import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

from harness import BINARY_DIR, GameTestCase, loader_reports


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, timeout=600, **kwargs)


class DebianPackage(GameTestCase):

    def test_package_is_clean_and_runs_from_its_launcher(self):
        made = run("cpack", "-G", "DEB", cwd=BINARY_DIR)
        self.assertEqual(made.returncode, 0, made.stdout + made.stderr)
        deb = sorted(glob.glob(os.path.join(BINARY_DIR, "meadowhop_*.deb")))[-1]
        lint = run("lintian", "--fail-on", "error,warning", deb)
        self.assertEqual((lint.returncode, lint.stdout), (0, ""), lint.stdout + lint.stderr)

        root = tempfile.mkdtemp(prefix="meadowhop-deb-")
        self.addCleanup(shutil.rmtree, root, True)
        run("dpkg-deb", "-x", deb, root, check=True)
        fields = dict(line.split(": ", 1) for line in
                      run("dpkg-deb", "-f", deb, "Depends", "Version", check=True).stdout.splitlines())
        for runtime in ("libglfw3", "libassimp", "libfreetype", "libbullet"):
            self.assertIn(runtime, fields["Depends"])
        # Lintian does not hold the changelog's version to the package's.
        with gzip.open(os.path.join(root, "usr/share/doc/meadowhop/changelog.gz"), "rt") as f:
            self.assertTrue(f.readline().startswith("meadowhop (%s) " % fields["Version"]))
        # What neither Lintian nor the runs below would miss: the manual, the
        # copyright, the game and its data are theirs.
        icons = ["usr/share/icons/hicolor/%dx%d/apps/meadowhop.png" % (n, n) for n in (16, 22, 24, 32, 48, 64, 128, 256)]
        for path in ["usr/share/metainfo/org.example.meadowhop.metainfo.xml", *icons]:
            self.assertTrue(os.path.isfile(os.path.join(root, path)), path)
        desktop = run("desktop-file-validate",
                      os.path.join(root, "usr/share/applications/meadowhop.desktop"))
        self.assertEqual((desktop.returncode, desktop.stdout + desktop.stderr), (0, ""))
        meta = run("appstreamcli", "validate-tree", "--no-net", "--strict", root)
        self.assertEqual(meta.returncode, 0, meta.stdout + meta.stderr)

        # A home with a space in it, and XDG_DATA_HOME empty: ~/.local/share.
        home = os.path.join(root, "home dir")
        os.mkdir(home)
        env = {"HOME": home, "XDG_DATA_HOME": ""}
        launcher = os.path.join(root, "usr/games/meadowhop")
        tree = os.path.join(home, ".local/share/meadowhop")
        game = self.start_game(workdir=home, command=launcher, env=env)
        game.wait_for_window()
        game.wait_for_line(r"^-99\.241615 489\.945679$")
        game.wait_for_drawing(keep_seconds=0, colours=40)
        self.assertEqual(os.readlink("/proc/%d/cwd" % game.proc.pid), os.path.join(tree, "run"))
        self.assertEqual(game.quit_with_escape(), 0)
        self.assertEqual(loader_reports(game.lines)[:5], [])
        self.assertEqual(game.stderr, b"")

        settings = pathlib.Path(tree, "assets/settings.ini")
        installed = pathlib.Path(root, "usr/share/games/meadowhop/assets/settings.ini")
        self.assertFalse(settings.is_symlink())
        self.assertTrue(os.path.islink(os.path.join(tree, "assets/shader")))
        # The film screen's material reads assets/shader/ under the working directory.
        self.assertTrue(os.path.isfile(os.path.join(tree, "run/assets/shader/phongPhong.frag")))
        defaults = installed.read_text()
        settings.write_text(defaults.replace("width = 1024", "width = 800"))

        # A second start keeps the player's edit, and the game reads it.
        again = self.start_game(workdir=home, command=launcher, env=env)
        again.wait_for_window()
        self.assertEqual(again.window_geometry()[0], 800)
        self.assertEqual(again.quit_with_escape(), 0)
        self.assertIn("width = 800", settings.read_text())
        self.assertEqual(installed.read_text(), defaults)

        # No folder can be made under a file: a clear message and status 1.
        blocked = run(launcher, env=dict(os.environ, XDG_DATA_HOME=str(installed)))
        self.assertEqual(blocked.returncode, 1)
        self.assertIn("cannot create the folder", blocked.stderr)


if __name__ == "__main__":
    unittest.main(verbosity=2)
