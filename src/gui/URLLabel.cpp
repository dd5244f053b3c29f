#include "gui/URLLabel.h"

#include "gui/QtText.h"
#include "platform/ui/ApplicationErrors.h"
#include "platform/ui/Toolkit.h"

#include <QMouseEvent>

namespace tarnwick::gui {

TURLLabel::TURLLabel(QWidget* parent) : QLabel(parent), url_(DefaultHelpCentreURL)
{
    setTextFormat(Qt::PlainText);
    setText(ToQString(url_));
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette blue = palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    setPalette(blue);
    setCursor(Qt::PointingHandCursor);
}

std::string TURLLabel::Caption() const { return FromQString(text()); }

void TURLLabel::SetCaption(std::string_view caption) { setText(ToQString(caption)); }

void TURLLabel::SetURL(std::string_view url)
{
    if (url == url_) return;
    if (Caption() == url_) SetCaption(url);
    url_ = url;
    SetHint(url_ + " (Right click to copy this link.)");
}

std::string TURLLabel::Hint() const { return FromQString(toolTip()); }

void TURLLabel::SetHint(std::string_view hint) { setToolTip(ToQString(hint)); }

void TURLLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        ui::CallGuarded([this] { ui::Toolkit().OpenURL(url_); });
    else if (event->button() == Qt::RightButton)
        ui::CallGuarded([this] { ui::Toolkit().CopyToClipboard(url_); });
    QLabel::mouseReleaseEvent(event);
}

} // namespace tarnwick::gui
