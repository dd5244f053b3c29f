#pragma once

#include <utility>

namespace tarnwick::os {

// An open file descriptor, closed when the holder goes.
class TFileHandle {
public:
    TFileHandle() = default;
    explicit TFileHandle(int fd) : fd_(fd) {}
    ~TFileHandle() { Close(); }
    TFileHandle(TFileHandle&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    TFileHandle& operator=(TFileHandle&& other) noexcept
    {
        if (this != &other) {
            Close();
            fd_ = std::exchange(other.fd_, -1);
        }
        return *this;
    }
    TFileHandle(const TFileHandle&) = delete;
    TFileHandle& operator=(const TFileHandle&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }
    // Closes now; the result tells whether the close itself succeeded (written data reached
    // the file system).
    bool Close();

private:
    int fd_ = -1;
};

} // namespace tarnwick::os
