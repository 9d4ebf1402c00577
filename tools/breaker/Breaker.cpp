#include "Breaker.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <deque>
#include <memory>
#include <ostream>
#include <random>
#include <unordered_set>

#include "Move.h"
#include "app/KeyCodes.h"
#include "puzzle/RisingDoor.h"
#include "puzzle/Steamjet.h"

namespace vw {

namespace {

// Cells of the coarse key: states whose player and boxes share cells, and
// whose elements, surfaces and met requirements agree, count as one.
constexpr float kPlayerCell = 40;
constexpr float kBoxCell = 40;
constexpr int kDoorSteps = 4;
constexpr int kTrapDoorFramesPerCell = 4;
constexpr int kMaxRolloutMoves = 8;
// One round in this many expands a state with the whole fixed set; the
// others are random rollouts.
constexpr std::uint64_t kBreadthShare = 4;
// Rollouts start from the best of this many states drawn at random.
constexpr int kTournament = 8;

std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
  return hash;
}

std::int64_t cell(float v, float size) { return static_cast<std::int64_t>(std::floor(v / size)); }

int sign(float v) { return (v > 1e-3f) - (v < -1e-3f); }

std::uint64_t stateKey(const Game& game, NeedMask met) {
  const Player& player = *game.player;
  const Vec3 p = player.getPosition();
  const Vec3 v = player.getVelocity();
  std::uint64_t h = mix(0, met);
  h = mix(h, static_cast<std::uint64_t>(cell(p.x, kPlayerCell)));
  h = mix(h, static_cast<std::uint64_t>(cell(p.y, kPlayerCell)));
  const int rising = player.isOnGround() ? 0 : sign(v.y) + 2;
  h = mix(h, static_cast<std::uint64_t>(4 * (sign(v.x) + 1) + rising));
  for (const auto& element : game.puzzleElements) {
    h = mix(h, element->isActive());
    switch (element->getType()) {
      case PuzzleElementType::MovingBlock: {
        const Vec3 b = element->getPosition();
        h = mix(h, static_cast<std::uint64_t>(cell(b.x, kBoxCell)));
        h = mix(h, static_cast<std::uint64_t>(cell(b.y, kBoxCell)));
        break;
      }
      case PuzzleElementType::RisingDoor:
        h = mix(h, static_cast<std::uint64_t>(static_cast<const RisingDoor&>(*element).getProgress() * kDoorSteps));
        break;
      case PuzzleElementType::TrapDoor:
        h = mix(h, static_cast<std::uint64_t>(element->getFrame() / kTrapDoorFramesPerCell));
        break;
      default: break;
    }
  }
  // Wet blocks dry by themselves; only frozen and thawed ones stay.
  for (std::size_t i = 0; i < game.mapElements.size(); ++i) {
    const MapElement& block = *game.mapElements[i];
    if (block.getState() != BlockState::Wet) h = mix(h, i * 2 + (block.getState() == BlockState::Frozen));
  }
  return h;
}

// The first `updates` updates of the steps.
std::vector<ScriptStep> firstUpdates(const std::vector<ScriptStep>& steps, std::uint64_t updates) {
  std::vector<ScriptStep> out;
  for (const ScriptStep& s : steps) {
    if (updates == 0) break;
    out.push_back(s);
    out.back().count = std::min(s.count, updates);
    updates -= out.back().count;
  }
  return out;
}

void append(std::vector<ScriptStep>& to, const std::vector<ScriptStep>& steps) {
  to.insert(to.end(), steps.begin(), steps.end());
}

// About what a saved state holds in memory: a steam jet's thousands of
// puffs weigh most.
std::size_t savedSize(const PuzzleRun::Saved& saved) {
  const GameSnapshot& g = saved.game;
  std::size_t particles = g.player ? g.player->getEmitter().count() : 0;
  for (const auto& element : g.puzzleElements) {
    if (element->getType() == PuzzleElementType::Steamjet) {
      particles += static_cast<const Steamjet&>(*element).getEmitter().count();
    }
  }
  constexpr std::size_t kPerSprite = 512;
  return sizeof(saved) + particles * sizeof(Particle) + (g.mapElements.size() + g.puzzleElements.size()) * kPerSprite;
}

// One state found: how it was reached from its parent, and maybe its save.
struct Node {
  int parent = -1;
  std::vector<ScriptStep> steps;
  std::shared_ptr<const PuzzleRun::Saved> saved;
  std::uint32_t picks = 0;
  float x = 0;
};

// The search for passes without one requirement: every state that meets it
// is dropped, so every pass it finds is a break.
struct Frontier {
  NeedMask target = 0;
  std::vector<Node> nodes;
  std::deque<int> queue;       // breadth: states not yet expanded
  std::deque<int> savedOrder;  // saved states, oldest first
  std::unordered_set<std::uint64_t> seen;
  std::size_t savedBytes = 0;
  float minX = 0;
  float maxX = 0;
};

class Search {
 public:
  Search(const PuzzleSetup& setup, const BreakerOptions& options)
      : setup_(setup), options_(options), run_(setup), rng_(options.seed) {}

