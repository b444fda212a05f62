#pragma once
// What the views need from the application that hosts them.

#include "app/dialogs/small_dialogs.h"
#include "appcore/application_core.h"
#include "framework/command_target.h"
#include "framework/prompt.h"

class QMenu;
class QWidget;

namespace dotforge {

class ViewHost {
 public:
  virtual ~ViewHost() = default;
  virtual ApplicationCore& Core() = 0;
  virtual Prompt& UserPrompt() = 0;
  // The command target of an open document (Save, Close, downloads).
  virtual CCmdTarget* DocumentTarget(CDocument& document) = 0;
  // The font set table's context menu, routed like the main menu.
  virtual QMenu* BuildContextMenu(QWidget* parent) = 0;
  // Closes a font set at once, without its close check.
  virtual void CloseFontSetWithoutAsking(CDotforgeImportDoc& fontSet) = 0;
  // The reference line values every new editor starts from.
  virtual ReferenceLineSettings& ReferenceLines() = 0;
};

}  // namespace dotforge
