#pragma once

#include "app/FolderPicker.h"

namespace vesk {

// Folder requests answered by a file dialog.
class FileDialogPicker final : public FolderPicker {
public:
    void pickFolders(const Request& request, QObject* context, Picked picked) override;
};

} // namespace vesk
