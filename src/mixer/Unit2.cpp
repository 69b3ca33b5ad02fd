#include "mixer/Unit2.h"

TForm2::TForm2(WizardState& state, QObject* parent) : QObject(parent), state_(state)
{
    setObjectName("Form2");
}

TForm2::~TForm2() = default;

void TForm2::RestoreMixer()
{
    // No mixer settings were saved at start, so there is nothing to put back.
}

bool TForm2::CheckWave(const std::string&)
{
    return false;
}

void TForm2::ConvertFile(const std::string&, const std::string&)
{
}

void TForm2::StartEncoding(const std::string&, const std::string&, int, bool, bool)
{
}

void TForm2::StopEncoding()
{
}

std::optional<int> TForm2::EncodingPercent() const
{
    return std::nullopt;
}
