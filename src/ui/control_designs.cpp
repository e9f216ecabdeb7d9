#include "ui/control_designs.h"

namespace lumaro::ui {

std::vector<ColumnDesign> columnDesigns(const std::array<design::Column, 2>& designed) {
    std::vector<ColumnDesign> columns;
    for (const design::Column& d : designed) {
        columns.push_back({d.title, d.width});
    }
    return columns;
}

std::vector<ToolButtonDesign> toolButtonDesigns() {
    std::vector<ToolButtonDesign> buttons;
    for (const design::ToolButton& d : design::kToolButtons) {
        buttons.push_back({d.picture, d.hint});
    }
    return buttons;
}

}  // namespace lumaro::ui
