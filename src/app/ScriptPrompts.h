#pragma once

#include "platform/core/Strings.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarnwick {

// One question a script asks before it runs; the answer replaces the placeholder.
struct TPrompt {
    std::string Placeholder;
    std::string InputCaption;
    std::string PromptText;
    std::string DefaultAnswer;
};

// Reads a prompt declaration: placeholder, caption, prompt and default answer, separated by
// ";" and optionally quoted with "|". Fewer than four parts raise the list's index error.
TPrompt ParsePrompt(std::string_view value);

// Asks every prompt in order with the input box (Cancel keeps the default answer) and puts
// each answer in place of its placeholder throughout the script, ignoring case. An empty
// answer raises EInvalidOperation "<prompt> was not supplied". Empties the list.
void AskPrompts(std::vector<TPrompt>& prompts, TStringList& scriptLines);

} // namespace tarnwick
