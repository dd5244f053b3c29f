#include "gui/QtMessageBox.h"

#include "gui/QtText.h"
#include "platform/ui/Accelerators.h"

#include <QMessageBox>
#include <QPushButton>

#include <map>

namespace tarnwick::gui {

using ui::TMsgDlgBtn;

namespace {

QMessageBox::Icon IconOf(ui::TMsgDlgType kind)
{
    switch (kind) {
    case ui::TMsgDlgType::mtWarning:
        return QMessageBox::Warning;
    case ui::TMsgDlgType::mtError:
        return QMessageBox::Critical;
    case ui::TMsgDlgType::mtInformation:
        return QMessageBox::Information;
    case ui::TMsgDlgType::mtConfirmation:
        return QMessageBox::Question;
    case ui::TMsgDlgType::mtCustom:
        return QMessageBox::NoIcon;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(TMsgDlgBtn button)
{
    switch (button) {
    case TMsgDlgBtn::mbYes:
        return QMessageBox::YesRole;
    case TMsgDlgBtn::mbNo:
        return QMessageBox::NoRole;
    case TMsgDlgBtn::mbOK:
        return QMessageBox::AcceptRole;
    case TMsgDlgBtn::mbCancel:
        return QMessageBox::RejectRole;
    case TMsgDlgBtn::mbHelp:
        return QMessageBox::HelpRole;
    }
    return QMessageBox::InvalidRole;
}

} // namespace

ui::TModalResult ShowQtMessageBox(const ui::TMessageBoxRequest& request)
{
    QMessageBox box;
    box.setWindowTitle(ToQString(ui::CaptionOf(request)));
    box.setIcon(IconOf(request.Kind));
    box.setTextFormat(Qt::PlainText);
    box.setText(ToQString(request.LiteralText ? request.Text : ui::DisplayTextOf(request.Text)));

    std::map<QAbstractButton*, TMsgDlgBtn> buttons;
    for (const TMsgDlgBtn button :
         {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbOK, TMsgDlgBtn::mbCancel, TMsgDlgBtn::mbHelp}) {
        if (!request.Buttons.Contains(button)) continue;
        QPushButton* pushButton = box.addButton(ToQString(ui::ButtonCaption(button)), RoleOf(button));
        buttons[pushButton] = button;
        if (button == ui::DefaultButtonOf(request.Buttons)) box.setDefaultButton(pushButton);
        if (button == ui::EscapeButtonOf(request.Buttons)) box.setEscapeButton(pushButton);
    }

    const auto escape = ui::EscapeButtonOf(request.Buttons);
    for (;;) {
        box.exec();
        const auto clicked = buttons.find(box.clickedButton());
        if (clicked == buttons.end()) return escape ? ui::ModalResultOf(*escape) : ui::mrCancel;
        if (clicked->second != TMsgDlgBtn::mbHelp) return ui::ModalResultOf(clicked->second);
    }
}

} // namespace tarnwick::gui
