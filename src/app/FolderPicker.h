#pragma once

#include <QObject>
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

namespace vesk {

// Asks the person for folders. The interface shows a file dialog; tests script the answers,
// so the application logic needs no widgets. Nothing waits for the answer: no nested event loop
// holds the application up while the dialog is open.
class FolderPicker {
public:
    struct Request {
        std::filesystem::path startFolder;
        QString title;          // the dialog's window title
        QString confirmText;    // the dialog's accept button
        QString message;        // a line of explanation; may be empty
        bool several = true;    // more than one folder at once
        bool canCreate = false; // offer to make a new folder
    };

    // The chosen folders in the dialog's order; empty when cancelled.
    using Picked = std::function<void(const std::vector<std::filesystem::path>& folders)>;

    virtual ~FolderPicker() = default;

    // Shows the request; `picked` is called once the person answers, unless `context` is gone
    // by then.
    virtual void pickFolders(const Request& request, QObject* context, Picked picked) = 0;
};

} // namespace vesk
