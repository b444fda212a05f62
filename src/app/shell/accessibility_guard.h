#pragma once
// Qt before 6.5 (Debian 12 has 6.4.2) reads two arguments of every
// org.freedesktop.DBus.Properties call made to the program's objects on the
// accessibility bus; a client's GetAll carries one, and the read past it crashes
// the program. Once Qt has put those objects on the bus, a guard takes their
// place: it answers such a call with an error and hands every other message on.

namespace dotforge {

// Watches for Qt's accessibility objects; call once the application object exists.
void GuardAccessibilityBus();

}  // namespace dotforge
