#pragma once

class QButtonGroup;

namespace qm {

// Makes a group of radio buttons one stop in the Tab chain, as desktop users expect: Tab
// reaches the checked button only, and the arrow keys then move the choice itself.
void makeOneTabStop(QButtonGroup* group);

// Gives the keyboard focus to the group's checked button, if it has one.
void focusCheckedButton(const QButtonGroup* group);

}  // namespace qm
