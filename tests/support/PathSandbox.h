#pragma once

#include "platform/os/PathMapper.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>

namespace tarnwick::test {

// A temporary folder holding the UNC and drive roots, put in place of the machine's for the
// test's lifetime: \\SRV01\Share\x lands in Unc()/SRV01/Share/x.
class PathSandbox {
public:
    PathSandbox();
    ~PathSandbox();
    PathSandbox(const PathSandbox&) = delete;
    PathSandbox& operator=(const PathSandbox&) = delete;

    const TempFolder& Folder() const { return folder_; }
    std::string Unc() const { return folder_ / "unc"; }
    std::string Drives() const { return folder_ / "drives"; }
    // Creates a local folder (with parents) below the sandbox and gives its path.
    std::string MakeFolder(const std::string& relative) const;

private:
    TempFolder folder_;
    std::shared_ptr<os::IPathMapper> previous_;
};

} // namespace tarnwick::test
