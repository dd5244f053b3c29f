#pragma once

#include "db/VexholmADOConnection.h"

#include <memory>
#include <string>

namespace tarnwick {

// The allocator of the suite's identifiers over TaxMaster's UniqueIDs table. For now it
// holds its connection; allocating identifiers comes with the dataset catalogues.
class TUniqueIDs {
public:
    // Closes the connection and gives it the new string; the first call makes it.
    void SetConnectionString(const std::string& text);
    // Empty before the first SetConnectionString.
    std::string ConnectionString() const;
    void Close();

private:
    std::unique_ptr<TVexholmADOConnection> connection_;
};

} // namespace tarnwick
