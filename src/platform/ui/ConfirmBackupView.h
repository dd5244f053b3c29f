#pragma once

#include "platform/ui/MessageDialog.h"

#include <string>
#include <string_view>

namespace tarnwick::ui {

class IConfirmBackupEvents {
public:
    virtual ~IConfirmBackupEvents() = default;
    // The accept box was ticked or unticked.
    virtual void ckbAcceptClick() = 0;
};

// The modal "Confirm" window for going on without a backup: a message, an accept box and
// the Yes (default), No and Cancel (Escape, close box) buttons.
class IConfirmBackupView {
public:
    virtual ~IConfirmBackupView() = default;

    virtual std::string Message() const = 0; // lbMessage
    virtual void SetMessage(std::string_view text) = 0;
    virtual std::string AcceptCaption() const = 0; // ckbAccept
    virtual void SetAcceptCaption(std::string_view caption) = 0;
    virtual bool AcceptChecked() const = 0;
    virtual bool NoEnabled() const = 0; // btnNo
    virtual void SetNoEnabled(bool enabled) = 0;

    // mrYes, mrNo or mrCancel.
    virtual TModalResult ShowModal() = 0;
};

} // namespace tarnwick::ui
