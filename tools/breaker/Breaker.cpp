#include "Breaker.h"

#include <bit>
#include <chrono>
#include <cmath>
#include <deque>
#include <queue>
#include <memory>
#include <ostream>
#include <random>
#include <unordered_map>

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
  const PlayState& g = saved.game;
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
  NeedMask met = 0;
  std::uint32_t picks = 0;  // rollouts started from it
  std::uint32_t seen = 0;   // times its cell was reached again
  bool expanded = false;    // tried with every move of the fixed set
  Vec2 at{0};               // where the player stood
};

class Search {
 public:
  Search(const PuzzleSetup& setup, const BreakerOptions& options)
      : setup_(setup), options_(options), run_(setup), rng_(options.seed) {}

  std::optional<BreakerResult> go(std::string& error) {
    const auto started = std::chrono::steady_clock::now();
    if (!run_.start(error)) return std::nullopt;
    if (!run_.observer().allMet()) {
      keep(-1, {});
      search();
    }
    result_.states = nodes_.size();
    result_.updates = updates_;
    result_.furthest = high_.x;
    result_.goal = run_.goalX();
    result_.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    return result_;
  }

 private:
  // Rounds of breadth (one state expanded with every move of the fixed set)
  // among random rollouts, each rollout after a pass without one
  // requirement in turn: it starts from a state that lacks it and ends
  // when it is met, so what it finds is a break.
  void search() {
    const std::size_t needs = setup_.needs.needs.size();
    for (std::uint64_t round = 0; !done(); ++round) {
      if (round % kBreadthShare == 0) {
        const int node = nextToExpand(round / kBreadthShare % 2 == 0);
        if (node >= 0) expand(node);
      } else {
        rollout(NeedMask{1} << (round % needs));
      }
      forgetOldSaves();
      report(round);
    }
  }

  bool done() const { return result_.broken || (options_.budget != 0 && updates_ >= options_.budget); }

  void report(std::uint64_t round) {
    if (!options_.progress || round % 2000 != 0) return;
    *options_.progress << "  " << updates_ << " updates, " << nodes_.size() << " states, " << result_.fairPasses
                       << " fair passes, furthest x " << high_.x << "\n";
  }

  // A move that meets the requirement searched without is not worth playing.
  bool meetsAtOnce(NeedMask target, const Move& move) const {
    if (move.kind != MoveKind::Spray) return false;
    const Need& need = setup_.needs.needs[static_cast<std::size_t>(std::countr_zero(target))];
    return need.kind == NeedKind::Sprayed && need.power == move.power;
  }

  // Breadth: every move of the fixed set from this state.
  void expand(int node) {
    for (const Move& move : breadthMoves()) {
      if (done()) return;
      restoreNode(node);
      std::vector<ScriptStep> steps = stepsFor(move, run_.game());
      if (playMove(node, steps)) continue;
      keep(node, std::move(steps));
    }
  }

  // A random run of moves, without the target, from a state that lacks it.
  void rollout(NeedMask target) {
    int node = pickNode(target);
    if (node < 0) return;
    ++nodes_[node].picks;
    restoreNode(node);
    std::vector<ScriptStep> path;  // played since `node`
    const int moves = std::uniform_int_distribution<int>(1, kMaxRolloutMoves)(rng_);
    for (int i = 0; i < moves && !done(); ++i) {
      Move move = randomMove(rng_);
      if (meetsAtOnce(target, move)) continue;
      std::vector<ScriptStep> steps = stepsFor(move, run_.game());
      if (playMove(node, steps, path)) return;
      append(path, steps);
      const int added = keep(node, path);
      if (run_.observer().met() & target) return;
      if (added >= 0) {
        node = added;
        path.clear();
      }
    }
  }

  // The best of a few states that lack the target, drawn at random; -1
  // when none is found.
  int pickNode(NeedMask target) {
    std::uniform_int_distribution<std::size_t> any(0, nodes_.size() - 1);
    int best = -1;
    for (int draws = 0, found = 0; draws < 8 * kTournament && found < kTournament; ++draws) {
      const std::size_t n = any(rng_);
      if (nodes_[n].met & target) continue;
      ++found;
      if (best < 0 || appeal(nodes_[n]) > appeal(nodes_[static_cast<std::size_t>(best)])) best = static_cast<int>(n);
    }
    return best;
  }

