#pragma once

#include "platform/sql/Connection.h"

#include <cstddef>
#include <memory>

namespace tarnwick {

// Connections whose asynchronous connect was given up while it may still be under way. They
// are kept until the program ends rather than released, so nobody waits for them; none of
// them keeps a session to the server open, whenever its answer comes.
void AbandonConnection(std::unique_ptr<sql::TADOConnection> connection);
std::size_t AbandonedConnectionCount();

} // namespace tarnwick
