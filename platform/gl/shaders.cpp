// The GL renderer's shader texts. Colours travel in the layer's byte order (B, G, R, A in the
// four channels): textures and targets hold the layer's memory as it is, so uploads and reads
// copy bytes, and only the window's copy swaps red and blue back.
#include "gl/shaders.h"

namespace platform::gl {

// Positions come in Direct3D pixels (centres at whole numbers, as GL's are at halves) with
// rhw; the target's rows go in memory order, so row 0 is GL's bottom row and no flip is needed
// until the window. w = 1 / rhw keeps texture and colour perspective-correct.
const char* const kDrawVertexShader = R"(
precision highp float;
uniform vec2 targetSize;
layout(location = 0) in vec4 position;  // x, y, z, rhw
layout(location = 1) in vec4 diffuse;   // B, G, R, A
layout(location = 2) in vec2 texCoord;
out vec4 vDiffuse;
out vec2 vTexCoord;
void main() {
    float w = position.w > 0.0 ? 1.0 / position.w : 1.0;
    vec2 ndc = (position.xy + 0.5) / targetSize * 2.0 - 1.0;
    gl_Position = vec4(ndc * w, (position.z * 2.0 - 1.0) * w, w);
    vDiffuse = diffuse;
    vTexCoord = texCoord;
}
)";

// Stage 0: op codes 2 select arg 1, 3 select arg 2, 4-6 modulate (x1, x2, x4), 7 add,
// 8 add signed, 10 subtract; args 0 diffuse, 2 texture, 3 texture factor, 4 and 5 zero, plus
// the complement (16) and alpha-replicate (32) bits. The operations, arguments and alpha test
// are constants defined in front of the text, one program per combination the game uses, so
// that the compiler leaves only the arithmetic of that combination (a software driver runs
// every branch otherwise).
const char* const kDrawFragmentShader = R"(
precision highp float;
precision highp int;
uniform sampler2D stageTexture;
uniform vec4 textureFactor;
uniform int alphaRef;
const bool hasTexture = HAS_TEXTURE;
const ivec3 colorOp = ivec3(COLOR_OP);  // op, arg1, arg2
const ivec3 alphaOp = ivec3(ALPHA_OP);
const int alphaFunc = ALPHA_FUNC;  // 1 never ... 8 always; 0 no test
in vec4 vDiffuse;
in vec2 vTexCoord;
out vec4 fragColor;

vec4 argument(int arg, vec4 texel) {
    int select = arg & 15;
    vec4 value = vDiffuse;
    if (select == 2) value = texel;
    else if (select == 3) value = textureFactor;
    else if (select == 4 || select == 5) value = vec4(0.0);
    if ((arg & 32) != 0) value = vec4(value.a);
    if ((arg & 16) != 0) value = vec4(1.0) - value;
    return value;
}

vec4 operation(ivec3 op, vec4 texel) {
    vec4 a = argument(op.y, texel);
    if (op.x == 2) return a;
    vec4 b = argument(op.z, texel);
    if (op.x == 3) return b;
    if (op.x == 4) return a * b;
    if (op.x == 5) return clamp(a * b * 2.0, 0.0, 1.0);
    if (op.x == 6) return clamp(a * b * 4.0, 0.0, 1.0);
    if (op.x == 7) return clamp(a + b, 0.0, 1.0);
    if (op.x == 8) return clamp(a + b - 0.5, 0.0, 1.0);
    if (op.x == 10) return clamp(a - b, 0.0, 1.0);
    return vDiffuse;
}

bool passes(int func, int value, int reference) {
    if (func == 1) return false;
    if (func == 2) return value < reference;
    if (func == 3) return value == reference;
    if (func == 4) return value <= reference;
    if (func == 5) return value > reference;
    if (func == 6) return value != reference;
    if (func == 7) return value >= reference;
    return true;
}

void main() {
    vec4 texel = hasTexture ? texture(stageTexture, vTexCoord) : vec4(1.0);
    vec4 color = operation(colorOp, texel);
    color.a = operation(alphaOp, texel).a;
    if (alphaFunc != 0 && !passes(alphaFunc, int(color.a * 255.0 + 0.5), alphaRef)) discard;
    fragColor = color;
}
)";

// A rectangle of the window showing the back buffer, its row 0 at the top.
const char* const kPresentVertexShader = R"(
precision highp float;
out vec2 vTexCoord;
void main() {
    vec2 corner = vec2(float(gl_VertexID & 1), float((gl_VertexID >> 1) & 1));
    vTexCoord = vec2(corner.x, 1.0 - corner.y);
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const kPresentFragmentShader = R"(
precision highp float;
uniform sampler2D frame;
in vec2 vTexCoord;
out vec4 fragColor;
void main() {
    fragColor = vec4(texture(frame, vTexCoord).bgr, 1.0);
}
)";

}  // namespace platform::gl
