#pragma once

// The keyboard's state as the program asks for it: whether the Option key is down, and
// whether the user has asked to stop with Command-period.
//
// Command is Ctrl on this desktop (Qt already makes the Mac's Command key Ctrl), so
// Command-period is Ctrl+period; Meta+period counts as well. The Option key is Alt.

#include <functional>

namespace platform {

class Keyboard {
public:
    Keyboard() = delete;

    // Whether the Option (Alt) key is down at this moment, as the window system reports
    // it now, also while no event has come since the key went down.
    static bool OptionKey();

    // Puts another source of the Option key's state in place (tests: the offscreen
    // platform has no keyboard to hold down); an empty one restores the window system's.
    // Returns the source that was in place.
    using KeySource = std::function<bool()>;
    static KeySource setOptionKeySource(KeySource source);

    // Starts watching for Command-period on the whole application; later calls do nothing.
    static void startWatching();
};

// True when Command-period was pressed, in any window of the program, since the last call;
// reading it clears it. A press counts only while the program is busy: a press that the
// event loop handles while it waits for the user (or while a modal dialog waits) is
// dropped when the loop goes idle, so it never stops a copy started later.
bool UserCancelled();

} // namespace platform
