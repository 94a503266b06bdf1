#pragma once

namespace quorbel {

class Clock;
class MessageBoxes;
class SettingsStore;

// The platform services that the page writer and the comment block use,
// handed in by the caller (the add-in, the command line or a test).
struct EngineServices {
    const SettingsStore &settings;
    MessageBoxes &messages;
    const Clock &clock;
};

} // namespace quorbel
