#pragma once

#include <QString>

#include <filesystem>
#include <vector>

namespace vesk {

// Asks the person for folders. The interface shows a file dialog; tests script the answers,
// so the application logic needs no widgets.
class FolderPicker {
public:
    struct Request {
        std::filesystem::path startFolder;
        QString confirmText;    // the dialog's accept button
        QString message;        // a line of explanation; may be empty
        bool several = true;    // more than one folder at once
        bool canCreate = false; // offer to make a new folder
    };

    virtual ~FolderPicker() = default;

    // The chosen folders in the dialog's order; empty when cancelled.
    [[nodiscard]] virtual std::vector<std::filesystem::path>
    pickFolders(const Request& request) = 0;
};

} // namespace vesk
