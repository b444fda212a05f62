// The format table against every list made from it or kept beside it: the type
// lists of both file dialogs, the command-line names and extensions, the manual
// page and the bash completion.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "formats/commands/file_dialog_logic.h"
#include "formats/format_table.h"
#include "model/side_format.h"

namespace dotforge {
namespace {

std::string ReadText(const std::string& path) {
  std::ifstream file(std::string(DOTFORGE_SOURCE_DIR) + "/" + path);
  EXPECT_TRUE(file) << path;
  std::ostringstream text;
  text << file.rdbuf();
  return text.str();
}

std::set<std::string> Words(const std::string& text) {
  std::istringstream words(text);
  return {std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
}

std::set<std::string> TableNames(bool writtenOnly) {
  std::set<std::string> names;
  for (const FileFormat& format : FileFormats()) {
    if (!writtenOnly || format.write) names.insert(std::string(format.names.front()));
  }
  return names;
}

std::set<std::string> ReadNames() {
  std::set<std::string> names;
  for (const FileFormat& format : FileFormats()) {
    if (format.read) names.insert(std::string(format.names.front()));
  }
  return names;
}

TEST(FormatTable, EveryFormatIsInEveryListAtItsPosition) {
  const std::vector<FileTypeEntry> imports = ParseTypeList(ImportTypeList());
  const std::vector<FileTypeEntry> exports = ParseTypeList(ExportTypeList());
  EXPECT_EQ(imports.back().text, "All Files (*)");
  EXPECT_EQ(exports.back().text, "All Files (*)");
  for (const FileFormat& format : FileFormats()) {
    SCOPED_TRACE(format.names.front());
    EXPECT_EQ(FindFileFormat(format.format), &format);
    for (const std::string_view name : format.names) EXPECT_EQ(FileFormatByName(name), &format);
    for (const std::string_view extension : format.extensions) {
      EXPECT_EQ(FileFormatByExtension("FONT" + std::string(extension)), &format);
    }
    const int importAt = ImportTypePosition(format.format);
    ASSERT_EQ(importAt > 0, format.importType != nullptr);
    if (importAt > 0) {
      EXPECT_EQ(imports.at(static_cast<std::size_t>(importAt - 1)).text, format.importType);
      EXPECT_EQ(ImportFormatAt(importAt), format.format);
    }
    const int exportAt = ExportTypePosition(format.format);
    ASSERT_EQ(exportAt > 0, format.exportType != nullptr);
    if (exportAt > 0) {
      EXPECT_EQ(exports.at(static_cast<std::size_t>(exportAt - 1)).text, format.exportType);
      EXPECT_EQ(ExportFormatAt(exportAt), format.format);
    }
  }
  EXPECT_EQ(imports.size(), ReadNames().size() + 1);
  EXPECT_EQ(exports.size(), TableNames(true).size() + 1);
}

TEST(FormatTable, FiltersOfTheImportTypes) {
  EXPECT_STREQ(FindFileFormat(kFormatDat)->importType, "Files Data (*.DAT)");
  EXPECT_STREQ(FindFileFormat(kFormat1F26)->importType, "Files 1F26 (*.1F)");
  EXPECT_STREQ(FindFileFormat(kFormatOutline)->importType, "Files TrueType (*.TTF *.OTF *.TTC)");
  EXPECT_STREQ(FindFileFormat(kFormatPsf)->importType, "Files PSF (*.PSF)");
  EXPECT_EQ(FindFileFormat(kFormatCArray + 1), nullptr);
  EXPECT_EQ(FindFileFormat(-1), nullptr);
}

// The completion offers the read names after --from and the written ones after --to.
TEST(FormatTable, BashCompletionOffersTheTablesNames) {
  const std::string completion = ReadText("data/completion/dotforge-cli");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(completion, match, std::regex("local formats=\"([^\"]*)\"")));
  EXPECT_EQ(Words(match[1]), ReadNames());
  ASSERT_TRUE(std::regex_search(completion, match, std::regex("local written=\"([^\"]*)\"")));
  EXPECT_EQ(Words(match[1]), TableNames(true));
}

// The manual page's sentence "The formats are dat, ... and hex ...; the
// extensions .dat, ... tell them in any case." names the table's formats and
// extensions, and no others.
TEST(FormatTable, ManualPageNamesTheTablesFormatsAndExtensions) {
  const std::string page = ReadText("data/man/dotforge-cli.1");
  std::smatch match;
  ASSERT_TRUE(std::regex_search(page, match, std::regex("The formats are ([^;]*); the extensions([^]*?)tell them")));
  std::set<std::string> names;
  const std::string namesText = std::regex_replace(std::string(match[1]), std::regex("\\([^)]*\\)"), "");
  for (std::string word : Words(std::regex_replace(namesText, std::regex(","), " "))) {
    if (word != "and" && word != "the" && word != "bitmap" && word != "fonts") names.insert(word);
  }
  EXPECT_EQ(names, TableNames(false));
  std::set<std::string> extensions;
  const std::string extensionsText = match[2];
  const std::regex extension("\\.[a-z0-9]+");
  for (auto it = std::sregex_iterator(extensionsText.begin(), extensionsText.end(), extension);
       it != std::sregex_iterator(); ++it) {
    if (it->str() != ".gz") extensions.insert(it->str());
  }
  std::set<std::string> tableExtensions;
  for (const FileFormat& format : FileFormats()) {
    tableExtensions.insert(format.extensions.begin(), format.extensions.end());
  }
  EXPECT_EQ(extensions, tableExtensions);
}

}  // namespace
}  // namespace dotforge
