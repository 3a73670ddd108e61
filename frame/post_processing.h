#pragma once
#include "frame/frame_targets.h"
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
void postProcess(const FrameTargets& targets, const ShaderProgram& gaussProgram, const ShaderProgram& screenProgram,
                 const ScreenQuad& quad, int width, int height, bool blur = true);
