#pragma once

#include <QByteArray>
#include <QString>

#include <filesystem>

namespace vesk {

// Where the windows were and how wide their columns were: kept in a file of the support folder,
// not among the settings, since nobody chooses it on purpose and vesk-cli has no use for it.
class WindowState {
public:
    explicit WindowState(std::filesystem::path file) : file_(std::move(file)) {}

    // Empty when nothing was kept.
    [[nodiscard]] QByteArray value(const QString& key) const;
    void setValue(const QString& key, const QByteArray& value) const;

private:
    std::filesystem::path file_;
};

} // namespace vesk
