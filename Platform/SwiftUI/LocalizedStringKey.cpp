#include "SwiftUI/LocalizedStringKey.hpp"

namespace SwiftUI {

std::string LocalizedStringKey::formatted(const std::string& format) const {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // "%@" or "%<n>$@".
        std::size_t j = i + 1, number = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9') number = number * 10 + std::size_t(format[j++] - '0');
        const bool positional = j > i + 1 && j + 1 < format.size() && format[j] == '$' && format[j + 1] == '@';
        if (positional || format[i + 1] == '@') {
            const std::size_t index = positional ? number - 1 : next++;
            if (index < arguments.size()) out += arguments[index];
            i = positional ? j + 1 : i + 1;
            continue;
        }
        out += format[i];
    }
    return out;
}

}  // namespace SwiftUI
