#pragma once

#include "app/FolderPicker.h"

#include <QCoreApplication>
#include <QString>

#include <filesystem>
#include <functional>
#include <vector>

namespace vesk {

// The folders Vesk may touch. Inside an application sandbox only Downloads and the folders the
// person picked are usable; a grant is the folder's absolute path, kept in the settings store
// under "folderBookmarks" and re-checked at every start. Outside the sandbox everything is
// allowed and nothing is stored. Lives on the main thread.
class FolderAccess {
    Q_DECLARE_TR_FUNCTIONS(FolderAccess)

public:
    // True when the process runs in a sandbox (APP_SANDBOX_CONTAINER_ID is set); read once.
    [[nodiscard]] static bool isSandboxed();

    // Restores the stored grants: a folder that is gone or can't be opened is dropped, and the
    // list is written back.
    FolderAccess(QString settingsFile, FolderPicker& picker, bool sandboxed = isSandboxed());

    // May Vesk read or move things at `path`? Compared in normal form; a grant for Documents
    // does not allow Documents2.
    [[nodiscard]] bool allows(const std::filesystem::path& path) const;
    // Grants the folders the person has just picked; each folder once.
    void remember(const std::vector<std::filesystem::path>& folders);
    // Asks for the home folder; `done` hears true when the person confirmed (whatever they
    // picked is granted), unless `context` is gone by then.
    void requestHome(QObject* context, std::function<void(bool confirmed)> done);
    // Is the home folder itself granted?
    [[nodiscard]] bool hasHome() const;

    [[nodiscard]] bool sandboxed() const { return sandboxed_; }
    [[nodiscard]] const std::vector<std::filesystem::path>& granted() const { return granted_; }

private:
    [[nodiscard]] std::vector<std::filesystem::path> stored() const;
    void store(const std::vector<std::filesystem::path>& paths) const;

    QString settingsFile_;
    FolderPicker& picker_;
    bool sandboxed_;
    std::filesystem::path realHome_;
    std::vector<std::filesystem::path> granted_;
};

} // namespace vesk
