#pragma once
// The texts the wave object raises with EMMWaveError.
namespace wavemsg {
inline constexpr const char* ReadError = "Error reading wave file";
inline constexpr const char* InvalidFile = "Invalid wave file...";
inline constexpr const char* MemoryWave = "Can't write to MemoryWave";
inline constexpr const char* SetupBuffer = "Unable to setup file IO buffer";
inline constexpr const char* OpenFile = "Unable to open wave file";
inline constexpr const char* CreateFile = "Unable to create wave file";
inline constexpr const char* SeekError = "Error seeking file position";
}  // namespace wavemsg
