#include "gui/QtText.h"

#include "platform/core/CodePage.h"

namespace tarnwick::gui {

QString ToQString(std::string_view ansi) { return QString::fromStdU16String(Utf16FromAnsi(ansi)); }

std::string FromQString(const QString& text) { return AnsiFromUtf16(text.toStdU16String()); }

} // namespace tarnwick::gui
