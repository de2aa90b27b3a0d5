#pragma once

#include <initializer_list>

namespace velunor {

class TStringFormat;

// Starts the coding framework once per process, on first use of any
// registry: detects the processor class and registers the six text formats.
// Safe to call from any thread and any number of times.
void StartFramework();

// Registration without start-up, for the start-up itself.
void RegisterFormatsAtStartUp(std::initializer_list<const TStringFormat*> classes);

}  // namespace velunor
