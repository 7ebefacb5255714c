#pragma once

#include <QGuiApplication>

#include <memory>

namespace kf::swf {

// A QGuiApplication for tools that only draw into images: the offscreen platform unless the
// user chose another with QT_QPA_PLATFORM, so no display is needed.
std::unique_ptr<QGuiApplication> makeOffscreenApplication(int& argc, char** argv);

} // namespace kf::swf
