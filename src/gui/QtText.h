#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace tarnwick::gui {

// Windows-1252 system text to and from Qt's strings.
QString ToQString(std::string_view ansi);
std::string FromQString(const QString& text);

} // namespace tarnwick::gui
