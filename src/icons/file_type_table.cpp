#include "icons/file_type_table.h"

#include <string>

#include "platform/text/gb_text.h"
#include "platform/text/number_format.h"

namespace lumaro::icons {

std::optional<int> tableIndexFor(std::string_view extension) {
    const std::string key = ";" + std::string(extension) + " ";
    const int found = text::findIgnoreCase(kExtensionTable, key);
    if (found == -1) {
        return std::nullopt;
    }
    const std::size_t numberAt = static_cast<std::size_t>(found - 1) + key.size();
    const std::size_t end = kExtensionTable.find(';', numberAt);
    return static_cast<int>(text::leadingInteger(kExtensionTable.substr(numberAt, end - numberAt)));
}

bool holdsIcons(std::string_view extension) {
    const std::string key = "," + std::string(extension) + ",";
    return text::findIgnoreCase(kIconHoldingTypes, key) != -1;
}

}  // namespace lumaro::icons
