#include "gl/ShaderProgram.h"

#include <optional>

#include "app/RunFile.h"

namespace vw {

namespace {

std::string shaderLog(GLuint shader) {
  GLint length = 0;
  glGetShaderiv(shader, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) glGetShaderInfoLog(shader, length, nullptr, log.data());
  while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
  return log;
}

std::string programLog(GLuint program) {
  GLint length = 0;
  glGetProgramiv(program, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
  if (length > 0) glGetProgramInfoLog(program, length, nullptr, log.data());
  while (!log.empty() && (log.back() == '\0' || log.back() == '\n')) log.pop_back();
  return log;
}

// Compiles one stage of the file: the version line and the stage's define
// go first, then the file; the #line keeps the log's line numbers the file's.
GLuint compileStage(GLenum stage, const char* define, const std::string& source, const std::string& name,
                    std::string& error) {
  std::string header = std::string(kGlslPreamble) + "#define " + define + "\n#line 1\n";
  const char* parts[] = {header.c_str(), source.c_str()};
  GLuint shader = glCreateShader(stage);
  glShaderSource(shader, 2, parts, nullptr);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    error = name + ": the " + (stage == GL_VERTEX_SHADER ? "vertex" : "fragment") +
            " stage does not compile:\n" + shaderLog(shader);
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

}  // namespace

std::unique_ptr<ShaderProgram> ShaderProgram::load(const std::filesystem::path& file, std::string& error) {
  std::string problem;
  std::optional<std::string> text = readWholeRunFile(file, kMaxShaderFileBytes, problem);
  if (!text) {
    error = shownPath(file) + ": cannot open the shader file (" + problem + ")";
    return nullptr;
  }
  return build(*text, shownPath(file), error);
}

std::unique_ptr<ShaderProgram> ShaderProgram::build(const std::string& source, const std::string& name,
                                                    std::string& error) {
  GLuint vertex = compileStage(GL_VERTEX_SHADER, "VERTEX", source, name, error);
  if (!vertex) return nullptr;
  GLuint fragment = compileStage(GL_FRAGMENT_SHADER, "FRAGMENT", source, name, error);
  if (!fragment) {
    glDeleteShader(vertex);
    return nullptr;
  }
  GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glBindAttribLocation(program, kPositionAttribute, "position");
  glBindAttribLocation(program, kTexCoordAttribute, "texCoord");
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    error = name + ": the shader does not link:\n" + programLog(program);
    glDeleteProgram(program);
    return nullptr;
  }
  std::unique_ptr<ShaderProgram> shader(new ShaderProgram(program));
  shader->gWVP = glGetUniformLocation(program, "gWVP");
  shader->txDiffuse = glGetUniformLocation(program, "txDiffuse");
  shader->uvScale = glGetUniformLocation(program, "uvScale");
  shader->uvOffset = glGetUniformLocation(program, "uvOffset");
  shader->dir = glGetUniformLocation(program, "dir");
  shader->flipV = glGetUniformLocation(program, "flipV");
  if (shader->gWVP < 0 || shader->txDiffuse < 0) {
    error = name + ": the shader has no " + (shader->gWVP < 0 ? "gWVP" : "txDiffuse") +
            " uniform (every sprite is placed by gWVP and drawn from txDiffuse)";
    return nullptr;
  }
  if (glGetAttribLocation(program, "position") != static_cast<GLint>(kPositionAttribute)) {
    error = name + ": the vertex stage has no 'position' input";
    return nullptr;
  }
  return shader;
}

ShaderProgram::~ShaderProgram() {
  if (program_) glDeleteProgram(program_);
}

}  // namespace vw
