#include "app/Game.h"

#include <algorithm>

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
constexpr Bounds kContinueRect{-375, -115, -170, -220};

// A player entering a puzzle stands this far inside its left edge, on the
// bridge's level: where the first puzzle starts the player.
constexpr float kPuzzleStartInset = 100;
constexpr float kPuzzleStartY = 100;
// The closing panel takes no key or click before it has been up this long.
constexpr float kEndingMinSeconds = 0.75f;
constexpr float kBackgroundStartX = 700;

// What the first frame, the title menu, shows; the other pictures finish
// decoding while it is up (Session finishes them after the first frame).
const std::vector<std::string_view> kTitleMenuPictures{"VAPORWICKMENU", "TEXT"};

// Every key the game draws with; each should have a record in the texture list.
const std::vector<std::string_view> kDrawnKeys{
    "BACKGROUND", "ANIMATION",  "ARM",   "STONE",      "WETBLOCK",  "ICEBLOCK",      "HEAVYBOX",
    "RUSTYBOX",   "BUTTONART",  "RISINGDOOR", "TRAPDOOR", "WATERWHEEL", "STEAM",   "WATERSPRAY",
    "ICESPRAY",   "TEXT",       "VAPORWICKMENU", "WATERICON", "STEAMICON", "ICEICON"};

constexpr Vec3 kStartEye{50, 100, -10};
constexpr Vec3 kStartTarget{50, 100, 0};

}  // namespace

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
  textures.reportMissing(kDrawnKeys, kTextureListFile, startDiagnostics);
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
  background->translate(kBackgroundStartX, 450, 0);
  if (options_.progress) savedPuzzle = options_.progress->load(startDiagnostics);
  if (savedPuzzle) savedPuzzle = std::min(*savedPuzzle, static_cast<int>(puzzles.size()) - 1);
  ui->showContinue(savedPuzzle && *savedPuzzle > 0);
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
  winLine = world.winLine;
  puzzles = std::move(world.puzzles);
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
  cameraUp = Vec3(0, 1, 0);
  placeCamera(kStartEye.x, kStartEye.y);
}

void Game::placeCamera(float x, float y) {
  cameraEye = Vec3(x, y, kStartEye.z);
  cameraTarget = Vec3(x, y, kStartTarget.z);
  CameraMatrices m = buildCamera(cameraEye, cameraTarget, cameraUp);
  viewMatrix = m.view;
  projectionMatrix = m.projection;
  viewProj = m.viewProj;
  if (background) placeBackground();
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
  currentPuzzle = 0;
  endingTime = 0;
}

void Game::retryPuzzle() {
  const int index = currentPuzzle;
  resetWorld();
  startAtPuzzle(index);
  ++retries;
  gameState = GameState::Playing;
}

Vec3 Game::puzzleStart(int index) const {
  if (index < 0 || static_cast<std::size_t>(index) >= puzzles.size()) return Vec3(-300, kPuzzleStartY, 0);
  return Vec3(puzzles[index].offset + kPuzzleStartInset, kPuzzleStartY, 0);
}

int Game::puzzleAt(float x) const {
  int index = 0;
  for (std::size_t i = 0; i < puzzles.size(); ++i) {
    if (x >= puzzles[i].offset) index = static_cast<int>(i);
  }
  return index;
}

void Game::startAtPuzzle(int index) {
  if (puzzles.empty()) return;
  index = std::clamp(index, 0, static_cast<int>(puzzles.size()) - 1);
  const Vec3 start = puzzleStart(index);
  const Vec3 at = player->getPosition();
  player->translate(start.x - at.x, start.y - at.y, 0);
  player->updateBounds();
  arm->translate(start.x - at.x, start.y - at.y, 0);
  placeCamera(start.x, start.y);
  currentPuzzle = index;
}

void Game::beginRun(int index) {
  gameState = GameState::Playing;
  playTime = 0;
  retries = 0;
  if (index > 0) startAtPuzzle(index);
}