  std::optional<BreakerResult> go(std::string& error) {
    const auto started = std::chrono::steady_clock::now();
    if (!run_.start(error)) return std::nullopt;
    const auto root = std::make_shared<const PuzzleRun::Saved>(run_.save());
    const std::size_t needs = setup_.needs.needs.size();
    for (std::size_t i = 0; i < needs; ++i) {
      Frontier f;
      f.target = NeedMask{1} << i;
      Node node;
      node.saved = root;
      node.x = run_.game().player->getPosition().x;
      f.minX = f.maxX = node.x;
      f.nodes.push_back(std::move(node));
      f.queue.push_back(0);
      frontiers_.push_back(std::move(f));
    }
    const std::size_t perFrontier = options_.maxSavedBytes / std::max<std::size_t>(needs, 1);
    for (std::uint64_t round = 0; !frontiers_.empty() && !done(); ++round) {
      Frontier& f = frontiers_[round % frontiers_.size()];
      const std::uint64_t turn = round / frontiers_.size();
      if (turn % kBreadthShare == 0 && !f.queue.empty()) {
        const int node = f.queue.front();
        f.queue.pop_front();
        expand(f, node);
      } else {
        rollout(f);
      }
      forgetOldSaves(f, perFrontier);
      report(round);
    }
    for (const Frontier& f : frontiers_) {
      result_.states += f.nodes.size();
      result_.furthest = std::max(result_.furthest, f.maxX);
    }
    result_.goal = run_.goalX();
    result_.updates = updates_;
    result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result_;
  }

 private:
  bool done() const { return result_.broken || (options_.budget != 0 && updates_ >= options_.budget); }

  void report(std::uint64_t round) {
    if (!options_.progress || round % 2000 != 0) return;
    std::size_t states = 0;
    for (const Frontier& f : frontiers_) states += f.nodes.size();
    *options_.progress << "  " << updates_ << " updates, " << states << " states, " << result_.fairPasses
                       << " fair passes\n";
  }

  // A move that meets the requirement searched without is not worth playing.
  bool meetsAtOnce(const Frontier& f, const Move& move) const {
    if (move.kind != MoveKind::Spray) return false;
    const std::size_t i = static_cast<std::size_t>(std::countr_zero(f.target));
    const Need& need = setup_.needs.needs[i];
    return need.kind == NeedKind::Sprayed && need.power == move.power;
  }

  // Breadth: every move of the fixed set from this state.
  void expand(Frontier& f, int node) {
    for (const Move& move : breadthMoves()) {
      if (done()) return;
      if (meetsAtOnce(f, move)) continue;
      restoreNode(f, node);
      std::vector<ScriptStep> steps = stepsFor(move, run_.game());
      if (playMove(f, node, steps)) continue;
      consider(f, node, std::move(steps));
    }
  }

  // A random run of moves from a state found so far.
  void rollout(Frontier& f) {
    int node = pickNode(f);
    ++f.nodes[node].picks;
    restoreNode(f, node);
    std::vector<ScriptStep> path;  // played since `node`
    const int moves = std::uniform_int_distribution<int>(1, kMaxRolloutMoves)(rng_);
    for (int i = 0; i < moves && !done(); ++i) {
      Move move = randomMove(rng_);
      if (meetsAtOnce(f, move)) continue;
      std::vector<ScriptStep> steps = stepsFor(move, run_.game());
      if (playMove(f, node, steps, path)) return;
      if (run_.observer().met() & f.target) return;
      append(path, steps);
      if (const int added = consider(f, node, path); added >= 0) {
        node = added;
        path.clear();
      }
    }
  }

