#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "platform/settings_store.h"
#include "platform/trace.h"
#include "support/test_files.h"

namespace dotforge {
namespace {

TEST(SettingsStore, ValuesSurviveSavingAndLoading) {
  test::TempDir dir;
  SettingsStore store(dir / "sub" / "settings.conf");
  const Bytes bytes{0x00, 0xFF, 0x0A};
  store.SetBinary("SOFTWARE\\TALMOR\\DOTFORGE", "Baud Rate", bytes);
  store.SetString("SOFTWARE\\TALMOR\\DOTFORGE", "Import Path", "/home/a b/[x]=y\nz\\");
  ASSERT_TRUE(store.Save());

  SettingsStore loaded(dir / "sub" / "settings.conf");
  ASSERT_TRUE(loaded.Load());
  EXPECT_EQ(loaded.QueryBinary("SOFTWARE\\TALMOR\\DOTFORGE", "Baud Rate"), bytes);
  EXPECT_EQ(loaded.QueryString("SOFTWARE\\TALMOR\\DOTFORGE", "Import Path"), "/home/a b/[x]=y\nz\\");
  // A value is binary or string, never both.
  EXPECT_FALSE(loaded.QueryString("SOFTWARE\\TALMOR\\DOTFORGE", "Baud Rate"));
}

TEST(SettingsStore, DeletedValuesAreGoneAfterSaving) {
  test::TempDir dir;
  SettingsStore store(dir / "settings.conf");
  store.SetString("K", "Keep", "a");
  store.SetString("K", "Drop", "b");
  store.DeleteValue("K", "Drop");
  store.DeleteValue("K", "Never there");
  store.DeleteValue("No key", "Drop");
  ASSERT_TRUE(store.Save());
  SettingsStore loaded(dir / "settings.conf");
  ASSERT_TRUE(loaded.Load());
  EXPECT_EQ(loaded.QueryString("K", "Keep"), "a");
  EXPECT_FALSE(loaded.QueryString("K", "Drop"));
  EXPECT_FALSE(loaded.HasKey("No key"));
}

TEST(SettingsStore, MissingFileIsAnEmptyStore) {
  test::TempDir dir;
  SettingsStore store(dir / "none.conf");
  EXPECT_TRUE(store.Load());
  EXPECT_FALSE(store.HasKey("K"));
}

TEST(SettingsStore, DamagedLinesLoseOnlyTheirOwnValues) {
  SettingsStore store("unused");
  store.FromText("garbage before any key\n[K]\nA=hex:0\nB=hex:zz\nC=hex:01\r\nD=other:1\nE\n[broken\nF=str:lost\n[K]\nG=str:g");
  EXPECT_FALSE(store.QueryBinary("K", "A"));
  EXPECT_FALSE(store.QueryBinary("K", "B"));
  EXPECT_EQ(store.QueryBinary("K", "C"), Bytes{1});
  EXPECT_FALSE(store.QueryString("K", "D"));
  EXPECT_FALSE(store.QueryString("K", "F"));
  EXPECT_EQ(store.QueryString("K", "G"), "g");
}

// Sets an environment variable for the life of the object.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) previous_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedVariable() {
    if (previous_) {
      setenv(name_, previous_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::optional<std::string> previous_;
};

TEST(SettingsStore, DefaultPathFollowsTheEnvironment) {
  {
    ScopedVariable file(kSettingsFileVariable, "/tmp/dotforge-test.conf");
    EXPECT_EQ(SettingsStore::DefaultPath(), "/tmp/dotforge-test.conf");
  }
  ScopedVariable file(kSettingsFileVariable, nullptr);
  ScopedVariable config("XDG_CONFIG_HOME", "/tmp/xdg");
  EXPECT_EQ(SettingsStore::DefaultPath(), "/tmp/xdg/dotforge/settings.conf");
}

TEST(Trace, KeepsEntriesAndWritesTheNamedFile) {
  test::TempDir dir;
  {
    ScopedVariable file(kTraceFileVariable, (dir / "trace.log").c_str());
    ClearTrace();
    Trace("first");
    Trace("second");
  }
  EXPECT_EQ(TraceEntries(), (std::vector<std::string>{"first", "second"}));
  const Bytes file = test::ReadBytes(dir / "trace.log");
  EXPECT_EQ(std::string(file.begin(), file.end()), "first\nsecond\n");
}

}  // namespace
}  // namespace dotforge
