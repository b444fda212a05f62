#pragma once
// The main window's size, position and toolbar layout, kept in the settings store
// between runs.

#include "platform/settings_store.h"

class QMainWindow;

namespace dotforge {

inline constexpr const char* kWindowStateKey = "SOFTWARE\\TALMOR\\DOTFORGE\\Main Window";

// Applies what StoreWindowState kept; a window without stored values keeps its own.
void RestoreWindowState(QMainWindow& window, const SettingsStore& store);
// Writes the window's geometry and toolbar layout into `store` (not to its file).
void StoreWindowState(const QMainWindow& window, SettingsStore& store);

}  // namespace dotforge
