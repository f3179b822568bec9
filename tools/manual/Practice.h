#pragma once

// A small invented dental practice, written into the current program folder, so that the
// windows photographed for the manual show cards and lists as a receptionist would see
// them. Every name, number and address is made up.
namespace Practice {

// The day the pictures are taken: the agenda and the lists are computed against it.
void fixClock();
void write();

} // namespace Practice
