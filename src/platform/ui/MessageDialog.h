#pragma once

#include <initializer_list>
#include <optional>
#include <string>

namespace tarnwick::ui {

// The standard message dialog: a kind with its caption and icon, and a set of buttons.
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum class TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbHelp };

class TMsgDlgButtons {
public:
    constexpr TMsgDlgButtons() = default;
    constexpr TMsgDlgButtons(std::initializer_list<TMsgDlgBtn> buttons)
    {
        for (const TMsgDlgBtn button : buttons) Include(button);
    }

    constexpr bool Contains(TMsgDlgBtn button) const { return (bits_ & Bit(button)) != 0; }
    constexpr TMsgDlgButtons& Include(TMsgDlgBtn button)
    {
        bits_ |= Bit(button);
        return *this;
    }
    constexpr bool operator==(const TMsgDlgButtons&) const = default;

private:
    static constexpr unsigned Bit(TMsgDlgBtn button) { return 1u << static_cast<unsigned>(button); }
    unsigned bits_ = 0;
};

// The standard dialog results; the numbers are the ones callers store and compare.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

// One modal message box. The text uses "&" as the accelerator marker, so a literal ampersand
// arrives doubled, unless LiteralText asks for the text to show as it stands (the plain
// system box). Without a caption the kind's own caption is used.
struct TMessageBoxRequest {
    std::string Text;
    TMsgDlgType Kind = TMsgDlgType::mtInformation;
    TMsgDlgButtons Buttons = {TMsgDlgBtn::mbOK};
    int HelpContext = 0;
    std::optional<std::string> Caption;
    bool LiteralText = false;
};

// "Warning", "Error", "Information", "Confirm"; the custom kind has no caption of its own.
std::string StandardCaption(TMsgDlgType kind);
// "OK", "&Yes", "&No", "Cancel", "&Help".
std::string ButtonCaption(TMsgDlgBtn button);
// The caption the box shows: the request's own, else the kind's.
std::string CaptionOf(const TMessageBoxRequest& request);

// The button Enter presses: OK when present, else Yes.
std::optional<TMsgDlgBtn> DefaultButtonOf(TMsgDlgButtons buttons);
// The answer Escape gives: Cancel when present, else No, else OK.
std::optional<TMsgDlgBtn> EscapeButtonOf(TMsgDlgButtons buttons);

TModalResult ModalResultOf(TMsgDlgBtn button);

} // namespace tarnwick::ui
