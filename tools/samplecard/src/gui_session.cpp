#include "samplecard/gui_session.h"

#include <QGuiApplication>
#include <cstdlib>
#include <stdexcept>

namespace samplecard {

void ensureGuiApplication() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
  if (QCoreApplication::instance())
    throw std::runtime_error("samplecard: painting needs a QGuiApplication");
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  static int argc = 1;
  static char name[] = "samplecard";
  static char* argv[] = {name, nullptr};
  // Deliberately never deleted: it must outlive every painter, including static ones.
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

}  // namespace samplecard
