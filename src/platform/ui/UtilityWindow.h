#pragma once

#include "platform/core/Strings.h"

#include <string>
#include <string_view>

namespace tarnwick::ui {

// The lines a text adds to the message area: it breaks at each CR LF, and a break at the
// end leaves an empty last line, as in a memo.
TStringList MessageAreaLinesOf(std::string_view text);

// The two buttons of the utility window.
enum class TWindowButton { btnUpdate, btnClose };

// What the utility window reports to the form that drives it. Every call arrives on the
// window thread through the toolkit's guard.
class IUtilityWindowEvents {
public:
    virtual ~IUtilityWindowEvents() = default;
    // The window is shown for the first time.
    virtual void FormShow() = 0;
    virtual void btnUpdateClick() = 0;
    virtual void btnCloseClick() = 0;
    // A character typed in the window or its message area (27 for Escape).
    virtual void FormKeyPress(char key) = 0;
};

// The one main window: a caption, a read-only message area and the Run and Close buttons.
// Closing it asks the application to end.
class IUtilityWindow {
public:
    virtual ~IUtilityWindow() = default;

    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;

    // The message area. A text with embedded CR LF pairs adds several lines.
    virtual void ClearMessages() = 0;
    virtual void AddMessage(std::string_view text) = 0;
    virtual TStringList MessageLines() const = 0;
    // Replaces one existing line (index from 0) by the lines of the text, so a text with CR LF
    // pairs becomes several lines; EListError when there is no such line.
    virtual void SetMessageLine(int index, std::string_view text) = 0;
    // Draws the message area now, so the user sees it before long work starts.
    virtual void RepaintMessages() = 0;

    virtual bool ButtonEnabled(TWindowButton button) const = 0;
    virtual void SetButtonEnabled(TWindowButton button, bool enabled) = 0;
    virtual std::string ButtonCaption(TWindowButton button) const = 0;
    virtual void SetButtonCaption(TWindowButton button, std::string_view caption) = 0;

    virtual void Show() = 0;
    virtual void Close() = 0;
};

} // namespace tarnwick::ui
