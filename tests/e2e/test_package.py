"""The .deb made by CPack: unpacked into a scratch folder, its launcher starts
the game, which draws and exits 0 on Escape."""

import glob
import os
import shutil
import subprocess
import tempfile
import unittest

from harness import BINARY_DIR, GameRun, GameTestCase


class DebianPackage(GameTestCase):

    def test_unpacked_package_runs_from_its_launcher(self):
        subprocess.run(["cpack", "-G", "DEB"], cwd=BINARY_DIR, check=True,
                       capture_output=True, timeout=600)
        debs = sorted(glob.glob(os.path.join(BINARY_DIR, "meadowhop_*.deb")))
        self.assertTrue(debs, "cpack made no package")
        root = tempfile.mkdtemp(prefix="meadowhop-deb-")
        self.addCleanup(shutil.rmtree, root, True)
        subprocess.run(["dpkg-deb", "-x", debs[-1], root], check=True, timeout=120)
        info = subprocess.run(["dpkg-deb", "-f", debs[-1], "Depends"], check=True,
                              capture_output=True, text=True).stdout
        for runtime in ("libglfw3", "libassimp", "libfreetype", "libbullet"):
            self.assertIn(runtime, info)
        for path in ("usr/share/applications/meadowhop.desktop",
                     "usr/share/icons/hicolor/128x128/apps/meadowhop.png",
                     "usr/lib/meadowhop/assets/fonts/Raleway-Bold.ttf",
                     "usr/lib/meadowhop/assets/settings.ini"):
            self.assertTrue(os.path.exists(os.path.join(root, path)), path)

        # Started from elsewhere: the launcher finds its own folder.
        run = GameRun(self.display, workdir=root, command=os.path.join(root, "usr/bin/meadowhop"))
        self.runs.append(run)
        run.wait_for_window()
        run.wait_for_line(r"^-99\.241615 489\.945679$")
        self.wait_for_scene(run)
        self.assertEqual(run.quit_with_escape(), 0)
        missing = [l for l in run.lines if "ERROR::ASSIMP" in l or "failed to load" in l]
        self.assertEqual(missing[:5], [])
        self.assertEqual(run.stderr, b"")


if __name__ == "__main__":
    unittest.main(verbosity=2)
