#include <gtest/gtest.h>

#include <sstream>

#include "cli/cli_prompt.h"
#include "model/code_entry.h"
#include "model/font_properties.h"
#include "model/new_font.h"

namespace dotforge::cli {
namespace {

TEST(CliPrompt, DialogsAreConfirmedOnceWithTheirOpeningValues) {
  std::ostringstream err;
  CliPrompt prompt(err);
  const auto fontProperties = RunFontPropertiesDialog(0, 12, 24, 224, '1', prompt);
  ASSERT_TRUE(fontProperties.has_value());
  EXPECT_EQ(fontProperties->width, 12);
  EXPECT_EQ(fontProperties->fontId, '1');
  EXPECT_EQ(err.str(), "Font Properties [OK]\n");
}

TEST(CliPrompt, RefusedFieldsCountAsCancel) {
  std::ostringstream err;
  CliPrompt prompt(err);
  // Both dialogs open with fields their checks refuse: an empty code and no file name.
  EXPECT_FALSE(RunCodeEntryDialog(0, prompt).has_value());
  EXPECT_FALSE(RunNewFontDialog(prompt).has_value());
  EXPECT_EQ(err.str(),
            "Error : Not a valid Hex value\nError: Valid range [20 - FF]\nCharacter Position [Cancel]\n"
            "Enter Filename\nNew Font [Cancel]\n");
  EXPECT_EQ(prompt.MessageCount(), 3);
}

}  // namespace
}  // namespace dotforge::cli
