#pragma once
// A prompt that records every text shown and every dialog opened, in order, and
// answers questions and dialogs from a script. Used by the tests to check exact
// messages. A dialog with no scripted answer left is cancelled.

#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "framework/prompt.h"

namespace dotforge {

class ScriptedPrompt : public Prompt {
 public:
  struct Entry {
    enum class Type { Message, Question, Dialog } type;
    std::string text;  // a dialog's title
    MessageKind kind = MessageKind::Plain;
    Buttons buttons = Buttons::Ok;
  };

  void ShowMessage(std::string_view text, MessageKind kind = MessageKind::Plain) override;
  Answer Ask(std::string_view text, Buttons buttons) override;
  bool RequestCodeEntry(CodeEntryFields& fields, const DialogCheck<CodeEntryFields>& ok) override;
  bool RequestNewFont(NewFontFields& fields, const NewFontDialogLogic& logic) override;
  bool RequestFontProperties(FontPropertiesFields& fields, const DialogCheck<FontPropertiesFields>& ok) override;

  // What the user does in a New Font dialog: pick the font type first (which
  // refreshes the other fields), then type the values given here.
  struct NewFontEdit {
    std::optional<std::int32_t> fontType = std::nullopt;
    std::optional<std::string> fileName = std::nullopt;
    std::optional<std::int32_t> width = std::nullopt;
    std::optional<std::int32_t> height = std::nullopt;
    std::optional<std::string> idOrStart = std::nullopt;
  };
  struct FontPropertiesEdit {
    std::optional<std::int32_t> width = std::nullopt;
    std::optional<std::int32_t> height = std::nullopt;
    std::optional<std::string> fontId = std::nullopt;
  };

  // Dialog answers, one per press of OK after typing the given values; nothing
  // stands for Cancel. An OK the check refuses keeps the dialog open and takes the
  // next answer, as a user correcting a field would; when a dialog's answers run
  // out it is cancelled.
  void QueueCodeEntry(std::optional<std::string> code);
  void QueueNewFont(std::optional<NewFontEdit> edit);
  void QueueFontProperties(std::optional<FontPropertiesEdit> edit);

  // The fields each Font Properties dialog showed when it opened, in order.
  const std::vector<FontPropertiesFields>& OpenedFontProperties() const { return openedFontProperties_; }
  std::optional<ExportDialogAnswer> RunExportFileDialog(const ExportDialogRequest& request) override;
  std::optional<ImportDialogAnswer> RunImportFileDialog(const ImportDialogRequest& request) override;
  std::optional<FontFacesAnswer> RunFontFacesDialog(const FontFacesRequest& request) override;

  // Answers given to the next questions in order; once used up, `fallback` answers.
  void QueueAnswers(std::initializer_list<Answer> answers);
  void SetFallbackAnswer(Answer answer) { fallback_ = answer; }

  // Answers of the next dialogs of each kind in order; nothing scripts a Cancel.
  void QueueExportDialog(std::optional<ExportDialogAnswer> answer) { export_.answers.push_back(std::move(answer)); }
  void QueueImportDialog(std::optional<ImportDialogAnswer> answer) { import_.answers.push_back(std::move(answer)); }
  void QueueFontFacesDialog(std::optional<FontFacesAnswer> answer) { fontFaces_.answers.push_back(answer); }

  // What each dialog was shown with, in order.
  const std::vector<ExportDialogRequest>& ExportRequests() const { return export_.requests; }
  const std::vector<ImportDialogRequest>& ImportRequests() const { return import_.requests; }
  const std::vector<FontFacesRequest>& FontFacesRequests() const { return fontFaces_.requests; }

  const std::vector<Entry>& Entries() const { return entries_; }
  std::vector<std::string> Texts() const;
  void Clear() { entries_.clear(); }

 private:
  template <typename Request, typename Reply>
  struct ScriptedDialog {
    std::deque<std::optional<Reply>> answers;
    std::vector<Request> requests;
  };

  template <typename Request, typename Reply>
  std::optional<Reply> RunDialog(ScriptedDialog<Request, Reply>& dialog, std::string_view title,
                                 const Request& request);

  std::vector<Entry> entries_;
  ScriptedDialog<ExportDialogRequest, ExportDialogAnswer> export_;
  ScriptedDialog<ImportDialogRequest, ImportDialogAnswer> import_;
  ScriptedDialog<FontFacesRequest, FontFacesAnswer> fontFaces_;
  std::deque<Answer> answers_;
  std::deque<std::optional<std::string>> codeEntries_;
  std::deque<std::optional<NewFontEdit>> newFonts_;
  std::deque<std::optional<FontPropertiesEdit>> fontProperties_;
  std::vector<FontPropertiesFields> openedFontProperties_;
  Answer fallback_ = Answer::Yes;
};

}  // namespace dotforge
