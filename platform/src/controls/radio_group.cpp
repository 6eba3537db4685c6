#include "controls/radio_group.h"

namespace wordoria::platform {

std::vector<size_t> RadioButtonsToUncheck(const std::vector<GroupMember>& siblings, size_t clicked) {
    std::vector<size_t> result;
    const size_t count = siblings.size();
    if (clicked >= count) return result;
    // Back to the group's start; without any WS_GROUP member, every sibling is one group.
    size_t start = clicked;
    for (size_t step = 0; step < count && !siblings[start].groupStart; ++step)
        start = (start + count - 1) % count;
    for (size_t step = 0; step < count; ++step) {
        size_t index = (start + step) % count;
        if (step > 0 && siblings[index].groupStart) break;
        const GroupMember& member = siblings[index];
        if (index != clicked && member.autoRadio && member.usable) result.push_back(index);
    }
    return result;
}

}  // namespace wordoria::platform
