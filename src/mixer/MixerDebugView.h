#pragma once
// The hidden window's debug view of the mixer, kept as plain state: it is never shown, but
// the mixer start-up, the save and the source selection work through its current
// destination, current line, slider and check box, so their values are what the settings
// file receives.
#include <string>
#include <vector>

inline constexpr const char* kMixerDebugCaption = "Should never see this. Its a debug window";

struct TDebugList {
    std::vector<std::string> Items;
    int ItemIndex = -1;
    std::string Text() const
    {
        return ItemIndex >= 0 && ItemIndex < static_cast<int>(Items.size()) ? Items[static_cast<std::size_t>(ItemIndex)]
                                                                            : std::string();
    }
};

struct TDebugSlider {
    int Min = 0;
    int Max = 65535;
    int Position = 0;
    bool Enabled = true;
};

struct TDebugCheckBox {
    std::string Caption = "Mixer checkbox";
    bool Checked = false;
    bool Enabled = true;
};
