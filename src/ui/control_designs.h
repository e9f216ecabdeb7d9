#pragma once
// The designed list columns and toolbar buttons as both bindings keep them: owned texts, built
// once from the constant tables of main_window_design.h.
#include <array>
#include <string>
#include <vector>

#include "ui/main_window_design.h"

namespace lumaro::ui {

struct ColumnDesign {
    std::string title;  // GB18030
    int width;
};

struct ToolButtonDesign {
    int picture;  // -1: separator
    std::string hint;
};

std::vector<ColumnDesign> columnDesigns(const std::array<design::Column, 2>& designed);
// The toolbar's buttons in order, from design::kToolButtons.
std::vector<ToolButtonDesign> toolButtonDesigns();

}  // namespace lumaro::ui
