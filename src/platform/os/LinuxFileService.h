#pragma once

#include "platform/os/FileService.h"

namespace tarnwick::os {

class TLinuxFileService : public IFileService {
public:
    bool FileExists(std::string_view path) override;
    bool DirectoryExists(std::string_view path) override;
    bool ForceDirectories(std::string_view path) override;
    bool DeleteFile(std::string_view path) override;
    bool RenameFile(std::string_view from, std::string_view to) override;
    std::string ReadText(std::string_view path) override;
    TStringList ReadLines(std::string_view path) override;
    void WriteText(std::string_view path, std::string_view text) override;
    void AppendText(std::string_view path, std::string_view text) override;
    std::unique_ptr<IAppendFile> OpenAppend(std::string_view path) override;
    long long FileSize(std::string_view path) override;
    TDateTime FileAge(std::string_view path) override;
    std::optional<bool> IsReadOnly(std::string_view path) override;
    bool SetReadOnly(std::string_view path, bool readOnly) override;
    std::vector<TFolderEntry> ListFolder(std::string_view path) override;
};

} // namespace tarnwick::os
