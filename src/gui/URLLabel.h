#pragma once

#include "platform/ui/SQLWarningView.h"

#include <QLabel>

namespace tarnwick::gui {

// The maker's help centre, where a new hyperlink label points until it is told otherwise.
inline constexpr const char* DefaultHelpCentreURL = "https://help.vexholm.example.com/";

// A hyperlink label: blue and underlined, the hand cursor over it; a left click opens URL
// with the desktop's handler, a right click copies it to the clipboard.
class TURLLabel : public QLabel, public ui::IURLLabel {
public:
    explicit TURLLabel(QWidget* parent = nullptr);

    std::string Caption() const override;
    void SetCaption(std::string_view caption) override;
    std::string URL() const override { return url_; }
    // A caption that showed the old address follows the new one; the hint names the address.
    void SetURL(std::string_view url) override;
    std::string Hint() const override;
    void SetHint(std::string_view hint) override;

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    std::string url_;
};

} // namespace tarnwick::gui
