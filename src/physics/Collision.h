#pragma once
// The collision passes: they record what touches the player and the boxes
// (for their own push-outs) and apply presses, shoves, lifts and the effects
// of the spray directly.
#include "player/Player.h"
#include "puzzle/PuzzleElement.h"
#include "world/MapElement.h"

namespace vw {

class MovingBlock;
class Steamjet;

// What the passes work on: the game's player, both lists, and the camera for
// the band that limits the player's and the spray's passes.
struct CollisionScene {
  Player& player;
  MapList& mapElements;
  ElementList& puzzleElements;
  Vec3 cameraEye;
  int screenWidth = 1000;
};

// The full pass, once per playing update before the player moves.
void collideAll(CollisionScene& scene);
void collidePlayerWithBlocks(CollisionScene& scene);
void collidePlayerWithElements(CollisionScene& scene);
void collideBox(CollisionScene& scene, MovingBlock& box);
// Keeps a jet off while anything stands in its column, and lets it back on.
void checkSteamjet(CollisionScene& scene, Steamjet& jet);
void collideSpray(CollisionScene& scene, std::vector<Particle>& particles);

}  // namespace vw
