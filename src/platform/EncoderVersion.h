#pragma once
// The versions shown in the encoder details dialog.
#include <string>

// The version of our BladeEnc-style interface over the engine.
std::string EncoderInterfaceVersion();
// The version of the MP3 engine (LAME) the program runs on.
std::string EncoderEngineVersion();
