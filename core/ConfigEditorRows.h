#pragma once
#include <string>

#include "core/EasyConfig.h"

// What the configuration editor shows and does for one variable, apart from the platform.

// The colour of the bar that marks the variable's type; colours are tested before other integers.
TColor TypeMarkerColor(const TConfigVar& var);
// "core.edge_snap_size *" for a modified variable; the name alone otherwise.
std::string RowLeftText(const TConfigVar& var);
// The display name of a named integer, else the text form.
std::string RowRightText(const TConfigVar& var);
std::string EditPrompt(const TConfigVar& var);
// Left and Right: booleans toggle, colours step each channel with wrap-around, numbers step; others stay.
void StepVariable(TConfigVar& var, int step);
// Enter on a boolean toggles it; every other type asks for a new text.
bool EditTogglesInPlace(const TConfigVar& var);
