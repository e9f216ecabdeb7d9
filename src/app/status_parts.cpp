#include "app/status_parts.h"

namespace lumaro::app {

namespace {

bool validPart(int part) {
    return part >= 0 && part < kStatusPartCount;
}

}  // namespace

void setStatusPart(ui::StatusBar& bar, int part, std::string_view text) {
    if (validPart(part)) {
        bar.setPartText(part, std::string(text));
    }
}

std::string statusPart(const ui::StatusBar& bar, int part) {
    return validPart(part) ? bar.partText(part) : std::string();
}

bool statusSaysConnected(const ui::StatusBar& bar) {
    return statusPart(bar, kConnectionPart) == kConnectedText;
}

bool statusSaysDeleting(const ui::StatusBar& bar) {
    return statusPart(bar, kOperationPart) == kDeletingText;
}

}  // namespace lumaro::app
