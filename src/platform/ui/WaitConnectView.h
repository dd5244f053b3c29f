#pragma once

#include <string_view>

namespace tarnwick::ui {

class IWaitConnectEvents {
public:
    virtual ~IWaitConnectEvents() = default;
    // STOP pressed.
    virtual void btnAbortClick() = 0;
};

// The borderless "Please wait - connecting..." box of the connection test. Its fixed texts
// (heading, STOP and its hint) are the window's own; the test drives the rest.
class IWaitConnectView {
public:
    virtual ~IWaitConnectView() = default;

    virtual void SetServerCaption(std::string_view caption) = 0;   // lblServer
    virtual void SetDatabaseCaption(std::string_view caption) = 0; // lblDatabase
    virtual void SetTimeCaption(std::string_view caption) = 0;     // lblTime
    virtual void SetAbortVisible(bool visible) = 0;                // btnAbort

    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Visible() const = 0;
    virtual void Repaint() = 0;
};

} // namespace tarnwick::ui
