#include "app/ScriptPrompts.h"

#include "platform/core/DelimitedList.h"
#include "platform/core/Exceptions.h"
#include "platform/ui/Toolkit.h"

namespace tarnwick {

TPrompt ParsePrompt(std::string_view value)
{
    const TStringList parts = SplitDelimited(value, TDelimitedRules{.Delimiter = ';', .Quote = '|'});
    if (parts.size() < 4) ThrowListIndexError(static_cast<long long>(parts.size()));
    return TPrompt{parts[0], parts[1], parts[2], parts[3]};
}

void AskPrompts(std::vector<TPrompt>& prompts, TStringList& scriptLines)
{
    while (!prompts.empty()) {
        const TPrompt prompt = prompts.front();
        prompts.erase(prompts.begin());
        const std::string answer = ui::Toolkit()
                                       .InputBox(prompt.InputCaption, prompt.PromptText, prompt.DefaultAnswer)
                                       .value_or(prompt.DefaultAnswer);
        if (answer.empty()) throw EInvalidOperation(prompt.PromptText + " was not supplied");
        scriptLines = SplitLines(ReplaceText(LinesText(scriptLines), prompt.Placeholder, answer));
    }
}

} // namespace tarnwick
