#pragma once

#include "app/FolderPicker.h"

namespace vesk {

// Folder requests answered by a file dialog.
class FileDialogPicker final : public FolderPicker {
public:
    std::vector<std::filesystem::path> pickFolders(const Request& request) override;
};

} // namespace vesk
