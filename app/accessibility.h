#pragma once

#include "controls/controls.h"

// What a screen reader learns about the window, through Qt's accessibility
// interfaces only: nothing here changes what the window shows. Labels that show
// a value keep it as their (live) name and say what they are in their
// description; combo boxes, whose name is always their text, carry their role
// in the description.
namespace skorvex::app {

void describe_for_screen_readers(controls::Controls& c);

// After "GO!" has judged an answer: tells a screen reader the verdict and the
// problem now on show, as a change of the answer box's description (the box
// keeps the focus while the learner answers). Says nothing when the click
// judged nothing.
void announce_judgement(controls::Controls& c);

} // namespace skorvex::app
