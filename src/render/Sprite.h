#pragma once
// Sprite: the base of everything drawn or collided. A textured, axis-aligned
// rectangle placed by a world matrix (scale, then translation in the last
// row), showing one cell of a sprite sheet picked by animation row and frame.
#include <functional>
#include <string>
#include <vector>

#include "physics/Geometry.h"
#include "render/Matrix.h"

namespace vw {

class RenderContext;
class Sprite;
class TextureRegistry;

// Where a copied world's sprite stands for the original's (a game snapshot
// points the copies' links and contacts at the copies with it).
using SpriteMap = std::function<Sprite*(const Sprite*)>;

// Kind tags read by the physics.
enum class SpriteKind { None = 0, Player = 1, MapBlock = 2, PuzzleElement = 3 };

// A sheet cell coordinate as the effect takes it: scale and offset of uv.
struct SheetCell {
  Vec2 uvScale;
  Vec2 uvOffset;
};

// True when the unit quad drawn with wvp (under an orthographic camera)
// reaches into the screen.
bool quadInView(const Matrix& wvp);

class Sprite {
 public:
  Sprite();
  explicit Sprite(std::string key);
  Sprite(std::string key, float width, float height);
  virtual ~Sprite() = default;
  // Copies are made on purpose (a game snapshot clones its world); never assigned.
  Sprite(const Sprite&) = default;
  Sprite& operator=(const Sprite&) = delete;

  virtual void draw(RenderContext& context, const TextureRegistry& textures);
  // Moves the sprite by (dx, dy, dz).
  virtual void translate(float dx, float dy, float dz);
  // Recomputes the stored bounds from position and size and returns them.
  virtual Bounds updateBounds();
  virtual float getFriction() const { return friction; }

  // Re-initialises the sprite: default animation state, new key and size, at the origin.
  void init(const std::string& key, float width, float height);

  void setPosition(float x, float y);
  Vec3 getPosition() const { return translationOf(world); }
  // Rescales the whole world matrix, translation included.
  void setSize(float width, float height);
  const Matrix& getWorldMatrix() const { return world; }
  Bounds getBounds() const { return bounds; }
  // True when x lies in the band from camera x - 700 to camera x + 800 (for a 1000-wide screen).
  bool isNearCamera(Vec3 cameraPosition, int screenWidth) const;

  const std::string& getTextureKey() const { return textureKey; }
  void setTextureKey(const std::string& key) { textureKey = key; }

  void setColumns(float n) { columns = n; }
  void setRows(int n);
  void setFrameCount(int row, float count);
  float getFrameCount(int row) const;
  // Chooses an animation row; the current row again changes nothing.
  void setAnimation(int row);
  void setFacing(float f) { facing = f; }
  void setSheetValue(float v) { sheetValue = v; }
  float getMass() const { return mass; }
  float getColumns() const { return columns; }
  float getRows() const { return rows; }
  int getAnimation() const { return animation; }
  int getFrame() const { return frame; }
  float getWidth() const { return width; }
  float getHeight() const { return height; }
  SpriteKind getKind() const { return kind; }

  // One animation step as a draw takes it (frameDelay draws between steps).
  void stepAnimation();
  // The sheet cell of the current frame, reciprocals cut to five decimals.
  SheetCell sheetCell() const;

  bool visible = true;
  bool frictionSurface = false;
  SpriteKind kind = SpriteKind::None;
  float mass = 0;
  float friction = 0;
  float facing = 1;
  float frameStep = 1;
  int frameDelay = 1;
  int delayCounter = 0;
  bool loop = true;

 protected:
  // Sets the effect values and draws the unit quad with the given cell.
  void drawCell(RenderContext& context, const TextureRegistry& textures, SheetCell cell,
                const Matrix& wvp) const;

  Matrix world{1.0f};
  Bounds bounds;
  std::string textureKey;
  float width = 1;
  float height = 1;
  float columns = 1;
  float rows = 1;
  float sheetValue = 1;
  int animation = 0;
  int frame = 0;
  std::vector<float> frameCounts{1.0f};
};

}  // namespace vw
