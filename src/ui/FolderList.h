#pragma once

#include <QTreeWidget>

#include <filesystem>
#include <optional>
#include <vector>

class QToolButton;

namespace vesk {

// A list of folders on the Folders tab: each folder by its name and the place it lies in, with
// its add and remove buttons in a row of their own. The Delete key asks for removal, as the
// remove button does.
class FolderList : public QTreeWidget {
    Q_OBJECT

public:
    FolderList(const char* name, const QString& accessibleName, int height, QWidget* parent);

    void showFolders(const std::vector<std::filesystem::path>& folders,
                     const std::filesystem::path& home);
    // One more row: the folder's name, and in the second column its place (dimmed) or a note.
    void addFolder(const std::filesystem::path& folder, const QString& name, const QString& second,
                   bool secondIsPlace);
    [[nodiscard]] std::optional<std::filesystem::path> selectedFolder() const;

    // The row of add and remove buttons under the list; the buttons' names are for tests.
    struct Buttons {
        QWidget* row;
        QToolButton* add;
        QToolButton* remove;
    };
    [[nodiscard]] Buttons buttons(const char* addName, const QString& addHelp,
                                  const char* removeName);

signals:
    void removeRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace vesk
