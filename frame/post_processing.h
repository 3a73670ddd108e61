#pragma once
#include <optional>

#include "frame/frame_targets.h"
#include "frame/glow_area.h"
#include "frame/screen_quad.h"
#include "render/shader_program.h"

// Set-up: the composite reads the picture ("map1") on unit 0 and the blurred
// glow ("map2") on unit 1. Leaves no program current.
void prepareScreenProgram(const ShaderProgram& screenProgram);

// After the glow stars: the glow output is shrunk into blur 2, blurred in two
// rounds of a vertical and a horizontal pass, and composited with the picture
// onto the default framebuffer. Leaves the depth test off and unit 1 active
// for the HUD; width and height are the settings' window size. Without blur
// the shrink and the four passes are skipped and the composite reads blur 2
// as it stands (the benchmark measures the blur's cost that way).
// glowArea, when given, holds every window pixel whose glow is not black: the
// shrink and the passes then draw only the texels its blur can reach, and
// none when it is empty. The picture is the same; the blur's cost follows
// the glow's size on screen.
void postProcess(const FrameTargets& targets, const ShaderProgram& gaussProgram, const ShaderProgram& screenProgram,
                 const ScreenQuad& quad, int width, int height, bool blur = true,
                 std::optional<TexelRect> glowArea = std::nullopt);
