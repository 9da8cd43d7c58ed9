// The fragment program of the radial overlay and its one quad.
#include "effects/blur/RadialSumProgram.h"

#include <GL/gl.h>
#include <GL/glext.h>

#include <algorithm>

namespace {

const char* const kVertexSource = R"(#version 120
varying vec2 screen; // 0...1 across the frame, y up
void main() {
    screen = gl_MultiTexCoord0.st;
    gl_Position = ftransform();
}
)";

// Per copy, as llvmpipe's fixed function does it: the texel modulates the copy's colour, the
// result and the alpha are rounded to bytes, blending multiplies them with rounding and adds
// (GL_SRC_ALPHA, GL_ONE); the sum saturates, which for additions of values that are never negative
// is what saturating after each one gives.
const char* const kFragmentSource = R"(#version 120
uniform sampler2D capture;
uniform int copies;
uniform vec2 copy[400]; // x: inset, y: alpha
uniform vec3 colour;
varying vec2 screen;
float toByte(float x) { return floor(clamp(x, 0.0, 1.0) * 255.0 + 0.5); }
float byteProduct(float a, float b) {
    float t = a * b + 128.0;
    return floor((t + floor(t / 256.0)) / 256.0);
}
void main() {
    vec4 sum = vec4(0.0);
    for (int k = 0; k < 400; ++k) {
        if (k >= copies) break;
        float inset = copy[k].x;
        float texel = texture2D(capture, vec2(inset) + screen * (1.0 - 2.0 * inset)).r;
        float a = toByte(copy[k].y);
        sum += vec4(byteProduct(toByte(colour.r * texel), a), byteProduct(toByte(colour.g * texel), a),
                    byteProduct(toByte(colour.b * texel), a), byteProduct(a, a));
    }
    gl_FragColor = min(sum, vec4(255.0)) / 255.0;
}
)";

GLuint compile(GLenum kind, const char* source) {
    const GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok == GL_TRUE) return shader;
    glDeleteShader(shader);
    return 0;
}

bool build(RadialSumProgram& p) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fragment = vertex ? compile(GL_FRAGMENT_SHADER, kFragmentSource) : 0;
    if (!fragment) {
        if (vertex) glDeleteShader(vertex);
        return false;
    }
    p.program = glCreateProgram();
    glAttachShader(p.program, vertex);
    glAttachShader(p.program, fragment);
    glLinkProgram(p.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint ok = GL_FALSE;
    glGetProgramiv(p.program, GL_LINK_STATUS, &ok);
    p.copiesAt = glGetUniformLocation(p.program, "copies");
    p.copyAt = glGetUniformLocation(p.program, "copy");
    p.colourAt = glGetUniformLocation(p.program, "colour");
    p.captureAt = glGetUniformLocation(p.program, "capture");
    if (ok == GL_TRUE && p.copiesAt >= 0 && p.copyAt >= 0 && p.colourAt >= 0 && p.captureAt >= 0)
        return true;
    glDeleteProgram(p.program);
    p.program = 0;
    return false;
}

} // namespace

bool prepareRadialSumProgram(RadialSumProgram& p) {
    if (p.program) return true;
    if (p.failed) return false;
    while (glGetError() != GL_NO_ERROR) {
    }
    p.failed = !build(p);
    while (glGetError() != GL_NO_ERROR) {
    }
    return !p.failed;
}

void drawRadialSum(const RadialSumProgram& p, const RadialCopy* copies, int count, float r, float g,
                   float b) {
    count = std::clamp(count, 0, kMaxRadialCopies);
    glUseProgram(p.program);
    glUniform1i(p.captureAt, 0);
    glUniform1i(p.copiesAt, count);
    glUniform2fv(p.copyAt, count, &copies[0].inset);
    glUniform3f(p.colourAt, r, g, b);
    glBlendFunc(GL_ONE, GL_ONE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(0, 0);
    glTexCoord2f(0, 0);
    glVertex2f(0, 480);
    glTexCoord2f(1, 0);
    glVertex2f(640, 480);
    glTexCoord2f(1, 1);
    glVertex2f(640, 0);
    glEnd();
    glUseProgram(0);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}
