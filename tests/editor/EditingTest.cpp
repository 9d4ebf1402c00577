// Editing: every operation changes the puzzle as an author expects and is
// undone and redone whole; links keep every target before its switch; the
// live check names the element at fault.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "app/Random.h"
#include "editor/Editor.h"
#include "support/TempDataDir.h"
#include "world/PuzzleLoader.h"

namespace vw {
namespace {

// A puzzle with a floor, a door and a button after it, not yet linked; the
// elements' pictures stand centred at (500, -50), (600, 200) and (300, 10).
Editor makeEditor(const test::TempDataDir& dir) {
  PuzzleDocument doc;
  doc.width = 1000;
  doc.elements.push_back(doc.makeElement(findKind("BLOCK"), 500, -50));
  doc.elements.push_back(doc.makeElement(findKind("RISINGDOOR"), 600, 200));
  doc.elements.push_back(doc.makeElement(findKind("PRESSBUTTON"), 300, 10));
  dir.write("puzzle.txt", doc.text());
  Editor editor(dir.path() / "puzzle.txt");
  editor.open();
  return editor;
}

struct Operation {
  const char* name;
  std::function<void(Editor&)> apply;
  std::function<void(const Editor&)> expect;
};

TEST(EditingOperations, EachChangesThePuzzleAndUndoesAndRedoesWholeAndALaterEditDropsTheRedo) {
  const Modifiers free{false, true};
  const Operation cases[] = {
      {"place snaps to the grid",
       [](Editor& e) {
         e.placing = findKind("MOVINGBOX");
         e.press({123, 80}, {});
         e.release({123, 80}, {});
       },
       [](const Editor& e) {
         ASSERT_EQ(e.document.elements.size(), 4u);
         const EditorElement& box = e.document.elements.back();
         EXPECT_STREQ(box.layout().keyword, "MOVINGBOX");
         EXPECT_EQ(box.get(FieldRole::X), 100);
         EXPECT_EQ(box.get(FieldRole::Y), 100);
         EXPECT_NE(box.get(FieldRole::Id), e.document.elements[1].get(FieldRole::Id));
       }},
      {"drag moves the pressed element by whole grid steps",
       [](Editor& e) {
         e.press({300, 10}, {});
         e.drag({380, 80}, {});
         e.release({380, 80}, {});
       },
       [](const Editor& e) {
         EXPECT_EQ(e.document.elements[2].get(FieldRole::X), 400);
         EXPECT_EQ(e.document.elements[2].get(FieldRole::Y), 146);  // its picture stands 46 below the file's y
       }},
      {"a corner handle resizes, off the grid with the modifier, and keeps the opposite corner",
       [free](Editor& e) {
         e.select(0);  // floor 100 x 100 at (500, -50): corners 450..550, -100..0
         e.press({550, 0}, free);
         e.release({650, 20}, free);
       },
       [](const Editor& e) {
         const EditorElement& floor = e.document.elements[0];
         EXPECT_EQ(floor.get(FieldRole::Width), 200);
         EXPECT_EQ(floor.get(FieldRole::Height), 120);
         EXPECT_EQ(floor.get(FieldRole::X), 550);
         EXPECT_EQ(floor.get(FieldRole::Y), -40);
       }},
      {"delete removes every selected element",
       [](Editor& e) {
         e.selection = {0, 2};
         e.deleteSelection();
       },
       [](const Editor& e) {
         ASSERT_EQ(e.document.elements.size(), 1u);
         EXPECT_STREQ(e.document.elements[0].layout().keyword, "RISINGDOOR");
       }},
      {"copy and paste of a linked pair links the copies to each other",
       [](Editor& e) {
         e.document.link(2, 1);
         e.commit();
         e.selection = {1, 2};
         e.copySelection();
         e.paste();
       },
       [](const Editor& e) {
         ASSERT_EQ(e.document.elements.size(), 5u);
         EXPECT_EQ(e.document.targetOf(4), std::optional<std::size_t>(3));
         EXPECT_EQ(e.document.targetOf(2), std::optional<std::size_t>(1));
         EXPECT_EQ(e.document.elements[3].get(FieldRole::X), 650);
       }},
      {"a band drag selects what it touches, then the width changes",
       [](Editor& e) {
         e.press({250, -60}, {});
         e.release({700, 20}, {});
         EXPECT_EQ(e.selection.size(), 2u);  // floor and button, not the door above
         e.document.width = 1200;
         e.commit();
       },
       [](const Editor& e) { EXPECT_EQ(e.document.width, 1200); }},
  };
  for (const Operation& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDataDir dir;
    Editor editor = makeEditor(dir);
    const PuzzleDocument before = editor.document;
    c.apply(editor);
    c.expect(editor);
    const PuzzleDocument after = editor.document;
    EXPECT_NE(after, before);
    // Every undo step changes something: the steps run out where the puzzle began.
    for (int i = 0; i < 5 && editor.undo(); ++i) {
    }
    EXPECT_EQ(editor.document, before);
    EXPECT_FALSE(editor.undo());
    for (int i = 0; i < 5 && editor.redo(); ++i) {
    }
    EXPECT_EQ(editor.document, after);
    // An edit after an undo cannot be redone away.
    ASSERT_TRUE(editor.undo());
    editor.document.width = 1500;
    editor.commit();
    EXPECT_FALSE(editor.redo());
    EXPECT_EQ(editor.document.width, 1500);
  }
}

// The target each switch of the file switches, by keyword and x, as the game loads it.
std::vector<std::string> gameLinks(const PuzzleDocument& doc) {
  Random random(1);
  Diagnostics diagnostics;
  LoadedWorld world = loadPuzzleText("p.txt", doc.text(), random, diagnostics, nullptr);
  std::vector<std::string> out;
  for (const auto& e : world.puzzleElements) {
    if (e->getTarget()) out.push_back(std::to_string(static_cast<int>(e->getPosition().x)) + "->" +
                                      std::to_string(static_cast<int>(e->getTarget()->getPosition().x)));
  }
  std::sort(out.begin(), out.end());
  return out;
}

struct LinkCase {
  const char* name;
  std::vector<std::pair<const char*, int>> elements;  // keyword, x (ids as listed: 1, 2, ...)
  std::vector<std::pair<std::size_t, std::size_t>> links;  // switch, target by original index
  std::vector<std::string> expected;                       // world x of switch -> target
};

TEST(EditingLinks, TargetsComeBeforeTheirSwitchesAndOtherLinksStay) {
  // World x is the file x - 400; buttons stand at their x too.
  const LinkCase cases[] = {
      {"target after the switch is moved before it",
       {{"PRESSBUTTON", 100}, {"RISINGDOOR", 200}},
       {{0, 1}},
       {"-300->-200"}},
      {"a shared id is made unique",
       {{"MOVINGBOX", 100}, {"RISINGDOOR", 200}, {"PRESSBUTTON", 300}, {"TRAPDOOR", 400}, {"WATERWHEEL", 500}},
       {{2, 1}, {4, 0}},
       {"-100->-200", "100->-300"}},
      {"relinking keeps the other switch's link",
       {{"PRESSBUTTON", 100}, {"WATERWHEEL", 200}, {"STEAMJET", 300}, {"RISINGDOOR", 400}},
       {{1, 2}, {0, 3}, {0, 2}},
       {"-200->-100", "-300->-100"}},
  };
  for (const LinkCase& c : cases) {
    SCOPED_TRACE(c.name);
    PuzzleDocument doc;
    for (auto [keyword, x] : c.elements) {
      doc.elements.push_back(doc.makeElement(findKind(keyword), x, 100));
      doc.elements.back().set(FieldRole::Id, 1);  // every switchable element shares one id
    }
    for (auto [sw, target] : c.links) {
      auto position = [&](std::size_t original) {
        for (std::size_t i = 0; i < doc.elements.size(); ++i) {
          if (doc.elements[i].get(FieldRole::X) == c.elements[original].second) return i;
        }
        return std::size_t{0};
      };
      ASSERT_TRUE(doc.link(position(sw), position(target)));
    }
    EXPECT_EQ(gameLinks(doc), c.expected);
  }
}

// A switch names only an earlier element, as the game links it; only a
// button or a wheel links, and only to a box, door, jet or trap door.
TEST(EditingLinks, OnlyAButtonOrWheelLinksToAnEarlierBoxDoorJetOrTrapDoor) {
  PuzzleDocument doc;
  for (const char* k : {"BLOCK", "PRESSBUTTON", "WATERWHEEL", "MOVINGBOX", "RISINGDOOR"}) {
    doc.elements.push_back(doc.makeElement(findKind(k), 0, 0));
  }
  doc.elements[1].set(FieldRole::Target, doc.elements[4].get(FieldRole::Id));
  EXPECT_EQ(doc.targetOf(1), std::nullopt);
  EXPECT_TRUE(gameLinks(doc).empty());
  const PuzzleDocument before = doc;
  EXPECT_FALSE(doc.link(1, 0));  // a block is never a target
  EXPECT_FALSE(doc.link(1, 2));  // nor is a wheel
  EXPECT_FALSE(doc.link(3, 3));  // a box switches nothing
  EXPECT_EQ(doc, before);
}

TEST(EditingCheck, TheCheckerNamesTheBadElementAndClickingSelectsIt) {
  test::TempDataDir dir;
  Editor editor = makeEditor(dir);
  // The unlinked button switches nothing: an error on its line.
  auto found = std::find_if(editor.checks.begin(), editor.checks.end(),
                            [](const Diagnostic& d) { return d.severity == Severity::Error; });
  ASSERT_NE(found, editor.checks.end());
  EXPECT_EQ(editor.document.elementOnLine(found->line), std::optional<std::size_t>(2));
  editor.selection = {2};
  editor.startLinking();
  editor.press({600, 300}, {});  // the door's picture
  for (const Diagnostic& d : editor.checks) EXPECT_NE(d.severity, Severity::Error) << d.format();
  // A box with no size is a warning on its line.
  editor.document.elements.push_back(editor.document.makeElement(findKind("MOVINGBOX"), 200, 100));
  editor.document.elements.back().fields[3] = 0;
  editor.commit();
  bool warned = false;
  for (const Diagnostic& d : editor.checks) warned |= editor.document.elementOnLine(d.line) == std::optional<std::size_t>(3);
  EXPECT_TRUE(warned);
}

}  // namespace
}  // namespace vw
