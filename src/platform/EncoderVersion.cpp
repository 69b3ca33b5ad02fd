#include "platform/EncoderVersion.h"

#include <lame/lame.h>

std::string EncoderInterfaceVersion()
{
    return "1.0";
}

std::string EncoderEngineVersion()
{
    return get_lame_version();
}
