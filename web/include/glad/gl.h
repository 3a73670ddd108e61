#pragma once
// The web build's stand-in for the generated desktop loader: every source
// includes <glad/gl.h>, so this one header is where the web build picks its GL.
// WebGL 2 is OpenGL ES 3.0, linked directly by Emscripten, with no loader.
// It also bridges the few desktop calls ES 3.0 lacks, so that no source
// outside this folder needs a platform test.
#include <GLES3/gl3.h>

// Nothing to load: the functions are there at link time.
typedef void (*GLADapiproc)(void);
typedef GLADapiproc (*GLADloadfunc)(const char* name);
inline int gladLoadGL(GLADloadfunc) { return 1; }

// WebGL 2 has no polygon mode: the wire-frame toggle still flips and prints,
// the picture stays filled.
#ifndef GL_LINE
#define GL_LINE 0x1B01
#endif
#ifndef GL_FILL
#define GL_FILL 0x1B02
#endif
inline void glPolygonMode(GLenum, GLenum) {}

// ES 3.0 has one colour mask for all outputs: the desktop masks the glow
// output while nothing glows, to spare its writes; here every output keeps
// being written, which leaves the same values.
inline void glColorMaski(GLuint, GLboolean, GLboolean, GLboolean, GLboolean) {}

// ES 3.0 accepts no unsized one- or two-channel internal formats; a desktop
// driver stores those as 8 bits a channel, so ask for that by name.
inline void mhWebTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                            GLint border, GLenum format, GLenum type, const void* pixels) {
    if (type == GL_UNSIGNED_BYTE && internalFormat == GL_RED) internalFormat = GL_R8;
    if (type == GL_UNSIGNED_BYTE && internalFormat == GL_RG) internalFormat = GL_RG8;
    glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
#define glTexImage2D mhWebTexImage2D
