// What every benchmark file shares: a median of timed rounds and its report.
#pragma once

#include <functional>
#include <string>

// The median, in milliseconds, of `rounds` runs of the work.
double medianMilliseconds(int rounds, const std::function<void()>& work);
// Prints the figure under its name.
void report(const std::string& what, double milliseconds);
