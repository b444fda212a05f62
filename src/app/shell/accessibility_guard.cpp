#include "app/shell/accessibility_guard.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QLibraryInfo>
#include <QPointer>
#include <QTimer>
#include <QVersionNumber>

namespace dotforge {
namespace {

// Where Qt's bridge puts the program's accessible objects.
constexpr const char* kBusName = "a11y";
constexpr const char* kObjectsPath = "/org/a11y/atspi/accessible";
constexpr const char* kPropertiesInterface = "org.freedesktop.DBus.Properties";
constexpr const char* kRefusal = "Ask for each property with Get: GetAll is not offered";
const QVersionNumber kFixedQt(6, 5);

class PropertiesGuard : public QDBusVirtualObject {
 public:
  explicit PropertiesGuard(QDBusVirtualObject& bridge) : QDBusVirtualObject(&bridge), bridge_(&bridge) {}

  QString introspect(const QString& path) const override { return bridge_ ? bridge_->introspect(path) : QString(); }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
    // Get names an interface and a property, Set adds the value.
    if (message.interface() == kPropertiesInterface && message.arguments().size() < 2) {
      connection.send(message.createErrorReply(QDBusError::NotSupported, kRefusal));
      return true;
    }
    return bridge_ && bridge_->handleMessage(message, connection);
  }

 private:
  QPointer<QDBusVirtualObject> bridge_;
};

void PutGuardInPlace() {
  QDBusConnection bus(kBusName);
  auto* bridge = qobject_cast<QDBusVirtualObject*>(bus.objectRegisteredAt(kObjectsPath));
  if (!bridge || dynamic_cast<PropertiesGuard*>(bridge)) return;
  bus.unregisterObject(kObjectsPath, QDBusConnection::UnregisterTree);
  bus.registerVirtualObject(kObjectsPath, new PropertiesGuard(*bridge), QDBusConnection::SubPath);
}

// Qt turns accessibility on when a client asks for it on the session bus, then
// puts its objects on the accessibility bus in the same call.
class BridgeWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    if (active) QTimer::singleShot(0, QCoreApplication::instance(), PutGuardInPlace);
  }
};

}  // namespace

void GuardAccessibilityBus() {
  if (QLibraryInfo::version() >= kFixedQt) return;
  static BridgeWatch watch;
  QAccessible::installActivationObserver(&watch);
  watch.accessibilityActiveChanged(QAccessible::isActive());
}

}  // namespace dotforge
