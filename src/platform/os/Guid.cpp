#include "platform/os/Guid.h"

#include "platform/core/ServiceSlot.h"
#include "platform/os/SystemError.h"

#include <cerrno>
#include <sys/random.h>

namespace tarnwick::os {

namespace {

class TRandomGuids : public IGuidSource {
public:
    TGuid NewGuid() override
    {
        TGuid guid;
        std::size_t filled = 0;
        while (filled < guid.size()) {
            ssize_t got = getrandom(guid.data() + filled, guid.size() - filled, 0);
            if (got < 0) {
                if (errno == EINTR) continue;
                RaiseLastOSError("Cannot create a GUID");
            }
            filled += static_cast<std::size_t>(got);
        }
        // Version 4 in the high nibble of the third field (little-endian, so byte 7) and the
        // RFC 4122 variant in byte 8.
        guid[7] = static_cast<std::uint8_t>((guid[7] & 0x0F) | 0x40);
        guid[8] = static_cast<std::uint8_t>((guid[8] & 0x3F) | 0x80);
        return guid;
    }
};

TServiceSlot<IGuidSource>& Slot()
{
    static TServiceSlot<IGuidSource> slot(MakeService<IGuidSource, TRandomGuids>);
    return slot;
}

} // namespace

std::string GuidToString(const TGuid& guid)
{
    static const char digits[] = "0123456789ABCDEF";
    const int order[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
    std::string text = "{";
    for (int i = 0; i < 16; ++i) {
        if (i == 4 || i == 6 || i == 8 || i == 10) text += '-';
        std::uint8_t byte = guid[static_cast<std::size_t>(order[i])];
        text += digits[byte >> 4];
        text += digits[byte & 15];
    }
    return text + "}";
}

IGuidSource& GuidSource() { return Slot().Get(); }

std::shared_ptr<IGuidSource> SetGuidSource(std::shared_ptr<IGuidSource> source)
{
    return Slot().Set(std::move(source));
}

} // namespace tarnwick::os
