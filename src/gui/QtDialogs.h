#pragma once

#include "platform/ui/Toolkit.h"

#include <QStringList>

#include <optional>
#include <string>
#include <string_view>

namespace tarnwick::gui {

// The single-line input box: caption, prompt above the field, OK and Cancel.
std::optional<std::string> ShowQtInputBox(std::string_view caption, std::string_view prompt,
                                          std::string_view defaultText);

// The save-file dialog. The filter's "description|pattern" pairs become Qt name filters.
std::optional<std::string> ShowQtSaveDialog(const ui::TSaveDialogOptions& options);

// "Text file|*.csv|All|*.*" -> "Text file (*.csv)", "All (*.*)".
QStringList NameFiltersOf(std::string_view filter);

} // namespace tarnwick::gui
