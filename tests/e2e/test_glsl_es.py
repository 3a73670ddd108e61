"""The browser build's shader conversion: every desktop shader becomes GLSL ES
3.00 with high precision, and nothing else in it changes; a shader without
the desktop's version line fails the build."""

import os
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

from harness import SOURCE_DIR

SHADERS = os.path.join(SOURCE_DIR, "assets", "shader")
TOOL = os.path.join(SOURCE_DIR, "tools", "web", "glsl_es.py")


class GlslEs(unittest.TestCase):

    def test_every_shader_is_converted_and_keeps_its_body_and_another_version_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            copy = os.path.join(folder, "shader")
            shutil.copytree(SHADERS, copy)
            subprocess.run([sys.executable, TOOL, copy], check=True)
            names = sorted(n for n in os.listdir(SHADERS) if n.endswith((".vert", ".frag")))
            self.assertGreater(len(names), 0)
            for name in names:
                desktop, es = (pathlib.Path(d, name).read_text().split("\n") for d in (SHADERS, copy))
                self.assertEqual(desktop[0].strip(), "#version 430 core", name)
                self.assertEqual(es[0], "#version 300 es", name)
                self.assertTrue(all(line.startswith("precision highp ") for line in es[1:5]), name)
                # Uniform locations stay for Emscripten's GL layer to number.
                self.assertEqual(es[5:], desktop[1:], name)
            pathlib.Path(folder, "odd.frag").write_text("#version 330 core\nvoid main() {}\n")
            result = subprocess.run([sys.executable, TOOL, folder], stderr=subprocess.PIPE)
            self.assertEqual(result.returncode, 1)
            self.assertIn(b"odd.frag", result.stderr)


if __name__ == "__main__":
    unittest.main()
