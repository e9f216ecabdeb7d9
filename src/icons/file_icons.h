#pragma once
// iconIndexFor: the icon index of a list entry. Remote names (bareName true) get one of the
// twelve file-type icons by extension; local files outside the extension table get their own
// icon (the first icon of an executable or icon file, else the desktop's picture for the file)
// added to the local pane's icon list.
//
// Threads: any; calls may overlap. Name-only calls share no state. Local calls share the icon
// list through LocalIconList's lock, and each writes its own temporary icon file (a name of
// its own ending in "tubiao.ico"), written and deleted within the call.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "icons/local_icon_list.h"
#include "ui/image.h"
#include "ui/list_view.h"

namespace lumaro::icons {

// The shell services the lookup uses, as plain functions. shellIconServices() gives the real
// ones of platform/shell.
struct IconServices {
    std::function<std::string(std::string_view shortcutPath)> shortcutTarget;
    std::function<bool(std::string_view source, std::string_view icoPath)> writeFirstIcon;
    std::function<std::optional<ui::Image>(std::string_view icoPath)> loadIcon32;
    std::function<std::string(std::string_view path)> renderIconBmp32OnBlack;
};

IconServices shellIconServices();

class FileIcons {
public:
    // `localList` is the icon list of the local pane (上传文件框); `temporaryDirectory` is where
    // the temporary icon files go (the system's temporary directory in the program).
    FileIcons(ui::ListView& localList, std::string temporaryDirectory,
              IconServices services = shellIconServices());

    // `text`: a full local path, or a bare remote name (`bareName` true). The result is 0..11,
    // or (local calls only) the index of an image in the local pane's icon list.
    int iconIndexFor(std::string_view text, bool bareName);

    const LocalIconList& localIcons() const { return m_localIcons; }

private:
    int extractedIcon(std::string_view path);
    int renderedIcon(std::string_view path);
    std::string temporaryIconPath();

    LocalIconList m_localIcons;
    std::string m_temporaryDirectory;
    IconServices m_services;
    std::atomic<unsigned long long> m_temporaryCounter{0};
};

}  // namespace lumaro::icons
