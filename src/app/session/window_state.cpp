#include "app/session/window_state.h"

#include <QByteArray>
#include <QMainWindow>

namespace dotforge {
namespace {

constexpr const char* kGeometry = "Geometry";
constexpr const char* kToolbars = "Toolbars";

QByteArray ToQt(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

Bytes FromQt(const QByteArray& bytes) {
  const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
  return Bytes(data, data + bytes.size());
}

}  // namespace

void RestoreWindowState(QMainWindow& window, const SettingsStore& store) {
  // Qt checks both blocks and ignores one that does not fit.
  if (const std::optional<Bytes> geometry = store.QueryBinary(kWindowStateKey, kGeometry)) {
    window.restoreGeometry(ToQt(*geometry));
  }
  if (const std::optional<Bytes> toolbars = store.QueryBinary(kWindowStateKey, kToolbars)) {
    window.restoreState(ToQt(*toolbars));
  }
}

void StoreWindowState(const QMainWindow& window, SettingsStore& store) {
  store.CreateKey(kWindowStateKey);
  store.SetBinary(kWindowStateKey, kGeometry, FromQt(window.saveGeometry()));
  store.SetBinary(kWindowStateKey, kToolbars, FromQt(window.saveState()));
}

}  // namespace dotforge
