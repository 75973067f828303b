#include "core/plan/Suggestion.h"

#include <array>
#include <functional>

namespace vesk {

std::string Action::key() const {
    switch (type) {
    case Type::move:
        return path;
    case Type::trash:
        return "trash";
    case Type::toApplications:
        return std::string(applicationsFolder);
    case Type::keep:
        return "keep";
    case Type::ask:
        return "ask";
    }
    return "ask";
}

std::string Action::label() const {
    switch (type) {
    case Type::move:
        return "→ " + path;
    case Type::trash:
        return "→ 废纸篓";
    case Type::toApplications:
        return "→ " + std::string(applicationsFolder);
    case Type::keep:
        return "保留";
    case Type::ask:
        return "需要你决定";
    }
    return "需要你决定";
}

namespace {
constexpr std::array<std::string_view, 9> layerTexts = {
    "跳过",       "文件夹",      "① 规则",       "② 相似度", "② 名称索引",
    "② 类型默认", "③ 本地 LLM", "④ 内容(本地)", "—",
};
} // namespace

std::string_view rawValue(Layer layer) {
    return layerTexts.at(static_cast<std::size_t>(layer));
}

std::optional<Layer> layerFromRawValue(std::string_view raw) {
    for (std::size_t i = 0; i < layerTexts.size(); ++i) {
        if (layerTexts[i] == raw) {
            return static_cast<Layer>(i);
        }
    }
    return std::nullopt;
}

} // namespace vesk

std::size_t std::hash<vesk::Action>::operator()(const vesk::Action& action) const noexcept {
    const auto ordinal = static_cast<std::size_t>(action.type);
    if (action.type != vesk::Action::Type::move) {
        return ordinal;
    }
    return ordinal ^ (std::hash<std::string>{}(action.path) << 1);
}
