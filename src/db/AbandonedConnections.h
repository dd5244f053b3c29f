#pragma once

#include "platform/sql/Connection.h"

#include <cstddef>
#include <memory>

namespace tarnwick {

// Connections whose asynchronous connect was given up while it may still be under way. They
// are kept until the program ends rather than released, so nobody waits for them; one that
// connects after all is closed at once, so no session to the server stays open.
void AbandonConnection(std::unique_ptr<sql::TADOConnection> connection);
std::size_t AbandonedConnectionCount();

} // namespace tarnwick
