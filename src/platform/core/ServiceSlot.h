#pragma once

#include <memory>
#include <utility>

namespace tarnwick {

// The process-wide instance of a replaceable service: the default one, made on first use,
// until start-up or a test puts another in place. Putting nothing in place makes a fresh
// default, so a default that reads the environment reads it again.
template <typename Interface> class TServiceSlot {
public:
    using TFactory = std::shared_ptr<Interface> (*)();

    explicit TServiceSlot(TFactory makeDefault) : makeDefault_(makeDefault), current_(makeDefault()) {}

    Interface& Get() const { return *current_; }

    // Returns the service that was in place.
    std::shared_ptr<Interface> Set(std::shared_ptr<Interface> service)
    {
        auto previous = std::move(current_);
        current_ = service ? std::move(service) : makeDefault_();
        return previous;
    }

private:
    TFactory makeDefault_;
    std::shared_ptr<Interface> current_;
};

// The factory of a default that needs no arguments.
template <typename Interface, typename Implementation> std::shared_ptr<Interface> MakeService()
{
    return std::make_shared<Implementation>();
}

} // namespace tarnwick
