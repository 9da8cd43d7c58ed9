// On/off switches and the click counters of the toggle buttons that drive them.
#pragma once

// A switch is a float: 2.0 is on, 0.0 is off. Readers test "at least 2" for on and "at most 1"
// for off, so a value in between (1.5) counts as neither.
constexpr float kSwitchOn = 2.0f;
constexpr float kSwitchOff = 0.0f;

constexpr bool isOn(float value) {
    return value >= 2.0f;
}
constexpr bool isOff(float value) {
    return value <= 1.0f;
}

// Which click of a toggle button's two-click cycle just happened.
enum class Click { First, Second };

// Advances a toggle button's click counter: the click that brings it to 1 is the first of the
// cycle, the click that brings it to 2 (or beyond) the second, which also clears the counter.
// The caller sets the switch: for a layer button the first click switches it off and the second
// switches it on again.
inline Click advanceClickCounter(float& counter) {
    counter += 1.0f;
    if (counter >= 2.0f) {
        counter = 0.0f;
        return Click::Second;
    }
    return Click::First;
}
