#pragma once

#include <QCoreApplication>
#include <QString>

#include <filesystem>
#include <string>

namespace vesk {

// What the person is told about a settings store that could not be read at start.
class StoreNotice {
    Q_DECLARE_TR_FUNCTIONS(StoreNotice)

public:
    // It was kept under another name and Vesk started with its defaults.
    [[nodiscard]] static QString setAside(const QString& store, const std::filesystem::path& kept);
    // It could not even be moved out of the way, so Vesk cannot start.
    [[nodiscard]] static QString unusable(const QString& store, const std::string& why);
};

} // namespace vesk
