#pragma once
// The sprite effect on OpenGL: one GLSL file holding a vertex and a fragment
// stage (selected by VERTEX and FRAGMENT defines), compiled and linked at
// start-up, with the locations of its values.
#include "gl/GlApi.h"

#include <filesystem>
#include <memory>
#include <string>

namespace vw {

class ShaderProgram {
 public:
  // Vertex attribute locations the program is linked with.
  static constexpr GLuint kPositionAttribute = 0;
  static constexpr GLuint kTexCoordAttribute = 1;

  // Reads, compiles and links the file; null and a message naming the file
  // (with the compiler's or linker's log) when that fails.
  static std::unique_ptr<ShaderProgram> load(const std::filesystem::path& file, std::string& error);
  // Compiles and links source text; name is used in messages.
  static std::unique_ptr<ShaderProgram> build(const std::string& source, const std::string& name,
                                              std::string& error);
  ~ShaderProgram();
  ShaderProgram(const ShaderProgram&) = delete;
  ShaderProgram& operator=(const ShaderProgram&) = delete;

  GLuint id() const { return program_; }

  // Uniform locations (-1 when the program does not use the value).
  GLint gWVP = -1;
  GLint txDiffuse = -1;
  GLint uvScale = -1;
  GLint uvOffset = -1;
  GLint dir = -1;
  GLint flipV = -1;  // 1 while sampling a render target, whose rows are bottom-up

 private:
  explicit ShaderProgram(GLuint program) : program_(program) {}
  GLuint program_ = 0;
};

}  // namespace vw
