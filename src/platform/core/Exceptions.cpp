#include "platform/core/Exceptions.h"

namespace tarnwick {

void ThrowListIndexError(long long index)
{
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string MessageOf(const std::exception_ptr& error)
{
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unknown error";
    }
}

std::string ClassNameOf(const std::exception_ptr& error)
{
    if (!error) return {};
    try {
        std::rethrow_exception(error);
    } catch (const Exception& e) {
        return e.ClassName();
    } catch (...) {
        return "Exception";
    }
}

} // namespace tarnwick
