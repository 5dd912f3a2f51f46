#pragma once

// From the ECU's own units, degrees Celsius and kilometres per hour, to the other choices.
inline constexpr float KphToMph = 0.6214f;
inline constexpr float FahrenheitPerCelsius = 1.8f;
inline constexpr float FahrenheitAtFreezing = 32.0f;
