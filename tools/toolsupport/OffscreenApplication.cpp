#include "toolsupport/OffscreenApplication.h"

#include <cstdio>

namespace kf::swf {

namespace {
// Qt's own warnings (a missing XDG_RUNTIME_DIR, font fallbacks) would break the tools'
// promise of one clear line on stderr; only critical messages get through.
void quietMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
}
} // namespace

std::unique_ptr<QGuiApplication> makeOffscreenApplication(int& argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(quietMessageHandler);
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace kf::swf
