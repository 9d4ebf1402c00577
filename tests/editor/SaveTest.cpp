// Saving: the file is replaced whole, the previous version is kept, a save
// that fails keeps both the edit and the old file, and what an opened file
// held beyond its elements is only dropped once the author agrees.
#include <gtest/gtest.h>

#include "ReadFile.h"

#include <functional>

#include "editor/Editor.h"
#include "support/TempDataDir.h"

namespace vw {
namespace {

using test::readFile;

const std::string kOld = "1000\n|BLOCK|500|-50|100|1000\n|&\n";

TEST(EditorSave, ANewFileIsUnsavedUntilSavedAndASaveKeepsThePreviousVersion) {
  test::TempDataDir dir;
  Editor fresh(dir.path() / "new.txt");
  fresh.open();
  EXPECT_TRUE(fresh.dirty());
  EXPECT_EQ(fresh.save(false), SaveOutcome::Saved);
  EXPECT_EQ(readFile(dir.path() / "new.txt"), "2000\n|&\n");
  dir.write("p.txt", kOld);
  Editor editor(dir.path() / "p.txt");
  editor.open();
  EXPECT_FALSE(editor.dirty());
  editor.document.width = 1200;
  editor.commit();
  EXPECT_TRUE(editor.dirty());
  EXPECT_EQ(editor.save(false), SaveOutcome::Saved);
  EXPECT_FALSE(editor.dirty());
  EXPECT_EQ(readFile(dir.path() / "p.txt"), "1200\n|BLOCK|500|-50|100|1000\n|&\n");
  EXPECT_EQ(readFile(dir.path() / "p.txt.bak"), kOld);
  // No temporary file is left behind, and the new file got no backup.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 3);
}

struct SaveFault {
  const char* name;
  std::string file;
  std::function<void(const std::filesystem::path& dir)> breakIt;
};

TEST(EditorSave, AFailedSaveKeepsTheEditAndTheOldFile) {
  // A name that fits the folder while the temporary name beside it does not.
  const std::string longName = std::string(250, 'p') + ".txt";
  const SaveFault cases[] = {
      {"the backup cannot be written", "p.txt",
       [](const std::filesystem::path& d) { std::filesystem::create_directory(d / "p.txt.bak"); }},
      {"the temporary file cannot be written", longName, [](const std::filesystem::path&) {}},
  };
  for (const SaveFault& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDataDir dir;
    dir.write(c.file, kOld);
    Editor editor(dir.path() / c.file);
    editor.open();
    editor.document.width = 1500;
    editor.commit();
    c.breakIt(dir.path());
    EXPECT_EQ(editor.save(false), SaveOutcome::Failed);
    EXPECT_NE(editor.status.find(c.file), std::string::npos) << editor.status;
    EXPECT_EQ(readFile(dir.path() / c.file), kOld);
    EXPECT_TRUE(editor.dirty());
    EXPECT_EQ(editor.document.width, 1500);
  }
}

TEST(EditorSave, DroppingWhatCouldNotBeReadNeedsConsent) {
  const std::pair<const char*, std::string> cases[] = {
      {"unknown keyword", "1000\n|LADDER|1|2\n|BLOCK|500|-50|100|1000\n|&\n"},
      {"a directory", ""},
  };
  for (const auto& [name, content] : cases) {
    SCOPED_TRACE(name);
    test::TempDataDir dir;
    if (content.empty()) {
      std::filesystem::create_directory(dir.path() / "p.txt");
    } else {
      dir.write("p.txt", content);
    }
    Editor editor(dir.path() / "p.txt");
    editor.open();
    EXPECT_FALSE(editor.opening.empty());
    EXPECT_EQ(editor.save(false), SaveOutcome::NeedsConfirmation);
    if (content.empty()) continue;  // a directory is never replaced by a save
    EXPECT_EQ(readFile(dir.path() / "p.txt"), content);
    EXPECT_EQ(editor.save(true), SaveOutcome::Saved);
    EXPECT_EQ(readFile(dir.path() / "p.txt"), "1000\n|BLOCK|500|-50|100|1000\n|&\n");
  }
}

}  // namespace
}  // namespace vw
