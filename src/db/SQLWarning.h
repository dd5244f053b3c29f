#pragma once

#include "platform/ui/SQLWarningView.h"

#include <memory>
#include <string_view>

namespace tarnwick {

// The connection-failure window: what to do when the server cannot be reached, with the
// technical error folded away under "&Details >>".
class TfrmSQLWarning : public ui::ISQLWarningEvents {
public:
    // Made with the details collapsed.
    TfrmSQLWarning();
    TfrmSQLWarning(const TfrmSQLWarning&) = delete;
    TfrmSQLWarning& operator=(const TfrmSQLWarning&) = delete;

    ui::ISQLWarningView& View() { return *view_; }

    void btnDetailClick() override;

private:
    void ShowDetails(bool expanded);

    std::unique_ptr<ui::ISQLWarningView> view_;
};

// Shows the window modally with the error text below the details heading; returns when the
// user closes it.
void ShowSQLWarning(std::string_view text);

} // namespace tarnwick
