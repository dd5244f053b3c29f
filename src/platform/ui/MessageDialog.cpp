#include "platform/ui/MessageDialog.h"

namespace tarnwick::ui {

std::string StandardCaption(TMsgDlgType kind)
{
    switch (kind) {
    case TMsgDlgType::mtWarning:
        return "Warning";
    case TMsgDlgType::mtError:
        return "Error";
    case TMsgDlgType::mtInformation:
        return "Information";
    case TMsgDlgType::mtConfirmation:
        return "Confirm";
    case TMsgDlgType::mtCustom:
        return "";
    }
    return "";
}

std::string ButtonCaption(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return "&Yes";
    case TMsgDlgBtn::mbNo:
        return "&No";
    case TMsgDlgBtn::mbOK:
        return "OK";
    case TMsgDlgBtn::mbCancel:
        return "Cancel";
    case TMsgDlgBtn::mbHelp:
        return "&Help";
    }
    return "";
}

std::string CaptionOf(const TMessageBoxRequest& request)
{
    return request.Caption ? *request.Caption : StandardCaption(request.Kind);
}

std::optional<TMsgDlgBtn> DefaultButtonOf(TMsgDlgButtons buttons)
{
    for (const TMsgDlgBtn button : {TMsgDlgBtn::mbOK, TMsgDlgBtn::mbYes})
        if (buttons.Contains(button)) return button;
    return std::nullopt;
}

std::optional<TMsgDlgBtn> EscapeButtonOf(TMsgDlgButtons buttons)
{
    for (const TMsgDlgBtn button : {TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK})
        if (buttons.Contains(button)) return button;
    return std::nullopt;
}

TModalResult ModalResultOf(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return mrYes;
    case TMsgDlgBtn::mbNo:
        return mrNo;
    case TMsgDlgBtn::mbOK:
        return mrOk;
    case TMsgDlgBtn::mbCancel:
        return mrCancel;
    case TMsgDlgBtn::mbHelp:
        return mrNone;
    }
    return mrNone;
}

} // namespace tarnwick::ui
