#pragma once

#include "platform/core/Strings.h"
#include "platform/ui/MessageDialog.h"

#include <string>
#include <string_view>

namespace tarnwick::ui {

class ISQLWarningEvents {
public:
    virtual ~ISQLWarningEvents() = default;
    virtual void btnDetailClick() = 0;
};

// A hyperlink label: clicking opens URL, a right click copies it (the window does both).
class IURLLabel {
public:
    virtual ~IURLLabel() = default;
    virtual std::string Caption() const = 0;
    virtual void SetCaption(std::string_view caption) = 0;
    virtual std::string URL() const = 0;
    virtual void SetURL(std::string_view url) = 0;
    virtual std::string Hint() const = 0;
    virtual void SetHint(std::string_view hint) = 0;
};

// The modal connection-failure window. Its fixed texts and icon are the window's own; the
// failure logic fills the details box and folds the details panel in and out.
class ISQLWarningView {
public:
    virtual ~ISQLWarningView() = default;

    // errorDetail, the read-only box of the details panel.
    virtual TStringList ErrorDetailLines() const = 0;
    virtual void AddErrorDetail(std::string_view text) = 0;

    virtual std::string DetailButtonCaption() const = 0; // btnDetail
    virtual void SetDetailButtonCaption(std::string_view caption) = 0;
    virtual bool DetailsVisible() const = 0;
    virtual void SetDetailsVisible(bool visible) = 0;

    // Heights in pixels of the window's inner area and its top and button panels.
    virtual int TopPanelHeight() const = 0;
    virtual int ButtonPanelHeight() const = 0;
    virtual int ClientHeight() const = 0;
    virtual void SetClientHeight(int height) = 0;

    virtual IURLLabel& HelpCentreLink() = 0;
    virtual IURLLabel& ContactLink() = 0;

    // Returns when the user closes the window (mrOk from btnOK).
    virtual TModalResult ShowModal() = 0;
};

} // namespace tarnwick::ui
