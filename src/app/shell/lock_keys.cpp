#include "app/shell/lock_keys.h"

#include <QGuiApplication>

#include <X11/XKBlib.h>

namespace dotforge {

std::optional<LockKeyState> ReadLockKeys() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  Display* display = x11 ? x11->display() : nullptr;
  if (!display) return std::nullopt;
  unsigned int indicators = 0;
  if (XkbGetIndicatorState(display, XkbUseCoreKbd, &indicators) != Success) return std::nullopt;
  // The core keyboard's standard indicator order: Caps Lock, Num Lock, Scroll Lock.
  return LockKeyState{(indicators & 0x1) != 0, (indicators & 0x2) != 0, (indicators & 0x4) != 0};
}

}  // namespace dotforge