  // How much a state is worth starting from: the less often tried, the more
  // rarely reached (the edge of what has been explored), the further right
  // and higher up, and the more of the requirements met (a way to a pass
  // often needs the others), the better.
  float appeal(const Node& node) const {
    const Vec2 span = glm::max(high_ - low_, Vec2(1));
    const auto needs = static_cast<float>(setup_.needs.needs.size());
    return 1.0f / std::sqrt(1.0f + static_cast<float>(node.picks)) +
           1.0f / std::sqrt(1.0f + static_cast<float>(node.seen)) + (node.at.x - low_.x) / span.x +
           0.25f * (node.at.y - low_.y) / span.y + 0.5f * static_cast<float>(std::popcount(node.met)) / needs;
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

  // Keeps the state reached as a new node when a break can still come of
  // it (something is unmet) and its key is new; returns the node, or -1.
  int keep(int parent, std::vector<ScriptStep> steps) {
    const NeedMask met = run_.observer().met();
    if (run_.observer().allMet()) return -1;
    const auto [cell, isNew] = cells_.try_emplace(stateKey(run_.game(), met), static_cast<int>(nodes_.size()));
    if (!isNew) {
      ++nodes_[cell->second].seen;
      return -1;
    }
    Node node;
    node.parent = parent;
    node.steps = std::move(steps);
    node.met = met;
    const Vec3 p = run_.game().player->getPosition();
    node.at = Vec2(p.x, p.y);
    low_ = nodes_.empty() ? node.at : glm::min(low_, node.at);
    high_ = nodes_.empty() ? node.at : glm::max(high_, node.at);
    nodes_.push_back(std::move(node));
    const int index = static_cast<int>(nodes_.size()) - 1;
    save(index);
    oldest_.push_back(index);
    promising_.emplace(promise(nodes_.back()), index);
    return index;
  }

  // The oldest state not yet expanded, or the most promising; -1 when all are.
  int nextToExpand(bool oldest) {
    while (oldest ? !oldest_.empty() : !promising_.empty()) {
      const int node = oldest ? oldest_.front() : promising_.top().second;
      oldest ? oldest_.pop_front() : promising_.pop();
      if (!nodes_[node].expanded) {
        nodes_[node].expanded = true;
        return node;
      }
    }
    return -1;
  }

  // How far on the way to a pass a state looks: requirements met (a way to
  // a pass often needs them), then how far right and how high the player is.
  float promise(const Node& node) const {
    const float scale = std::max(std::abs(run_.goalX()), 1000.0f);
    return static_cast<float>(std::popcount(node.met)) + 0.5f * node.at.x / scale + 0.25f * node.at.y / scale;
  }

  // Beyond the memory bound the least appealing saves go (the root's
  // stays); those states are replayed from a saved ancestor when needed.
  void forgetOldSaves() {
    while (savedBytes_ > options_.maxSavedBytes && saved_.size() > 1) {
      std::size_t worst = 1;  // saved_[0] is the root
      for (std::size_t i = 2; i < saved_.size(); ++i) {
        if (appeal(nodes_[saved_[i]]) < appeal(nodes_[saved_[worst]])) worst = i;
      }
      Node& node = nodes_[saved_[worst]];
      saved_[worst] = saved_.back();
      saved_.pop_back();
      savedBytes_ -= savedSize(*node.saved);
      node.saved.reset();
    }
  }

  // Puts the run in the node's state: its save, or its nearest saved
  // ancestor's and the moves since (and then saves it again: a state
  // started from once is likely to be started from again).
  void restoreNode(int node) {
    std::vector<int> chain;
    int at = node;
    while (!nodes_[at].saved) {
      chain.push_back(at);
      at = nodes_[at].parent;
    }
    run_.restore(*nodes_[at].saved);
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) updates_ += run_.play(nodes_[*it].steps);
    if (!chain.empty()) save(node);
  }

  void save(int node) {
    nodes_[node].saved = std::make_shared<const PuzzleRun::Saved>(run_.save());
    savedBytes_ += savedSize(*nodes_[node].saved);
    saved_.push_back(node);
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
  // Breadth: the states not yet expanded, in the order found and the most promising first.
  std::deque<int> oldest_;
  std::priority_queue<std::pair<float, int>> promising_;
  std::vector<int> saved_;  // the states with a save, but the root
  std::unordered_map<std::uint64_t, int> cells_;  // key -> the node that holds the cell
  std::size_t savedBytes_ = 0;
  Vec2 low_{0};   // the lowest and left-most player position kept
  Vec2 high_{0};  // the highest and right-most
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
