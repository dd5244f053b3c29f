#include "db/UniqueIDs.h"

namespace tarnwick {

void TUniqueIDs::SetConnectionString(const std::string& text)
{
    if (!connection_) connection_ = std::make_unique<TVexholmADOConnection>();
    connection_->Close();
    connection_->SetConnectionString(text);
}

std::string TUniqueIDs::ConnectionString() const
{
    return connection_ ? connection_->ConnectionString() : std::string();
}

void TUniqueIDs::Close()
{
    if (connection_) connection_->Close();
}

} // namespace tarnwick
