#include "Breaker.h"

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

namespace vw {

namespace {

// Cells of the coarse key: states whose player and boxes share cells, and
// whose elements, surfaces and met requirements agree, count as one.
constexpr float kPlayerCell = 20;
constexpr float kBoxCell = 25;
constexpr int kDoorSteps = 4;
constexpr int kMaxRolloutMoves = 8;

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
  h = mix(h, static_cast<std::uint64_t>(3 * (sign(v.x) + 1) + sign(v.y) + 1));
  h = mix(h, static_cast<std::uint64_t>(player.isOnGround()) * 2 + static_cast<std::uint64_t>(player.getPower()) * 4);
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
      case PuzzleElementType::TrapDoor: h = mix(h, static_cast<std::uint64_t>(element->getFrame())); break;
      default: break;
    }
  }
  for (std::size_t i = 0; i < game.mapElements.size(); ++i) {
    const BlockState state = game.mapElements[i]->getState();
    if (state != BlockState::Normal) h = mix(h, i * 4 + static_cast<std::uint64_t>(state));
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

// One state found: how it was reached from its parent, and maybe its save.
struct Node {
  int parent = -1;
  std::vector<ScriptStep> steps;
  std::unique_ptr<PuzzleRun::Saved> saved;
  std::uint32_t picks = 0;
  float x = 0;
};

class Search {
 public:
  Search(const PuzzleSetup& setup, const BreakerOptions& options)
      : setup_(setup), options_(options), run_(setup), rng_(options.seed) {}

  std::optional<BreakerResult> go(std::string& error) {
    const auto started = std::chrono::steady_clock::now();
    if (!run_.start(error)) return std::nullopt;
    addNode(-1, {});
    queue_.push_back(0);
    for (std::uint64_t round = 0; !done(); ++round) {
      if (round % 2 == 0 && !queue_.empty()) {
        const int node = queue_.front();
        queue_.pop_front();
        expand(node);
      } else {
        rollout();
      }
      report(round);
    }
    result_.states = nodes_.size();
    result_.updates = updates_;
    result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result_;
  }

 private:
  bool done() const { return result_.broken || (options_.budget != 0 && updates_ >= options_.budget); }

  void report(std::uint64_t round) {
    if (!options_.progress || round % 500 != 0) return;
    *options_.progress << "  " << updates_ << " updates, " << nodes_.size() << " states, " << result_.fairPasses
                       << " fair passes\n";
  }

  // Breadth: every move of the fixed set from this state.
  void expand(int node) {
    for (const Move& move : breadthMoves()) {
      if (done()) return;
      restoreNode(node);
      std::vector<ScriptStep> steps = stepsFor(move, run_.game());
      if (playMove(node, steps)) continue;
      consider(node, std::move(steps));
    }
  }

  // A random run of moves from a state found so far.
  void rollout() {
    int node = pickNode();
    ++nodes_[node].picks;
    restoreNode(node);
    std::vector<ScriptStep> path;  // played since `node`
    const int moves = std::uniform_int_distribution<int>(1, kMaxRolloutMoves)(rng_);
    for (int i = 0; i < moves && !done(); ++i) {
      std::vector<ScriptStep> steps = stepsFor(randomMove(rng_), run_.game());
      if (playMove(node, steps, path)) return;
      append(path, steps);
      if (const int added = consider(node, path); added >= 0) {
        node = added;
        path.clear();
      }
    }
  }

  // Half the time any state, else the least tried of a few, the further right the better.
  int pickNode() {
    std::uniform_int_distribution<std::size_t> any(0, nodes_.size() - 1);
    if (std::uniform_int_distribution<int>(0, 1)(rng_) == 0) return static_cast<int>(any(rng_));
    auto score = [this](std::size_t n) {
      return nodes_[n].x / 100.0f - 2.0f * std::sqrt(static_cast<float>(nodes_[n].picks));
    };
    std::size_t best = any(rng_);
    for (int i = 0; i < 7; ++i) {
      const std::size_t other = any(rng_);
      if (score(other) > score(best)) best = other;
    }
    return static_cast<int>(best);
  }

  // Plays a move in the state reached by `played` from `node`; true when
  // the player got past the goal (and a break, if it is one, ends the search).
  bool playMove(int node, const std::vector<ScriptStep>& steps, const std::vector<ScriptStep>& played = {}) {
    const std::uint64_t updates = run_.play(steps);
    updates_ += updates;
    if (!run_.passed()) return false;
    if (run_.observer().allMet()) {
      ++result_.fairPasses;
      return true;
    }
    std::vector<ScriptStep> all = pathTo(node);
    append(all, played);
    append(all, firstUpdates(steps, updates));
    result_.broken = true;
    result_.unmet = run_.observer().unmet();
    result_.script = scriptText(setup_.seed, all);
    return true;
  }

  // Keeps the state reached as a new node when its key is new and a break
  // can still come of it; returns the node, or -1.
  int consider(int parent, std::vector<ScriptStep> steps) {
    if (run_.observer().allMet()) return -1;
    if (!seen_.insert(stateKey(run_.game(), run_.observer().met())).second) return -1;
    const int node = addNode(parent, std::move(steps));
    queue_.push_back(node);
    return node;
  }

  int addNode(int parent, std::vector<ScriptStep> steps) {
    Node node;
    node.parent = parent;
    node.steps = std::move(steps);
    node.saved = std::make_unique<PuzzleRun::Saved>(run_.save());
    node.x = run_.game().player->getPosition().x;
    nodes_.push_back(std::move(node));
    savedOrder_.push_back(static_cast<int>(nodes_.size()) - 1);
    // The root stays saved; the oldest others give theirs up.
    while (savedOrder_.size() > options_.maxSaved) {
      const int oldest = savedOrder_.front();
      savedOrder_.pop_front();
      if (oldest != 0) nodes_[oldest].saved.reset();
    }
    return static_cast<int>(nodes_.size()) - 1;
  }

  // Puts the run in the node's state: its save, or its nearest saved
  // ancestor's and the moves since.
  void restoreNode(int node) {
    std::vector<int> chain;
    int at = node;
    while (!nodes_[at].saved) {
      chain.push_back(at);
      at = nodes_[at].parent;
    }
    run_.restore(*nodes_[at].saved);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) updates_ += run_.play(nodes_[*it].steps);
  }

  std::vector<ScriptStep> pathTo(int node) const {
    std::vector<int> chain;
    for (int at = node; at >= 0; at = nodes_[at].parent) chain.push_back(at);
    std::vector<ScriptStep> steps;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) append(steps, nodes_[*it].steps);
    return steps;
  }

  const PuzzleSetup& setup_;
  const BreakerOptions& options_;
  PuzzleRun run_;
  std::mt19937 rng_;
  std::vector<Node> nodes_;
  std::deque<int> queue_;
  std::deque<int> savedOrder_;
  std::unordered_set<std::uint64_t> seen_;
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
