// libFuzzer target for cover pictures: any bytes must give a picture or a reason, and a
// picture is always a JPEG or PNG that Qt reads back at most kCoverMaxSide on its long side.
#include "platform/image/CoverImage.h"

#include <QImage>
#include <algorithm>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const CoverResult r = NormaliseCover({data, size});
    if (r.picture.has_value() == !r.problem.empty())
        __builtin_trap();
    if (r.picture) {
        if (r.picture->mime != "image/jpeg" && r.picture->mime != "image/png")
            __builtin_trap();
        if (std::max(r.picture->width, r.picture->height) > kCoverMaxSide)
            __builtin_trap();
    }
    (void)IsSequentialJpeg({data, size});
    return 0;
}
