#include "Orrindle/Styles/StyledControlState.hpp"

#include <bit>
#include <ostream>

namespace Orrindle {

namespace {
// The defined options with their names, in ascending bit order.
constexpr std::pair<StyledControlState, const char*> names[] = {
    {StyledControlState::default_, "default"}, {StyledControlState::disabled, "disabled"},
    {StyledControlState::selected, "selected"}, {StyledControlState::highlighted, "highlighted"},
    {StyledControlState::focused, "focused"},   {StyledControlState::on, "on"},
    {StyledControlState::mixed, "mixed"},       {StyledControlState::invalid, "invalid"},
};
constexpr StyledControlState::RawValue scoredBits = 0xFE;
}  // namespace

std::pair<bool, StyledControlState> StyledControlState::insert(StyledControlState member) {
    if (contains(member)) return {false, intersection(member)};
    formUnion(member);
    return {true, member};
}

std::optional<StyledControlState> StyledControlState::remove(StyledControlState member) {
    const auto removed = intersection(member);
    if (removed.isEmpty()) return std::nullopt;
    subtract(member);
    return removed;
}

std::optional<StyledControlState> StyledControlState::update(StyledControlState with) {
    const auto present = intersection(with);
    formUnion(with);
    if (present.isEmpty()) return std::nullopt;
    return present;
}

std::string StyledControlState::description() const {
    std::string out;
    for (const auto& [option, name] : names) {
        if (!contains(option)) continue;
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

int StyledControlState::countOfSetOptions() const {
    return std::popcount(static_cast<std::uint64_t>(rawValue_ & scoredBits));
}

std::vector<StyledControlState> StyledControlState::toArray() const {
    std::vector<StyledControlState> out{default_};
    for (auto option : allStates)
        if (contains(option)) out.push_back(option);
    return out;
}

std::ostream& operator<<(std::ostream& out, StyledControlState state) {
    return out << state.rawValue() << " [" << state.description() << "]";
}

}  // namespace Orrindle
