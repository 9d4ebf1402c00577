#include "app/Game.h"

#include "app/KeyCodes.h"
#include "physics/Collision.h"
#include "puzzle/Btn.h"
#include "puzzle/MovingBlock.h"
#include "puzzle/Steamjet.h"
#include "render/Camera.h"
#include "world/PuzzleLoader.h"

namespace vw {

namespace {

// The title menu's click rectangles, in world units for the start-up camera.
constexpr Bounds kStartGameRect{-375, -50, 130, 80};
constexpr Bounds kInstructionsRect{-375, 0, 30, -20};
constexpr Bounds kCreditsRect{-375, -175, -70, -120};

// What the first frame, the title menu, shows; the other pictures finish
// decoding while it is up (Session finishes them after the first frame).
const std::vector<std::string_view> kTitleMenuPictures{"VAPORWICKMENU", "TEXT"};

constexpr Vec3 kStartEye{50, 100, -10};
constexpr Vec3 kStartTarget{50, 100, 0};

}  // namespace

const char* gameStateName(GameState state) {
  switch (state) {
    case GameState::Menu: return "Menu";
    case GameState::Playing: return "Playing";
    case GameState::Paused: return "Paused";
  }
  return "Menu";
}

Game::Game(RenderContext& renderContext, InputDevices& devices, GameOptions options, std::optional<AlonePuzzle> alone)
    : context(renderContext),
      textures(renderContext, options.dataDir),
      options_(std::move(options)),
      alone_(std::move(alone)) {
  input.setDevices(&devices);
}

Game::~Game() = default;

bool Game::startUp(Diagnostics& startDiagnostics) {
  random.seed(options_.seed);
  textures.loadTextureList(kTextureListFile, startDiagnostics, kTitleMenuPictures);
  if (loadWorld(startDiagnostics) == 0) {
    startDiagnostics.error(kPuzzleListFile, 0, "no puzzle could be loaded; the game cannot start");
    return false;
  }
  gameState = alone_ ? GameState::Playing : GameState::Menu;
  createPlayer();
  resetCamera();
  context.viewProj = &viewProj;
  ui = std::make_unique<GameMenu>();
  backgroundTravel = (levelWidth - 1000) - 700;
  backgroundMinX = -284;
  const double factor = 3.2f;
  background = std::make_unique<Sprite>("BACKGROUND", static_cast<float>(kScreenWidth * factor),
                                        static_cast<float>(kScreenHeight * factor));
  background->translate(700, 450, 0);
  return true;
}

int Game::loadWorld(Diagnostics& loadDiagnostics) {
  LoadedWorld world = alone_ ? loadPuzzleText(alone_->name, alone_->text, random,
                                                      loadDiagnostics, options_.debug)
                                     : loadPuzzles(options_.dataDir, random, loadDiagnostics, options_.debug);
  for (auto& block : world.mapElements) mapElements.push_back(std::move(block));
  for (auto& element : world.puzzleElements) puzzleElements.push_back(std::move(element));
  levelWidth += world.levelWidth;
  sharedText.addLine(world.winLine);
  return world.puzzleCount;
}

void Game::createPlayer() {
  player = std::make_unique<Player>("ANIMATION", 32, 100, random);
  player->setColumns(18);
  player->setRows(2);
  player->setFrameCount(0, 18);
  player->setFrameCount(1, 18);
  arm = std::make_unique<Sprite>("ARM", 90, 80);
  arm->setColumns(1);
  arm->setRows(20);
  player->setArm(arm.get());
}

void Game::resetCamera() {
  cameraEye = kStartEye;
  cameraTarget = kStartTarget;
  cameraUp = Vec3(0, 1, 0);
  CameraMatrices m = buildCamera(cameraEye, cameraTarget, cameraUp);
  viewMatrix = m.view;
  projectionMatrix = m.projection;
  viewProj = m.viewProj;
}

void Game::resetWorld() {
  levelWidth = 0;
  player.reset();
  mapElements.clear();
  puzzleElements.clear();
  // The win line is added again by the reload; the old one goes.
  sharedText.lines.clear();
  if (loadWorld(diagnostics) == 0) {
    diagnostics.error(kPuzzleListFile, 0, "no puzzle could be loaded on restart; the world is empty");
  }
  createPlayer();
  resetCamera();
}

void Game::showAlone(AlonePuzzle puzzle) {
  alone_ = std::move(puzzle);
  resetWorld();
  gameState = GameState::Playing;
}

void Game::updateGame(float dt) {
  input.read(keysHeld);
  if (isPressed(Key::F3)) showFrameRate = !showFrameRate;
  const bool wasMenu = gameState == GameState::Menu;
  if (gameState == GameState::Playing) {
    playingStep(dt);
  } else if (gameState == GameState::Paused) {
    pausedStep();
  }
  if (gameState == GameState::Menu) menuStep(wasMenu);
  keysHeldPrevious = keysHeld;
  ++frame;
}

void Game::playingStep(float dt) {
  ui->handleHudClick(input.isLeftButtonDown(), input.mouseClientPosition());
  player->sprayBlocked = false;
  if (ui->hudClicked) {
    if (ui->isWaterIconSelected()) {
      player->setPower(Power::Water);
    } else if (ui->isSteamIconSelected()) {
      player->setPower(Power::Steam);
    } else if (ui->isIceIconSelected()) {
      player->setPower(Power::Ice);
    }
    ui->hudClicked = false;
    player->sprayBlocked = true;
  }
  CollisionScene scene{*player, mapElements, puzzleElements, cameraEye};
  collideAll(scene);
  player->update(keysHeld, keysHeldPrevious, input.isLeftButtonDown(), input.mouseWorldPosition(cameraEye), dt);
  collidePlayerWithBlocks(scene);
  collidePlayerWithElements(scene);
  player->resolveContacts();
  if (player->sprayBlocked) ui->showPower(player->getPower());
  updateElements(dt);
  for (auto& block : mapElements) block->update();
  updateCamera();
  float x = 700;
  if (levelWidth != 0) x = (cameraEye.x - backgroundMinX) / levelWidth * backgroundTravel + 700;
  background->setPosition(x, background->getPosition().y);
  if (isPressed(Key::P) || isPressed(Key::Escape)) gameState = GameState::Paused;
}

void Game::updateElements(float dt) {
  CollisionScene scene{*player, mapElements, puzzleElements, cameraEye};
  for (std::size_t i = 0; i < puzzleElements.size(); ++i) {
    PuzzleElement& element = *puzzleElements[i];
    switch (element.getType()) {
      case PuzzleElementType::MovingBlock: {
        auto& box = static_cast<MovingBlock&>(element);
        box.update(dt);
        collideBox(scene, box);
        box.resolveContacts();
        break;
      }
      case PuzzleElementType::Btn: {
        auto& button = static_cast<Btn&>(element);
        if (button.isMomentary() && !button.isPressed() && button.isActive() &&
            !rectsOverlap(button.getBounds(), player->getBounds())) {
          button.deactivate();
        }
        break;
      }
      case PuzzleElementType::Steamjet:
        if (element.isNearCamera(cameraEye, kScreenWidth)) static_cast<Steamjet&>(element).updateEmitter(dt, true);
        break;
      default:
        if (element.isNearCamera(cameraEye, kScreenWidth)) element.update(dt);
        break;
    }
  }
}

void Game::pausedStep() {
  if (isPressed(Key::P) || isPressed(Key::Escape)) gameState = GameState::Playing;
  if (isPressed(Key::R)) {
    gameState = GameState::Menu;
    resetWorld();
  }
}

void Game::menuStep(bool escapeQuits) {
  if (escapeQuits && isPressed(Key::Escape)) quitRequested = true;
  if (!input.isLeftButtonDown()) return;
  Vec3 m = input.mouseWorldPosition(cameraEye);
  if (pointInRect(m, kStartGameRect)) gameState = GameState::Playing;
  if (pointInRect(m, kInstructionsRect)) {
    ui->showInstructions(true);
    ui->showCredits(false);
  }
  if (pointInRect(m, kCreditsRect)) {
    ui->showInstructions(false);
    ui->showCredits(true);
  }
}

void Game::updateCamera() {
  Vec2 d = cameraFollow(player->getWorldMatrix(), viewProj);
  cameraEye += Vec3(d.x, d.y, 0);
  cameraTarget += Vec3(d.x, d.y, 0);
  CameraMatrices m = buildCamera(cameraEye, cameraTarget, cameraUp);
  viewMatrix = m.view;
  projectionMatrix = m.projection;
  viewProj = m.viewProj;
}

void Game::onFocusLost() {
  if (gameState == GameState::Playing) gameState = GameState::Paused;
}

}  // namespace vw