  // The best of a few states drawn at random: the less often tried and the
  // further right, the better.
  int pickNode(const Frontier& f) {
    std::uniform_int_distribution<std::size_t> any(0, f.nodes.size() - 1);
    const float span = std::max(f.maxX - f.minX, 1.0f);
    auto score = [&f, span](std::size_t n) {
      return 1.0f / std::sqrt(1.0f + static_cast<float>(f.nodes[n].picks)) + 0.5f * (f.nodes[n].x - f.minX) / span;
    };
    std::size_t best = any(rng_);
    for (int i = 0; i < kTournament - 1; ++i) {
      const std::size_t other = any(rng_);
      if (score(other) > score(best)) best = other;
    }
    return static_cast<int>(best);
  }

  // Plays a move in the state reached by `played` from `node`; true when
  // the player got past the goal (and a break, if it is one, ends the search).
  bool playMove(const Frontier& f, int node, const std::vector<ScriptStep>& steps,
                const std::vector<ScriptStep>& played = {}) {
    const std::uint64_t updates = run_.play(steps);
    updates_ += updates;
    if (!run_.passed()) return false;
    if (run_.observer().allMet()) {
      ++result_.fairPasses;
      return true;
    }
    std::vector<ScriptStep> all = pathTo(f, node);
    append(all, played);
    append(all, firstUpdates(steps, updates));
    result_.broken = true;
    result_.unmet = run_.observer().unmet();
    result_.script = scriptText(setup_.seed, all);
    return true;
  }

  // Keeps the state reached as a new node when it still lacks the target
  // and its key is new; returns the node, or -1.
  int consider(Frontier& f, int parent, std::vector<ScriptStep> steps) {
    if (run_.observer().met() & f.target) return -1;
    if (!f.seen.insert(stateKey(run_.game(), run_.observer().met())).second) return -1;
    Node node;
    node.parent = parent;
    node.steps = std::move(steps);
    node.saved = std::make_shared<const PuzzleRun::Saved>(run_.save());
    node.x = run_.game().player->getPosition().x;
    f.minX = std::min(f.minX, node.x);
    f.maxX = std::max(f.maxX, node.x);
    f.savedBytes += savedSize(*node.saved);
    f.nodes.push_back(std::move(node));
    const int index = static_cast<int>(f.nodes.size()) - 1;
    f.savedOrder.push_back(index);
    f.queue.push_back(index);
    return index;
  }

  // Beyond its share of memory the oldest saves go (the root stays); those
  // states are replayed from an older save when they are needed again.
  static void forgetOldSaves(Frontier& f, std::size_t maxBytes) {
    while (f.savedBytes > maxBytes && !f.savedOrder.empty()) {
      Node& oldest = f.nodes[f.savedOrder.front()];
      f.savedOrder.pop_front();
      f.savedBytes -= savedSize(*oldest.saved);
      oldest.saved.reset();
    }
  }

  // Puts the run in the node's state: its save, or its nearest saved
  // ancestor's and the moves since.
  void restoreNode(const Frontier& f, int node) {
    std::vector<int> chain;
    int at = node;
    while (!f.nodes[at].saved) {
      chain.push_back(at);
      at = f.nodes[at].parent;
    }
    run_.restore(*f.nodes[at].saved);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) updates_ += run_.play(f.nodes[*it].steps);
  }

  std::vector<ScriptStep> pathTo(const Frontier& f, int node) const {
    std::vector<int> chain;
    for (int at = node; at >= 0; at = f.nodes[at].parent) chain.push_back(at);
    std::vector<ScriptStep> steps;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) append(steps, f.nodes[*it].steps);
    return steps;
  }

  const PuzzleSetup& setup_;
  const BreakerOptions& options_;
  PuzzleRun run_;
  std::mt19937 rng_;
  std::vector<Frontier> frontiers_;
  std::uint64_t updates_ = 0;
  BreakerResult result_;
};

}  // namespace

std::optional<BreakerResult> findBreak(const PuzzleSetup& setup, const BreakerOptions& options, std::string& error) {
  Search search(setup, options);
  return search.go(error);
}

std::string scriptText(std::uint32_t seed, const std::vector<ScriptStep>& steps) {
  std::string out = "seed " + std::to_string(seed) + "\n";
  std::string previous;
  std::uint64_t count = 0;
  auto flush = [&] {
    if (count > 0) out += std::to_string(count) + previous + "\n";
  };
  for (const ScriptStep& s : steps) {
    std::string line;
    for (int code : s.keys) line += " " + std::string(keyNameForCode(code));
    line += " mouse " + std::to_string(static_cast<int>(s.cursor.x)) + " " + std::to_string(static_cast<int>(s.cursor.y));
    if (s.buttonDown) line += " down";
    if (line != previous) {
      flush();
      previous = line;
      count = 0;
    }
    count += s.count;
  }
  flush();
  return out;
}

}  // namespace vw
