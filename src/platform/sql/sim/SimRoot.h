#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// Where simulated servers live: one folder per server under a root folder. The root is
// the one set by SetSimRoot, else the environment variable TARNWICK_SIM_ROOT, else
// "tarnwick-sim" in the system's temporary folder.
namespace tarnwick::sql::sim {

std::filesystem::path SimRoot();
// An empty path goes back to the environment variable or the default.
void SetSimRoot(const std::filesystem::path& root);

// The folder name of a data source: upper case, the instance's backslash as "$", other
// characters that cannot stand in a file name as "_" (SRV01\TAX -> SRV01$TAX).
std::string ServerFolderName(std::string_view dataSource);

// The folder of an existing server for a data source. "localhost", "." and "(local)" (with
// or without an instance) also find the server named after this computer.
std::filesystem::path FindServerFolder(const std::filesystem::path& root, std::string_view dataSource);

// This computer's name as servers know it: the host name's first label in upper case, at
// most 15 characters.
std::string LocalComputerName();

// A Windows path on the server machine (C:\Folder\File) as a path under the server's disk
// folder (<disk>/c/Folder/File); each existing component is found without regard to case.
// An empty path when the text is not an absolute drive path.
std::filesystem::path MapServerPath(const std::filesystem::path& diskRoot, std::string_view windowsPath);

} // namespace tarnwick::sql::sim