void Game::trackProgress() {
  currentPuzzle = puzzleAt(player->getPosition().x);
  if (savedPuzzle && currentPuzzle <= *savedPuzzle) return;
  if (currentPuzzle == 0 && !savedPuzzle) return;
  savedPuzzle = currentPuzzle;
  if (options_.progress) options_.progress->save(currentPuzzle, diagnostics);
  ui->showContinue(currentPuzzle > 0);
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
  const bool wasEnding = gameState == GameState::Ending;
  if (gameState == GameState::Playing) {
    playingStep(dt);
  } else if (gameState == GameState::Paused) {
    pausedStep();
  } else if (gameState == GameState::Ending) {
    endingStep(dt);
  }
  // The key or click that closes the ending does not also choose a menu item.
  if (gameState == GameState::Menu && !wasEnding) menuStep(wasMenu);
  keysHeldPrevious = keysHeld;
  leftButtonPrevious = input.isLeftButtonDown();
  ++frame;
}

void Game::playingStep(float dt) {
  playTime += dt;
  const float xBefore = player->getPosition().x;
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
  placeBackground();
  trackProgress();
  if (isPressed(Key::P) || isPressed(Key::Escape)) gameState = GameState::Paused;
  const float winRight = textRightEdge(winLine);
  if (gameState == GameState::Playing && xBefore <= winRight && player->getPosition().x > winRight) {
    gameState = GameState::Ending;
    endingTime = 0;
  }
}

void Game::placeBackground() {
  float x = kBackgroundStartX;
  if (levelWidth != 0) x = (cameraEye.x - backgroundMinX) / levelWidth * backgroundTravel + kBackgroundStartX;
  background->setPosition(x, background->getPosition().y);
}

std::size_t Game::steamParticles() const {
  std::size_t total = 0;
  for (const auto& element : puzzleElements) {
    if (element->getType() == PuzzleElementType::Steamjet) {
      total += static_cast<const Steamjet&>(*element).getEmitter().count();
    }
  }
  return total;
}

void Game::updateElements(float dt) {
  CollisionScene scene{*player, mapElements, puzzleElements, cameraEye};
  // The steam of every jet together stays within kMaxSteamParticles.
  std::size_t steam = steamParticles();
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
      case PuzzleElementType::Steamjet: {
        if (!element.isNearCamera(cameraEye, kScreenWidth)) break;
        auto& jet = static_cast<Steamjet&>(element);
        const std::size_t before = jet.getEmitter().count();
        jet.updateEmitter(dt, true, steam < kMaxSteamParticles ? kMaxSteamParticles - steam : 0);
        steam = steam - before + jet.getEmitter().count();
        break;
      }
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
  } else if (isPressed(Key::T)) {
    retryPuzzle();
  }
}

void Game::endingStep(float dt) {
  endingTime += dt;
  if (endingTime < kEndingMinSeconds) return;
  bool pressed = input.isLeftButtonDown() && !leftButtonPrevious;
  for (int key = 0; key < 256 && !pressed; ++key) pressed = isPressed(key);
  if (!pressed) return;
  resetWorld();
  gameState = GameState::Menu;
}

void Game::menuStep(bool escapeQuits) {
  if (escapeQuits && isPressed(Key::Escape)) quitRequested = true;
  if (!input.isLeftButtonDown()) return;
  Vec3 m = input.mouseWorldPosition(cameraEye);
  if (pointInRect(m, kStartGameRect)) beginRun(0);
  if (pointInRect(m, kInstructionsRect)) {
    ui->showInstructions(true);
    ui->showCredits(false);
  }
  if (pointInRect(m, kCreditsRect)) {
    ui->showInstructions(false);
    ui->showCredits(true);
  }
  if (gameState == GameState::Menu && ui->continueShown && savedPuzzle && pointInRect(m, kContinueRect)) {
    beginRun(*savedPuzzle);
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

PlayState Game::snapshot() const {
  PlayState saved(*this);
  saved.input.setDevices(nullptr);
  return saved;
}

void Game::restore(const PlayState& saved) {
  InputDevices* devices = input.devices();
  PlayState::operator=(saved);
  input.setDevices(devices);
}

void Game::onFocusLost() {
  if (gameState == GameState::Playing) gameState = GameState::Paused;
}

}  // namespace vw
