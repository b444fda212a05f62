#include <gtest/gtest.h>

#include "formats/export_command.h"
#include "formats/file_dialog_logic.h"
#include "model/side_format.h"
#include "formats/formats_messages.h"
#include "model/model_messages.h"
#include "formats/import_command.h"

namespace dotforge {
namespace {

TEST(FileDialogLogic, TypeListEntries) {
  const std::vector<FileTypeEntry> types = ParseTypeList(ImportTypeList());
  ASSERT_EQ(types.size(), 13u);
  EXPECT_EQ(types[3].text, "Files ST10 (*.C)");
  EXPECT_EQ(types[3].pattern, "*.C");
  EXPECT_EQ(types[3].extension, ".C");
  EXPECT_EQ(types[8].extension, ".TTF");
  // The bitmap font types follow in their SideFormat places.
  EXPECT_EQ(types[kFormatBdf].extension, ".BDF");
  EXPECT_EQ(types[kFormatHex].text, "Files Unifont Hex (*.HEX)");

  std::string many;
  for (int i = 0; i < 25; ++i) many += (i ? "|" : "") + std::string("T (*.X") + std::to_string(i) + ")";
  EXPECT_EQ(ParseTypeList(many).size(), kMaxFileTypes);
  const std::vector<FileTypeEntry> odd = ParseTypeList("No pattern|Open (*.Z");
  ASSERT_EQ(odd.size(), 2u);
  EXPECT_EQ(odd[0].extension, "");
  EXPECT_EQ(odd[1].pattern, "*.Z");
}

TEST(FileDialogLogic, InitialTypeFromTheDefaultName) {
  const std::vector<FileTypeEntry> types = ParseTypeList(ExportTypeList());
  EXPECT_EQ(InitialFileType("FONT.C", types), 4);
  EXPECT_EQ(InitialFileType("LOGO.DSB", types), 2);
  EXPECT_EQ(InitialFileType("LOGO.dsb", types), 1);  // exact case only
  EXPECT_EQ(InitialFileType("LOGO", types), 1);
  EXPECT_EQ(InitialFileType("A.B.DSB", types), 1);  // from the first '.'
}

TEST(FileDialogLogic, ExportDialogState) {
  ExportFileDialogState font(ExportTypeList(), "FONT.C", 16, '2');
  EXPECT_EQ(font.Type(), 4);
  EXPECT_TRUE(font.Controls().dataFormat);
  EXPECT_FALSE(font.Controls().fontId);
  EXPECT_EQ(font.DataWordIndex(), 1);
  EXPECT_EQ(font.FontId(), '2');
  EXPECT_EQ(font.FileBuffer(), "FONT.C");
  EXPECT_EQ(font.FileNameText(), "");

  // A font set made by New Font has no word width yet: 8 bits is offered.
  ExportFileDialogState fresh(ExportTypeList(), "", 0, '0');
  EXPECT_EQ(fresh.DataWordIndex(), 0);
  EXPECT_EQ(fresh.FileBuffer(), "*.DAT");

  font.ChangeType(3);
  EXPECT_EQ(font.FontId(), 52);
  EXPECT_EQ(font.FileNameText(), "*.DDB");
  EXPECT_EQ(font.FileBuffer(), "*.DDB");
  EXPECT_FALSE(font.Controls().dataFormat);
  font.ChangeType(2);
  EXPECT_EQ(font.FontId(), 48);
  EXPECT_TRUE(font.Controls().fontId);
  font.ChangeType(6);
  EXPECT_EQ(font.FileNameText(), "*.ASM");
  font.ChangeType(12);  // not in the list: nothing changes
  EXPECT_EQ(font.Type(), 6);
}

TEST(FileDialogLogic, ExportConfirm) {
  ExportFileDialogState state(ExportTypeList(), "", 8, '0');
  EXPECT_EQ(state.Confirm("ABCDEFGHI.DSB", "48"), std::optional<const char*>(msg::kFileNameTooLong));
  EXPECT_EQ(state.Confirm("ABCDEFGH.DSB", "48"), std::nullopt);
  EXPECT_EQ(state.Confirm("ABCDEFGH", "52"), std::nullopt);
  EXPECT_EQ(state.Confirm("A.DSB", "53"), std::optional<const char*>(msg::kExportFontIdRange));
  // Text that is not a number reads 0; the check holds for every type.
  EXPECT_EQ(state.Confirm("A.DAT", "four"), std::optional<const char*>(msg::kExportFontIdRange));
  EXPECT_EQ(state.FontId(), 0);
  EXPECT_EQ(state.Confirm("A.DAT", " 49 "), std::nullopt);
  EXPECT_EQ(state.FontId(), 49);
  EXPECT_EQ(state.Confirm("A.DAT", "99999999999"), std::optional<const char*>(msg::kExportFontIdRange));
}

TEST(FileDialogLogic, ImportDialogState) {
  ImportFileDialogState state(ImportTypeList(), "LOGO.ST9", 12, 24, 8);
  EXPECT_EQ(state.Type(), 5);
  EXPECT_EQ(state.FileNameText(), "LOGO.ST9");
  const ImportOptionControls st9 = state.Controls();
  EXPECT_FALSE(st9.dataFormat);
  EXPECT_TRUE(st9.width && st9.height);
  state.ChangeType(4);
  EXPECT_TRUE(state.Controls().dataFormat);
  state.ChangeType(9);
  EXPECT_TRUE(state.Controls().width);
  EXPECT_FALSE(state.Controls().dataFormat);
  EXPECT_EQ(state.FileNameText(), "*.TTF");
  for (const int position : {1, 2, 3, 7, 8}) {
    const ImportOptionControls controls = ImportControlsFor(position);
    EXPECT_FALSE(controls.dataFormat || controls.width || controls.height) << position;
  }
  // An outline font with height 0 is accepted here and refused by the command.
  EXPECT_EQ(state.Confirm("12", "0"), std::nullopt);
  state.ChangeType(6);
  EXPECT_EQ(state.Confirm("12", "x"), std::optional<const char*>(msg::kWidthAndHeightZero));
  EXPECT_EQ(state.Confirm("-4", "8"), std::optional<const char*>(msg::kWidthAndHeightZero));
  EXPECT_EQ(state.Confirm("300", "8"), std::optional<const char*>(msg::kCellSizeAbove255));
  EXPECT_EQ(state.Confirm("12", "24"), std::nullopt);
  EXPECT_EQ(state.Width(), 12);
  state.ChangeType(1);
  EXPECT_EQ(state.Confirm("0", "0"), std::nullopt);
}

}  // namespace
}  // namespace dotforge
