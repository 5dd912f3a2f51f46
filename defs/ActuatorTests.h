#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The eight actuator tests as the actuator window offers them and as dazederir-cli takes them by
// number, and how the text typed for a test becomes the value its frame carries. Both front ends
// read this one table, so a value typed in either sends the same frame.

// What Set does with the command box of a test.
enum class ActuatorCommandKind {
    TargetIdleRpm, // rpm scaled to the ECU's idle steps
    FixedAdvance, // always the same value; the box is not read
    EgrPosition, // the number as typed
    NoValue, // the frame carries no value; the last value is kept
};

// The live value that the first monitor shows while the test is chosen.
enum class ActuatorMonitor { None, TargetIdle, Advance, IacAdjust, Egr };

inline constexpr int ActuatorTestCount = 8;
inline constexpr int ActuatorMonitorCount = 4;
inline constexpr int ActuatorConditionCount = 4;

struct ActuatorTest {
    int number; // 1..8
    const char* entryCaption; // the View menu entry
    const char* controlName;
    const char* title;
    const char* groupCaption;
    const char* editText; // what choosing the test puts in the command box
    std::array<const char*, ActuatorMonitorCount> monitorCaptions;
    int flagBit; // the ECU's feature flag that enables the test
    ActuatorCommandKind command;
    ActuatorMonitor monitor1;
};

std::span<const ActuatorTest> ActuatorTests();
// Test 1..8; nothing for any other number (0 is Cancel, not a test).
const ActuatorTest* FindActuatorTest(int number);

// The conditions under which the ECU runs a test, as the window shows them.
const std::array<const char*, ActuatorConditionCount>& ActuatorConditions();

// The target idle speeds the conditions allow, in rpm.
inline constexpr int MinTargetIdleRpm = 500;
inline constexpr int MaxTargetIdleRpm = 2000;

// Why a typed text gives no value. `text` is marked for translation: %1 stands for what was typed,
// %2 and %3 for the bounds, so each front end words the refusal in its own language.
struct ActuatorRefusal {
    const char* text = nullptr;
    std::string typed;
    int min = 0;
    int max = 0;

    // `wording` (the text or its translation) with what was typed and the bounds in their places.
    std::string Worded(std::string_view wording) const;
    // In English, as the command-line tool says it.
    std::string English() const { return Worded(text); }
};

// The value that test `number` sends for `text`, or why the text gives none. Tests whose frame
// carries no value give `previousValue`.
struct ActuatorCommand {
    int value = 0;
    std::optional<ActuatorRefusal> refusal; // none when `value` holds
};
ActuatorCommand ActuatorCommandValue(int number, std::string_view text, int previousValue);

// "  1  RPM Control" lines, one per test, for the programs' help.
std::string ActuatorTestList();
