#pragma once

// The framework's control classes, and their class records.

namespace platform {

// Declares the class records of every control class (Control, RectControl and each
// concrete control) with their operations.
void declareControlClasses();
// Builds them, superclasses first.
void buildControlClasses();

} // namespace platform
