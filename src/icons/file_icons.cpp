#include "icons/file_icons.h"

#include <unistd.h>

#include "app/path_rules.h"
#include "icons/bmp_image.h"
#include "icons/file_type_table.h"
#include "platform/filesystem/attributes.h"
#include "platform/filesystem/file_operations.h"
#include "platform/shell/icon_extraction.h"
#include "platform/shell/icon_file_loader.h"
#include "platform/shell/render_file_icon.h"
#include "platform/shell/shortcut_target.h"
#include "platform/text/gb_text.h"

namespace lumaro::icons {

namespace {

constexpr int kIconSide = 32;

bool endsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

int fallbackIndex(std::string_view extension) {
    // Only the lower-case "exe" counts here; "EXE" gets the plain file picture.
    return extension == "exe" ? kApplicationIcon : kOtherFileIcon;
}

std::string extensionOf(std::string_view name) {
    const int dot = text::findLastChar(name, '.');
    return dot == -1 ? std::string() : std::string(name.substr(static_cast<std::size_t>(dot)));
}

}  // namespace

IconServices shellIconServices() {
    return IconServices{
        [](std::string_view path) { return shell::shortcutTarget(path); },
        [](std::string_view source, std::string_view ico) {
            return shell::writeFirstIcon(source, ico);
        },
        [](std::string_view ico) -> std::optional<ui::Image> {
            const auto picture = shell::loadFirstIcon(ico, kIconSide, kIconSide);
            return picture ? std::optional<ui::Image>(*picture) : std::nullopt;
        },
        [](std::string_view path) {
            return shell::renderFileIcon(path, kIconSide, kIconSide, shell::kBlack);
        },
    };
}

FileIcons::FileIcons(ui::ListView& localList, std::string temporaryDirectory, IconServices services)
    : m_localIcons(localList),
      m_temporaryDirectory(std::move(temporaryDirectory)),
      m_services(std::move(services)) {}

int FileIcons::iconIndexFor(std::string_view text, bool bareName) {
    if (filesystem::isPlainDirectory(text)) {
        return kFolderIcon;
    }
    if (text::findFirstChar(text, '.') == -1) {
        return kFolderIcon;
    }
    std::string name(text);
    if (!bareName) {
        std::string directory;
        app::splitPath(text, name, directory, app::kLocalSeparator);
    }
    const std::string extension = extensionOf(name);
    if (const auto index = tableIndexFor(extension)) {
        return *index;
    }
    if (endsWith(text, ".lnk") && m_services.shortcutTarget) {
        const std::string target = m_services.shortcutTarget(text);
        if (target.size() >= 3 && text::asciiLower(target.substr(target.size() - 3)) == "txt") {
            return kGraphicIcon;
        }
    }
    if (bareName) {
        return fallbackIndex(extension);
    }
    const int index = holdsIcons(extension) ? extractedIcon(text) : renderedIcon(text);
    return index >= 0 ? index : fallbackIndex(extension);
}

int FileIcons::extractedIcon(std::string_view path) {
    if (!m_services.writeFirstIcon || !m_services.loadIcon32) {
        return -1;
    }
    const std::string icoPath = temporaryIconPath();
    if (!m_services.writeFirstIcon(path, icoPath)) {
        filesystem::deleteFile(icoPath);  // a half-written file goes as well
        return -1;
    }
    const std::optional<ui::Image> image = m_services.loadIcon32(icoPath);
    filesystem::deleteFile(icoPath);
    return image ? m_localIcons.indexFor(*image) : -1;
}

int FileIcons::renderedIcon(std::string_view path) {
    if (!m_services.renderIconBmp32OnBlack) {
        return -1;
    }
    const std::optional<ui::Image> image =
        decodeKeyedBmp(m_services.renderIconBmp32OnBlack(path), kIconSide, kIconSide);
    return image ? m_localIcons.indexFor(*image) : -1;
}

// Each call writes its own file, so overlapping lookups never read each other's icon; the
// name still ends in "tubiao.ico".
std::string FileIcons::temporaryIconPath() {
    const unsigned long long number = ++m_temporaryCounter;
    return app::withTrailingSeparator(m_temporaryDirectory, app::kLocalSeparator) + "lumaro-" +
           std::to_string(::getpid()) + "-" + std::to_string(number) + "-tubiao.ico";
}

}  // namespace lumaro::icons
