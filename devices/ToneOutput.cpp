#include "devices/ToneOutput.h"

#include "devices/Modules.h"
#include "devices/audio/AudioToneModule.h"
#include "platform/Application.h"

namespace {

// The module's entry point, looked up once; null when it cannot be loaded.
MakeAudioToneOutputEntry AudioEntry()
{
    static const auto entry
        = reinterpret_cast<MakeAudioToneOutputEntry>(LoadModuleEntry(audioModuleFile, audioModuleEntry));
    return entry;
}

// Rests and delays only wait; the module is loaded on the first tone.
class ModuleToneOutput : public ToneOutput {
public:
    void Play(double frequency, int64_t ms, Delays::Pump pump, const bool* stop) override
    {
        if (frequency > 0) {
            // The sound devices are reached through the application: a
            // headless run makes it before its first tone, not after.
            platform::RequireApplication();
            if (ToneOutput* output = Audible()) {
                output->Play(frequency, ms, pump, stop);
                return;
            }
        }
        Delays::WaitMs(ms, pump, stop);
    }

private:
    ToneOutput* Audible()
    {
        if (!loadTried) {
            loadTried = true;
            if (const MakeAudioToneOutputEntry entry = AudioEntry()) audible.reset(entry(&Delays::WaitMs));
        }
        return audible.get();
    }

    bool loadTried = false;
    std::unique_ptr<ToneOutput> audible;
};

} // namespace

std::unique_ptr<ToneOutput> MakeAudioToneOutput()
{
    return std::make_unique<ModuleToneOutput>();
}
