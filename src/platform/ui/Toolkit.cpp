#include "platform/ui/Toolkit.h"

#include "platform/core/Exceptions.h"

namespace tarnwick::ui {

namespace {
std::shared_ptr<IToolkit>& Current()
{
    static std::shared_ptr<IToolkit> toolkit;
    return toolkit;
}
} // namespace

IToolkit& Toolkit()
{
    if (!Current()) throw EInvalidOperation("No toolkit has been put in place");
    return *Current();
}

std::shared_ptr<IToolkit> SetToolkit(std::shared_ptr<IToolkit> toolkit)
{
    Current().swap(toolkit);
    return toolkit;
}

} // namespace tarnwick::ui
