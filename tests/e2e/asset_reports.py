"""What the game reports when one file of its asset tree is gone, worked out
from the kind of the file and the tree itself (the materials that name it)."""

import os
import re

from harness import ASSETS

TEXTURE_FAILED = "Texture failed to load at path: "
SKY_FACE_FAILED = "Skybox texture failed to load: "
ASSIMP_ERROR = "ERROR::ASSIMP:: "
SHADER_NOT_READ = "ERROR::SHADER::FILE_NOT_SUCCESFULLY_READ"
COMPILE_ERROR = "ERROR::SHADER_COMPILATION_ERROR of type: "
LINK_ERROR = "ERROR::PROGRAM_LINKING_ERROR of type: PROGRAM"
FONT_FAILED = "ERROR::FREETYPE: Failed to load font"
SETTINGS_LINES = [
    "WARNING: ../assets/settings.ini not found! Using defaults instead.",
    "Failed to load 'settings.ini'",
]

SETTINGS = "settings.ini"
FONT = os.path.join("fonts", "Raleway-Bold.ttf")
FILM_DIR = "frames"
SKY_DIR = os.path.join("objects", "skybox")
# Textures the scene set-up loads by their full path, beside the models.
DIRECT_TEXTURES = {
    os.path.join("objects", "wall", "brickwall.jpg"),
    os.path.join("objects", "wall", "brickwall_normal_test.jpg"),
    os.path.join("objects", "cube", "woodTexture.png"),
    os.path.join("objects", "cube", "cube_specular.png"),
}
IMAGE_EXTENSIONS = (".png", ".jpg", ".jpeg")
# The material slots the model loader takes textures from.
MATERIAL_TEXTURE_KEYS = {"map_kd", "map_ks", "map_bump", "bump", "map_ka"}


def asset_files():
    """Every file of the tree, relative to it, sorted."""
    found = []
    for dirpath, _, filenames in os.walk(ASSETS):
        for name in filenames:
            found.append(os.path.relpath(os.path.join(dirpath, name), ASSETS))
    return sorted(found)


def film_number(rel_file):
    match = re.fullmatch(r"frame(\d+)\.jpg", os.path.basename(rel_file))
    return int(match.group(1)) if match and os.path.dirname(rel_file) == FILM_DIR else None


def film_files():
    """The film's images in playing order."""
    return sorted((f for f in asset_files() if film_number(f) is not None), key=film_number)


def is_fatal(rel_file):
    return rel_file in (SETTINGS, FONT)


def game_path(rel_file):
    return "../assets/" + rel_file.replace(os.sep, "/")


def material_texture_names(mtl_path):
    names = []
    with open(mtl_path, errors="replace") as f:
        for line in f:
            fields = line.split()
            if len(fields) >= 2 and fields[0].lower() in MATERIAL_TEXTURE_KEYS:
                names.append(fields[-1])
    return names


def _materials_naming(rel_file):
    """Materials in the file's own folder whose texture slots name it."""
    folder = os.path.dirname(rel_file)
    name = os.path.basename(rel_file)
    found = []
    for other in os.listdir(os.path.join(ASSETS, folder)):
        if other.endswith(".mtl") and name in material_texture_names(os.path.join(ASSETS, folder, other)):
            found.append(other)
    return found


def expected_reports(rel_file):
    """Regexes: every report of a run without the file matches one of them,
    and each of them matches at least one report."""
    path = game_path(rel_file)
    folder = os.path.dirname(rel_file)
    ext = os.path.splitext(rel_file)[1]
    if rel_file == SETTINGS:
        return [re.escape(line) + "$" for line in SETTINGS_LINES]
    if rel_file == FONT:
        return [re.escape(FONT_FAILED) + "$"]
    if ext in (".vert", ".frag"):
        # Both sources are left empty, whichever file failed.
        return [re.escape(SHADER_NOT_READ) + "$",
                re.escape(COMPILE_ERROR + "VERTEX") + "$",
                re.escape(COMPILE_ERROR + "FRAGMENT") + "$",
                re.escape(LINK_ERROR) + "$"]
    if ext == ".obj":
        return [re.escape(ASSIMP_ERROR) + ".*" + re.escape('"%s"' % path)]
    if ext.lower() in IMAGE_EXTENSIONS:
        if folder == SKY_DIR:
            return [re.escape(SKY_FACE_FAILED + path) + "$"]
        if film_number(rel_file) is not None:
            return [re.escape(TEXTURE_FAILED + path) + "$"]
        expected = []
        if _materials_naming(rel_file):
            # A model's texture is reported by its name in the material.
            expected.append(re.escape(TEXTURE_FAILED + os.path.basename(rel_file)) + "$")
        if rel_file in DIRECT_TEXTURES:
            expected.append(re.escape(TEXTURE_FAILED + path) + "$")
        return expected
    # A missing material leaves the model with the importer's default one:
    # nothing to report. Files the game never opens report nothing either.
    return []


def mismatches(reports, expected, optional=()):
    """Texts describing how the reports differ from the regexes: each expected
    one must match a report, and every report must match one of either list."""
    problems = []
    for pattern in expected:
        if not any(re.search(pattern, r) for r in reports):
            problems.append("missing report /%s/" % pattern)
    for report in reports:
        if not any(re.search(pattern, report) for pattern in list(expected) + list(optional)):
            problems.append("unexpected report %r" % report)
    return problems
