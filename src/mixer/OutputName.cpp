#include "mixer/OutputName.h"

std::string Mp3NameFor(const std::string& input)
{
    const auto slash = input.rfind('/');
    const auto dot = input.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return input + ".mp3";
    return input.substr(0, dot) + ".mp3";
}
