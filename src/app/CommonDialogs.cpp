#include "app/CommonDialogs.h"

#include "platform/core/ScopeGuard.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

using ui::TMsgDlgBtn;

std::string EscapeAmpersands(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size() + 8);
    for (std::size_t i = 0; i < text.size(); ++i) {
        escaped += text[i];
        if (text[i] != '&') continue;
        if (i + 1 < text.size() && text[i + 1] == '&')
            escaped += text[++i];
        else
            escaped += '&';
    }
    return escaped;
}

TModalResult ShowMessageBox(std::string_view text, TMsgDlgType kind, TMsgDlgButtons buttons, int helpContext)
{
    ui::IToolkit& toolkit = ui::Toolkit();
    const ui::TCursor remembered = toolkit.Cursor();
    toolkit.SetCursor(ui::TCursor::crDefault);
    const ScopeGuard restore([&] { toolkit.SetCursor(remembered); });

    ui::TMessageBoxRequest box;
    box.Text = EscapeAmpersands(text);
    box.Kind = kind;
    box.Buttons = buttons;
    if (helpContext != 0) box.Buttons.Include(TMsgDlgBtn::mbHelp);
    box.HelpContext = helpContext;
    return toolkit.MessageBox(box);
}

TModalResult ShowErrorBox(std::string_view text, int helpContext)
{
    return ShowMessageBox(text, TMsgDlgType::mtError, {TMsgDlgBtn::mbOK}, helpContext);
}

TModalResult ShowInfoBox(std::string_view text)
{
    return ShowMessageBox(text, TMsgDlgType::mtInformation, {TMsgDlgBtn::mbOK}, 0);
}

TModalResult ShowWarningBox(std::string_view text)
{
    return ShowMessageBox(text, TMsgDlgType::mtWarning, {TMsgDlgBtn::mbOK}, 0);
}

TModalResult AskYesNo(std::string_view text)
{
    return ShowMessageBox(text, TMsgDlgType::mtConfirmation, {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo}, 0);
}

TModalResult AskYesNoCancel(std::string_view text)
{
    ui::TMessageBoxRequest box;
    box.Text = EscapeAmpersands(text);
    box.Kind = TMsgDlgType::mtConfirmation;
    box.Buttons = {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel};
    return ui::Toolkit().MessageBox(box);
}

} // namespace tarnwick
