#pragma once
// A chain as the hidden window builds it, around one encoder: wave file -> pump -> encoder.
#include "mpeg/MMBlade.h"
#include "stream/MMTrigg.h"
#include "stream/MMWaveFile.h"
#include "support/RunEvents.h"

#include <string>

struct EncoderChain {
    TMMWaveFile source{"WaveFile"};
    TMMTrigger trigger{"Trigger"};
    TMMMP3Encoder encoder{"MP3Encoder"};
    bool stopped = false;

    EncoderChain()
    {
        source.SetOutput(&trigger);
        trigger.SetOutput(&encoder);
        trigger.SetBufferSize(65536);
        trigger.SetTimeFormat(tfSample);
        trigger.OnStop = [this](TMMDSPComponent*) {
            trigger.Close();
            stopped = true;
        };
    }

    // Encodes the input into the output; true when the chain ran to its stop.
    bool Run(const std::string& input, const std::string& output)
    {
        stopped = false;
        source.Wave()->SetFileName(input);
        encoder.SetFileName(output);
        trigger.Start();
        return RunEventsUntil([&] { return stopped; });
    }
};
