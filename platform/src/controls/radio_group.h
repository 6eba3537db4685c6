// Which automatic radio buttons a click unchecks: Win32's group rule, on plain
// data so that it can be checked on its own.
#pragma once

#include <cstddef>
#include <vector>

namespace wordoria::platform {

// One child window of the parent, in creation order.
struct GroupMember {
    bool groupStart = false;  // WS_GROUP
    bool autoRadio = false;   // a BS_AUTORADIOBUTTON button
    bool usable = true;       // visible and enabled
};

// The positions of the usable automatic radio buttons that share the clicked
// member's group, the clicked one left out. A group runs from the nearest
// WS_GROUP member at or before the clicked one to the next WS_GROUP member;
// the list is circular, so a group without a start before it begins at the
// last WS_GROUP member and wraps around to the first child.
std::vector<size_t> RadioButtonsToUncheck(const std::vector<GroupMember>& siblings, size_t clicked);

}  // namespace wordoria::platform
